// printf-style formatting of the assembly lines into a text buffer, by hand:
// printf costs many times more a line.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

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

// One conversion of a format: its flags, width and length; conversion 0 for none.
struct Directive {
  bool left = false;
  bool zero = false;
  bool is_long = false;
  char conversion = 0;
  std::uint16_t width = 0;
};

// The formats written so far, each cut once into pieces, a literal text and
// the conversion after it, and found again by its address: the assembly is
// written from a few hundred formats, tens of thousands of times, and a text
// of known length is copied sixteen bytes at a time. A format given here must
// therefore be a literal, whose text never changes; the checked builds stop
// at one that changed.
class FormatCache {
 public:
  static constexpr size_t kPadding = 16;  // 0 bytes after each text, for the copies that run over

  struct Piece {
    std::uint32_t text;  // where it lies in the cache's texts
    std::uint32_t size;
    Directive directive;
  };
  struct Slot {
    const char* format = nullptr;
    std::uint32_t first = 0, count = 0;  // its pieces
    std::uint32_t room = 0;              // what a line takes at most, its %s texts apart
    std::uint32_t check = 0;             // its copy in the checked builds
  };

  FormatCache();
  const Slot& find(const char* format);
  const Piece& piece(std::uint32_t i) const { return pieces_[i]; }
  const char* text(const Piece& p) const { return texts_.data() + p.text; }

 private:
  const Slot& add(const char* format, size_t i);
  void grow();
  static const char* cut_directive(const char* percent, Directive& directive);

  std::vector<Slot> slots_;  // open addressing, at most half full
  size_t mask_;
  size_t used_ = 0;
  std::vector<Piece> pieces_;
  std::string texts_;
  std::vector<std::string> checked_;
};

// Appends `format` with its conversions made from `args`, which end with a
// FormatArg of type End. The conversions are printf's %d %i %u %x %X %c %s
// and %%, with the flags - and 0, a width and the length l; each reads its
// argument as printf reads the type it names. The checked builds stop at any
// other conversion and at an argument of the wrong kind.
void append_args(TextBuffer& out, FormatCache& cache, const char* format, const FormatArg* args);

}  // namespace corvel::ground
