// printf-style formatting of the assembly lines into a text buffer, by hand:
// printf costs many times more a line.
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "ground/text_buffer.hpp"

namespace corvel::ground {

// An argument of append_args(): a number or a text, with the kind it was
// given as, so that no va_list is needed and a conversion can be checked
// against it.
struct FormatArg {
  enum class Type : std::uint8_t { End, Signed, Unsigned, Text };

  FormatArg() = default;
  template <std::integral T>
  FormatArg(T value) : type(std::is_signed_v<T> ? Type::Signed : Type::Unsigned), number(static_cast<long>(value)) {}
  FormatArg(const char* value) : type(Type::Text), text(value) {}

  Type type = Type::End;
  union {
    long number = 0;  // an unsigned value keeps its bits
    const char* text;
  };
};

// Appends `format` with its conversions made from `args`, which end with a
// FormatArg of type End. The conversions are printf's %d %i %u %x %X %c %s
// and %%, with the flags - and 0, a width and the length l; each reads its
// argument as printf reads the type it names. The checked builds stop at any
// other conversion and at an argument of the wrong kind.
void append_args(TextBuffer& out, const char* format, const FormatArg* args);

}  // namespace corvel::ground
