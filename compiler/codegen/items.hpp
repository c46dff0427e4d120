// The typed data the front end hands the code generator: operands as the
// symbol table resolved them, and the items of an expression in postfix order.
#pragma once

#include <string>
#include <vector>

#include "ground/kinds.hpp"

namespace corvel::codegen {

struct Builtin;

// A name as the symbol table told when it was read: its kind (None when it is
// not there), the name itself, which native code writes as a label, and the
// entry's value read as a number (an offset or an address).
struct Operand {
  ground::Kind kind = ground::Kind::None;
  std::string name;
  long value = 0;
};

// Token codes of the items, the vocabulary the expression parser shares.
inline constexpr int kSmallNumber = 41;   // 0..255 and every character constant
inline constexpr int kMediumNumber = 43;  // 256..65535
inline constexpr int kLargeNumber = 44;
inline constexpr int kRealNumber = 45;
inline constexpr int kName = 52;
inline constexpr int kOpenParen = 53;
inline constexpr int kCloseParen = 54;

inline bool is_integer_code(int code) { return code == kSmallNumber || code == kMediumNumber; }

// An argument of a built-in call inside an expression: a number or a name.
struct Argument {
  int code = 0;  // kSmallNumber, kMediumNumber or kName
  long value = 0;
  Operand name;
};

// An array element's index: one token, a number when it begins with a digit.
struct Index {
  bool constant = false;
  int code = 0;  // a constant's token code, for an assignment target
  long value = 0;
  Operand name;
};

// One operand or operator of an expression.
struct Item {
  int code = 0;       // the item's token code: an operator 2..34, a number 41..45, a name 52, or a parenthesis
  long value = 0;     // a number's value; a pin reference's port-bit code
  Operand operand;    // a name: a variable, a pin reference (kind Pin), an array or a built-in
  Index index;        // an array element's index
  const Builtin* builtin = nullptr;  // a built-in call
  std::vector<Argument> arguments;
};

using Expression = std::vector<Item>;

}  // namespace corvel::codegen
