#include "ground/format.hpp"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace corvel::ground {

namespace {

#define CORVEL_INLINE [[gnu::always_inline]] inline

// Room kept ahead of the writing pointer: a number or a padding needs at most this.
constexpr size_t kSlack = 256;

// The writing pointer `at` moves on in the buffer's room; more room is asked
// for only when it reaches the end.
char* more_room(TextBuffer& out, char* at, size_t n) {
  out.commit(at);
  return out.room(n + kSlack);
}

// One conversion of a format: its flags, width and length.
struct Spec {
  bool left = false;
  bool zero = false;
  bool is_long = false;
  char conversion = 0;
  size_t width = 0;
};

bool is_hand_made(char conversion) {
  switch (conversion) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'c': case 's': case '%': return true;
    default: return false;
  }
}

// Reads the spec after a '%'; returns where it ends, or null for a conversion
// not made here.
CORVEL_INLINE const char* read_spec(const char* p, Spec& spec) {
  for (;; ++p) {
    if (*p == '-') spec.left = true;
    else if (*p == '0') spec.zero = true;
    else break;
  }
  for (; *p >= '0' && *p <= '9'; ++p) spec.width = spec.width * 10 + static_cast<size_t>(*p - '0');
  if (*p == 'l') {
    spec.is_long = true;
    ++p;
  }
  spec.conversion = *p;
  return is_hand_made(spec.conversion) ? p + 1 : nullptr;
}

// Where a format's literal text ends, and the end of its copy.
struct Copied {
  const char* p;
  char* at;
};

#if defined(__SANITIZE_ADDRESS__)
#define CORVEL_WORD_COPY 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVEL_WORD_COPY 0
#endif
#endif
#ifndef CORVEL_WORD_COPY
#define CORVEL_WORD_COPY 1
#endif

// Copies the format's text up to its next '%' or its end, as far as `limit`.
Copied copy_bytes(const char* p, char* at, const char* limit) {
  for (char c = *p; c != '%' && c != 0 && at != limit; c = *++p) *at++ = c;
  return {p, at};
}

#if CORVEL_WORD_COPY
// The same eight bytes at a time: a word holding a 0 or a '%' byte ends the
// copy there. A word may reach past the format's end, never past the memory
// page it ends in; the sanitizers would report those bytes, so their builds
// copy byte by byte.
CORVEL_INLINE Copied copy_literal(const char* p, char* at, const char* limit) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  constexpr std::uint64_t kPercents = 0x2525252525252525u;
  constexpr std::uintptr_t kPage = 4096;
  static_assert(std::endian::native == std::endian::little, "the first byte of a word is its lowest");
  while (limit - at >= 8 && (reinterpret_cast<std::uintptr_t>(p) & (kPage - 1)) <= kPage - 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    std::uint64_t x = w ^ kPercents;
    std::uint64_t stops = (((w - kOnes) & ~w) | ((x - kOnes) & ~x)) & kHighs;
    std::memcpy(at, &w, 8);
    if (stops != 0) {
      int n = std::countr_zero(stops) / 8;  // the first stop is exact; later ones may not be
      return {p + n, at + n};
    }
    p += 8;
    at += 8;
  }
  return copy_bytes(p, at, limit);
}
#else
CORVEL_INLINE Copied copy_literal(const char* p, char* at, const char* limit) { return copy_bytes(p, at, limit); }
#endif

