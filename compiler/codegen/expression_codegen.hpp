// Compiles an expression's postfix items into intermediate code and, in
// native output, into stack-machine H8/300H assembly; and the operand layer
// that the statement compilers share.
#pragma once

#include <string>
#include <string_view>

namespace corvel::codegen {

// Lays one operand: a constant (token code 41/43), a variable ('?', '@') or
// a port bit ('=', '>').
int lay_operand(int kind, long value);
// 166..171 for the six port-register addresses, else 0.
int port_register_code(long address);
// Writes the assembly that pushes the operand, then lays it.
int load_operand(int kind, std::string_view name, long value);
// Compiles the item list the expression parser left.
int generate_expression();
// The [index] of an assignment target: lays ARRAY/ARRAYW with its index and
// returns the index's assembly in `text`, to be written after the value.
int array_target_index(int array_kind, long address, std::string& text);
// The kind of a name, with its value text read as an unsigned decimal number
// (an offset or an address); -1 when the name has no entry or no value text.
int symbol_number(std::string_view name, long& value);

}  // namespace corvel::codegen
