// The firmware services that programs call as built-in functions.
#pragma once

#include <string_view>

namespace corvel::codegen {

struct Builtin {
  int number;             // service number, 1..46 (there is no 26)
  const char* name;
  const char* signature;  // result letter, then one letter per parameter
  const char* call_line;  // the native call of the service
};

inline constexpr int kBuiltinCount = 45;
extern const Builtin kBuiltins[kBuiltinCount];

// The row of a service number, or null (0, 26, above 46).
const Builtin* builtin_by_number(int number);

// The result letter (blank: no value) and the parameter letters.
inline char result_letter(const Builtin& b) { return b.signature[0]; }
inline std::string_view parameter_letters(const Builtin& b) { return std::string_view(b.signature).substr(1); }

}  // namespace corvel::codegen
