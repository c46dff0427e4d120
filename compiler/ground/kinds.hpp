// What a name is: the entry kinds of the symbol table, which the grammar
// dispatches on and the code generator receives with every named operand.
#pragma once

#include <cstdint>

namespace corvel::ground {

enum class Kind : std::uint8_t {
  None = 0,  // not in the symbol table
  If = 'A',
  Goto = 'B',
  Else = 'E',
  While = 'F',
  Do = 'G',
  Break = 'H',
  Continue = 'I',
  Function = 'J',
  Builtin = 'K',
  Define = 'L',
  ByteArray = 'M',
  WordArray = 'N',
  Label = 'O',
  Forward = 'P',  // called before any definition
  PortBit = '=',
  Pin = '>',  // only operands carry it: a pin reference such as #P17
  Byte = '?',
  Word = '@',  // WORD variables and port registers
};

inline bool is_variable(Kind k) { return k == Kind::PortBit || k == Kind::Byte || k == Kind::Word; }
inline bool is_array(Kind k) { return k == Kind::ByteArray || k == Kind::WordArray; }

}  // namespace corvel::ground
