// Calls of the firmware services: CALLIN with one operand per parameter in
// intermediate code, argument registers and a call of the entry in native code.
#pragma once

#include <string>

#include "codegen/builtin_table.hpp"
#include "codegen/gen.hpp"
#include "codegen/items.hpp"

namespace corvel::codegen {

// A call statement being compiled, argument by argument as it is read.
struct Call {
  const Builtin* builtin = nullptr;
  bool inline_form = false;  // a variable given to Pulse/Inc/Dec/Clear needs no service call
};

// An argument of a value parameter (A, B, F, P, W) as the statement wrote it.
struct ValueArgument {
  enum class Form { Integer, Real, Name } form;
  int code = 0;      // an integer's token code
  long value = 0;    // an integer's value
  std::string text;  // a real number's text, read as volts
  Operand name;
};

void begin_call(Gen& g, Call& call, const Builtin& builtin);
void value_argument(Gen& g, const Call& call, char letter, const ValueArgument& arg, int i);
// C: a named port bit, a BYTE or WORD variable, a port register or a pin reference.
void control_argument(Gen& g, Call& call, const Operand& target, int i);
// S: the characters of the string, escapes resolved.
void string_argument(Gen& g, const std::string& chars);
// An optional parameter left out: CONST1 0.
void default_argument(Gen& g, int site, int i);
void end_call(Gen& g, const Call& call);

// An item of a built-in call inside an expression; leaves its result pushed.
void compile_builtin_in_expression(Gen& g, const Item& item);

}  // namespace corvel::codegen