// The digits of `value`, written backwards to end at `end`; returns where they begin.
char* write_decimal(char* end, unsigned long value) {
  do {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  return end;
}

char* write_hex(char* end, unsigned long value, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    *--end = digits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return end;
}

char* copy_short(const char* from, const char* to, char* at) {
  while (from != to) *at++ = *from++;
  return at;
}

char* put_padded(TextBuffer& out, char* at, const Spec& spec, const char* text, size_t length, bool numeric) {
  size_t pad = spec.width > length ? spec.width - length : 0;
  if (static_cast<size_t>(out.limit() - at) < length + pad) at = more_room(out, at, length + pad);
  bool zeros = numeric && spec.zero && !spec.left;
  size_t sign = zeros && *text == '-' ? 1 : 0;  // zeros go after a sign
  at = copy_short(text, text + sign, at);
  if (!spec.left) at = std::fill_n(at, pad, zeros ? '0' : ' ');
  at = copy_short(text + sign, text + length, at);
  if (spec.left) at = std::fill_n(at, pad, ' ');
  return at;
}

bool is_signed_conversion(char c) { return c == 'd' || c == 'i'; }

// The argument's bits as printf would read them for the spec: an int or a
// long, signed or not, or a pointer.
unsigned long take(const FormatArg*& args, const Spec& spec) {
  const FormatArg& arg = *args++;
  bool wants_text = spec.conversion == 's';
#ifndef NDEBUG
  if (arg.type == FormatArg::Type::End || wants_text != (arg.type == FormatArg::Type::Text)) std::abort();
#endif
  if (wants_text) return reinterpret_cast<std::uintptr_t>(arg.text);
  if (spec.is_long) return static_cast<unsigned long>(arg.number);
  if (is_signed_conversion(spec.conversion)) return static_cast<unsigned long>(static_cast<long>(static_cast<int>(arg.number)));
  return static_cast<unsigned>(arg.number);
}

char* put_value(TextBuffer& out, char* at, const Spec& spec, unsigned long value) {
  char buffer[32];
  char* end = buffer + sizeof buffer;
  char* begin;
  if (!is_signed_conversion(spec.conversion)) {
    begin = spec.conversion == 'u' ? write_decimal(end, value) : write_hex(end, value, spec.conversion == 'X');
  } else {
    long number = static_cast<long>(value);
    begin = write_decimal(end, number < 0 ? 0UL - value : value);
    if (number < 0) *--begin = '-';
  }
  if (spec.width == 0) return copy_short(begin, end, at);  // the slack holds it
  return put_padded(out, at, spec, begin, static_cast<size_t>(end - begin), true);
}

// A string without a width is copied as it is read.
char* put_string(TextBuffer& out, char* at, const Spec& spec, const char* text) {
  if (!text) text = "(null)";
  if (spec.width != 0) return put_padded(out, at, spec, text, std::strlen(text), false);
  for (char* limit = out.limit(); *text; *at++ = *text++)
    if (at == limit) limit = (at = more_room(out, at, 1)) + kSlack;
  return at;
}

char* put_arg(TextBuffer& out, char* at, const Spec& spec, const FormatArg*& args) {
  switch (spec.conversion) {
    case '%': return put_padded(out, at, Spec{}, "%", 1, false);
    case 's': return put_string(out, at, spec, reinterpret_cast<const char*>(take(args, spec)));
    case 'c': {
      char c = static_cast<char>(take(args, spec));
      return put_padded(out, at, spec, &c, 1, false);
    }
    default: return put_value(out, at, spec, take(args, spec));
  }
}

}  // namespace

void append_args(TextBuffer& out, const char* format, const FormatArg* args) {
  char* at = out.room(kSlack);
  for (const char* p = format;;) {
    Copied c = copy_literal(p, at, out.limit());
    p = c.p;
    at = c.at;
    if (*p == 0) break;
    if (*p != '%') {  // the room ran out
      at = more_room(out, at, 0);
      continue;
    }
    Spec spec;
    const char* next = read_spec(p + 1, spec);
    if (!next) {
#ifndef NDEBUG
      std::abort();
#endif
      next = p + 1;  // the '%' alone, the rest as text
      spec = Spec{};
      spec.conversion = '%';
    }
    p = next;
    if (static_cast<size_t>(out.limit() - at) < kSlack) at = more_room(out, at, 0);
    at = put_arg(out, at, spec, args);
  }
  out.commit(at);
}

}  // namespace corvel::ground
