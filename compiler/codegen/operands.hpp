// The operand layer that expressions, assignments and built-in calls share:
// laying one operand's bytes, loading it onto the processor stack, and the
// port bits behind port names.
#pragma once

#include <string_view>

#include "codegen/gen.hpp"
#include "codegen/items.hpp"

namespace corvel::codegen {

// A constant of a small (CONST1) or medium (CONST2) number's token code.
void lay_constant(Gen& g, int code, long value);
// A variable ('?', '@') or a port bit ('=', '>': `value` is the port-bit code).
void lay_operand(Gen& g, ground::Kind kind, long value);
// 166..171 for the six port-register addresses, else 0.
int port_register_code(long address);
// Writes the assembly that pushes a port bit, BYTE or WORD variable, then lays it.
void load_operand(Gen& g, const Operand& operand);

// The one- or two-digit number that ends a name (before ".dir"), or -1.
int trailing_number(std::string_view text);
// The port-bit code of a named port bit whose entry holds `offset`.
int port_bit_lookup(const Gen& g, std::string_view name, long offset);
// A port bit that a #port pin map holds belongs to that port as a whole.
bool in_a_pin_map(const Gen& g, int code);

}  // namespace corvel::codegen
