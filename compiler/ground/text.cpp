#include "ground/text.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace corvel::ground {

void TextBuffer::next_block(size_t n) {
  constexpr size_t kBlock = 64 * 1024;
  if (!blocks_.empty()) {
    sizes_.push_back(used_);
    written_ += used_;
  }
  capacity_ = std::max(kBlock, n);
  blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
  used_ = 0;
}

void TextBuffer::append(std::string_view text) {
  std::memcpy(room(text.size()), text.data(), text.size());
  used_ += text.size();
}

bool TextBuffer::write_to(std::FILE* file) const {
  for (size_t i = 0; i < blocks_.size(); ++i) {
    size_t n = i < sizes_.size() ? sizes_[i] : used_;
    if (std::fwrite(blocks_[i].get(), 1, n, file) != n) return false;
  }
  return true;
}

namespace {

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
  size_t width = 0;
  bool is_long = false;
  char conversion = 0;
};

bool is_hand_made(char conversion) {
  switch (conversion) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'c': case 's': case '%': return true;
    default: return false;
  }
}

// Reads the spec after a '%'; returns where it ends, or null when it holds
// anything left to vsnprintf.
const char* read_spec(const char* p, Spec& spec) {
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

// Writes the digits of `value` backwards, ending at `end`; returns where they begin.
char* write_digits(char* end, unsigned long value, unsigned base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    *--end = digits[value % base];
    value /= base;
  } while (value != 0);
  return end;
}

char* write_signed(char* end, long value) {
  unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  char* begin = write_digits(end, magnitude, 10, false);
  if (value < 0) *--begin = '-';
  return begin;
}

char* put_padded(TextBuffer& out, char* at, const Spec& spec, const char* text, size_t length, bool numeric) {
  size_t pad = spec.width > length ? spec.width - length : 0;
  if (static_cast<size_t>(out.limit() - at) < length + pad) at = more_room(out, at, length + pad);
  bool zeros = numeric && spec.zero && !spec.left;
  size_t sign = zeros && *text == '-' ? 1 : 0;  // zeros go after a sign
  at = std::copy_n(text, sign, at);
  if (!spec.left) at = std::fill_n(at, pad, zeros ? '0' : ' ');
  at = std::copy_n(text + sign, length - sign, at);
  if (spec.left) at = std::fill_n(at, pad, ' ');
  return at;
}

char* put_number(TextBuffer& out, char* at, const Spec& spec, va_list& args) {
  char buffer[32];
  char* end = buffer + sizeof buffer;
  char* begin;
  if (spec.conversion == 'd' || spec.conversion == 'i') {
    begin = write_signed(end, spec.is_long ? va_arg(args, long) : va_arg(args, int));
  } else {
    unsigned long value = spec.is_long ? va_arg(args, unsigned long) : va_arg(args, unsigned);
    begin = write_digits(end, value, spec.conversion == 'u' ? 10 : 16, spec.conversion == 'X');
  }
  if (spec.width == 0) return std::copy(begin, end, at);  // the slack holds it
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

char* put_converted(TextBuffer& out, char* at, const Spec& spec, va_list& args) {
  if (spec.conversion == '%') return put_padded(out, at, Spec{}, "%", 1, false);
  if (spec.conversion == 's') return put_string(out, at, spec, va_arg(args, const char*));
  if (spec.conversion != 'c') return put_number(out, at, spec, args);
  char c = static_cast<char>(va_arg(args, int));
  return put_padded(out, at, spec, &c, 1, false);
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

// Copies the format's text up to its next '%' or its end, which must fit
// before `limit`.
Copied copy_bytes(const char* p, char* at, const char* limit) {
  for (char c = *p; c != '%' && c != 0 && at != limit; c = *++p) *at++ = c;
  return {p, at};
}

#if CORVEL_WORD_COPY
// The same eight bytes at a time, which makes the assembly lines cheap: a
// word holding a 0 or a '%' byte ends the copy there. A word may reach past
// the format's end, never past the memory page it ends in; the sanitizers
// would report those bytes, so their builds copy byte by byte.
Copied copy_literal(const char* p, char* at, const char* limit) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  constexpr std::uint64_t kPercents = 0x2525252525252525u;
  constexpr std::uintptr_t kPage = 4096;
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
Copied copy_literal(const char* p, char* at, const char* limit) { return copy_bytes(p, at, limit); }
#endif

}  // namespace

void append_vformat(TextBuffer& out, const char* format, va_list args) {
  static_assert(std::endian::native == std::endian::little, "the word copy reads the first byte lowest");
  va_list rest;
  va_copy(rest, args);
  char* at = out.room(kSlack);
  for (const char* p = format;;) {
    Copied c = copy_literal(p, at, out.limit());
    p = c.p;
    at = c.at;
    if (*p != '%' && *p != 0) {  // the room ran out
      at = more_room(out, at, 0);
      continue;
    }
    if (*p == 0) break;
    const char* percent = p;
    Spec spec;
    p = read_spec(p + 1, spec);
    if (!p) {
      out.commit(at);
      out.append(vformat_text(percent, rest));
      at = out.room(kSlack);
      break;
    }
    if (static_cast<size_t>(out.limit() - at) < kSlack) at = more_room(out, at, 0);
    at = put_converted(out, at, spec, rest);
  }
  out.commit(at);
  va_end(rest);
}

void append_format(TextBuffer& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  append_vformat(out, format, args);
  va_end(args);
}

void append_decimal(TextBuffer& out, long value) {
  char buffer[32];
  char* end = buffer + sizeof buffer;
  char* begin = write_signed(end, value);
  out.append(std::string_view(begin, static_cast<size_t>(end - begin)));
}

std::string vformat_text(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(n) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), static_cast<size_t>(n));
}

std::string format_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat_text(format, args);
  va_end(args);
  return text;
}

std::string format_text_unchecked(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat_text(format, args);
  va_end(args);
  return text;
}

namespace {

std::uint32_t parse_digits(std::string_view text, unsigned base) {
  std::uint64_t value = 0;
  for (char ch : text) {
    int c = static_cast<unsigned char>(ch);
    if (base == 10 ? !is_digit(c) : !is_hex_digit(c)) break;
    value = value * base + static_cast<unsigned>(hex_value(c));
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::uint32_t parse_decimal(std::string_view text) { return parse_digits(text, 10); }

std::uint32_t parse_hex(std::string_view text) { return parse_digits(text, 16); }

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; };
  for (size_t i = 0; i < prefix.size(); ++i)
    if (lower(text[i]) != lower(prefix[i])) return false;
  return true;
}

}  // namespace corvel::ground
