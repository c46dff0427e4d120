// Token codes: the vocabulary of the whole front end. Item types of the
// expression parser, the rows of its precedence tables and the first byte of
// a #define's value are all these numbers; the operators' codes are the
// intermediate code's.
#pragma once

#include "codegen/intermediate_code.hpp"
#include "codegen/items.hpp"

namespace corvel::front {

constexpr int op(codegen::Operator o) { return static_cast<int>(o); }

enum Tok : int {
  kEnd = -1,
  kIncrement = op(codegen::Operator::Increment),
  kDecrement = op(codegen::Operator::Decrement),
  kBitNot = op(codegen::Operator::BitNot),
  kXor = op(codegen::Operator::Xor),
  kLogicalNot = op(codegen::Operator::LogicalNot),
  kModAssign = op(codegen::Operator::ModAssign),
  kMulAssign = op(codegen::Operator::MulAssign),
  kDivAssign = op(codegen::Operator::DivAssign),
  kAddAssign = op(codegen::Operator::AddAssign),
  kSubAssign = op(codegen::Operator::SubAssign),
  kAndAssign = op(codegen::Operator::AndAssign),
  kOrAssign = op(codegen::Operator::OrAssign),
  kXorAssign = op(codegen::Operator::XorAssign),
  kShlAssign = op(codegen::Operator::ShlAssign),
  kShrAssign = op(codegen::Operator::ShrAssign),
  kAssign = op(codegen::Operator::Assign),
  kPlus = op(codegen::Operator::Plus),
  kMinus = op(codegen::Operator::Minus),
  kDivide = op(codegen::Operator::Divide),
  kMultiply = op(codegen::Operator::Multiply),
  kRemainder = op(codegen::Operator::Remainder),
  kNotEqual = op(codegen::Operator::NotEqual),
  kGreaterEqual = op(codegen::Operator::GreaterEqual),
  kGreater = op(codegen::Operator::Greater),
  kLessEqual = op(codegen::Operator::LessEqual),
  kLess = op(codegen::Operator::Less),
  kEqual = op(codegen::Operator::Equal),
  kShiftLeft = op(codegen::Operator::ShiftLeft),
  kShiftRight = op(codegen::Operator::ShiftRight),
  kLogicalAnd = op(codegen::Operator::LogicalAnd),
  kBitAnd = op(codegen::Operator::BitAnd),
  kLogicalOr = op(codegen::Operator::LogicalOr),
  kBitOr = op(codegen::Operator::BitOr),
  kSmallNumber = codegen::kSmallNumber,    // 0..255 and every character constant
  kMediumNumber = codegen::kMediumNumber,  // 256..65535
  kLargeNumber = codegen::kLargeNumber,    // above 65535
  kRealNumber = codegen::kRealNumber,      // one decimal point
  kComma = 48,
  kSemicolon = 49,
  kColon = 50,
  kString = 51,
  kIdentifier = codegen::kName,
  kLeftParen = codegen::kOpenParen,
  kRightParen = codegen::kCloseParen,
  kLeftBracket = 55,
  kRightBracket = 56,
  kLeftBrace = 57,
  kRightBrace = 58,
  kError = 60,
};

inline bool is_operator_token(int code) { return code >= kIncrement && code <= kBitOr; }
inline bool is_integer_token(int code) { return code == kSmallNumber || code == kMediumNumber; }
inline bool is_number_token(int code) { return code >= kSmallNumber && code <= kRealNumber; }

}  // namespace corvel::front
