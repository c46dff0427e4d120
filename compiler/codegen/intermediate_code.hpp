// The byte code that the board's firmware interprets: opcodes, operand
// encodings, element lengths and the words the listing prints for them.
// Every emitter and the listing use these definitions.
#pragma once

#include <cstdint>

namespace corvel::codegen {

// Operands.
inline constexpr int kBoolFirst = 0;       // 0..79: a port bit
inline constexpr int kBoolDirFirst = 80;   // 80..159: a direction-register bit
inline constexpr int kDirectionOffset = 80;
inline constexpr int kConst1 = 160;        // 160, v
inline constexpr int kConst2 = 161;        // 161, high, low
inline constexpr int kVal1 = 162;          // BYTE variable: 162, address
inline constexpr int kVal2 = 163;          // WORD variable: 163, address
inline constexpr int kArray = 164;         // BYTE array element: 164, address, index operand
inline constexpr int kArrayW = 165;        // WORD array element: 165, address, index operand
inline constexpr int kPortRegisterFirst = 166;  // A_DT, A_DIR, B_DT, B_DIR, C_DT, C_DIR
inline constexpr int kPortRegisterLast = 171;

// Instructions.
inline constexpr int kLet = 180;      // 180, target, item count, items
inline constexpr int kJudge = 181;    // 181, skip address, item count, items
inline constexpr int kGoto = 182;     // 182, target address
inline constexpr int kCall = 183;     // 183, target address
inline constexpr int kCallIn = 184;   // 184, service number, one operand per parameter
inline constexpr int kFuncEnd = 254;
inline constexpr int kProgEnd = 255;

// Operators: the operator's token code + 184.
inline constexpr int kOperatorBase = 184;
inline constexpr int kOperatorFirst = 186;
inline constexpr int kOperatorLast = 218;

inline int operator_byte(int token_code) { return token_code + kOperatorBase; }

enum class Element {
  Bool,
  BoolDir,
  Const1,
  Const2,
  Val1,
  Val2,
  Array,
  ArrayW,
  PortRegister,
  Let,
  Judge,
  Goto,
  Call,
  CallIn,
  Operator,
  FuncEnd,
  ProgEnd,
  Unassigned,
};

// What an element beginning with `byte` is.
Element element_of(int byte);
// Bytes of the element itself, not counting a nested index or target
// operand (ARRAY, ARRAYW: 3; LET: 2) nor the items and arguments that follow.
int element_own_length(Element e);
// The listing's text of an operator byte ("+ ", "<<= " ...), or null.
const char* operator_text(int byte);
// The listing's word of a port-register code ("A_DT" ...), or null.
const char* port_register_word(int code);

}  // namespace corvel::codegen
