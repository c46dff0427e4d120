// Token codes: the vocabulary of the whole front end. Item types of the
// expression parser, the rows of its precedence tables and the first byte of
// a #define's value text are all these numbers.
#pragma once

namespace corvel::front {

enum Tok : int {
  kEnd = -1,
  kIncrement = 2,
  kDecrement = 3,
  kBitNot = 4,
  kXor = 5,
  kLogicalNot = 6,
  kModAssign = 7,
  kMulAssign = 8,
  kDivAssign = 9,
  kAddAssign = 10,
  kSubAssign = 11,
  kAndAssign = 12,
  kOrAssign = 13,
  kXorAssign = 14,
  kShlAssign = 15,
  kShrAssign = 16,
  kAssign = 17,
  kPlus = 18,
  kMinus = 19,
  kDivide = 20,
  kMultiply = 21,
  kRemainder = 22,
  kNotEqual = 23,
  kGreaterEqual = 24,
  kGreater = 25,
  kLessEqual = 26,
  kLess = 27,
  kEqual = 28,
  kShiftLeft = 29,
  kShiftRight = 30,
  kLogicalAnd = 31,
  kBitAnd = 32,
  kLogicalOr = 33,
  kBitOr = 34,
  kSmallNumber = 41,   // 0..255 and every character constant
  kMediumNumber = 43,  // 256..65535
  kLargeNumber = 44,   // above 65535
  kRealNumber = 45,    // one decimal point
  kComma = 48,
  kSemicolon = 49,
  kColon = 50,
  kString = 51,
  kIdentifier = 52,
  kLeftParen = 53,
  kRightParen = 54,
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
