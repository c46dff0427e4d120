// Calls of the firmware services: as statements and inside expressions.
#pragma once

#include <string_view>

namespace corvel::codegen {

// The name was followed by "(": compiles the call statement up to its ";".
// `value_text` is the built-in's symbol value: its number and signature.
int compile_builtin_statement(std::string_view value_text);
// An expression item of kind K: name, then per argument ",", token code, text.
int compile_builtin_in_expression(std::string_view item_text);
// Writes the native call line of a service; nothing for a number without one.
void emit_service_call(int number);
void reset_string_counter();

}  // namespace corvel::codegen
