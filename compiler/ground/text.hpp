// Small text helpers shared by every layer: printf-style formatting into a
// string, the character classes of the source language and number reading.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>
#include <memory>

namespace corvel::ground {

std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_text(const char* format, va_list args);
// For formats that come from a table, where the compiler cannot check them.
std::string format_text_unchecked(const char* format, ...);

// A text growing in memory: the output files are built here by hand-made
// conversions and written whole.
class TextBuffer {
 public:
  std::string_view view() const { return {bytes_.get(), size_}; }
  size_t size() const { return size_; }
  void clear() { size_ = 0; }
  // Room for `n` more bytes at the end; commit() tells where the writing ended.
  char* room(size_t n) {
    if (capacity_ - size_ < n) grow(n);
    return bytes_.get() + size_;
  }
  void commit(const char* end) { size_ = static_cast<size_t>(end - bytes_.get()); }
  void append(std::string_view text);
  void push_back(char c) { *room(1) = c, ++size_; }

 private:
  void grow(size_t n);
  std::unique_ptr<char[]> bytes_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// Appends the formatted text to `out`. The conversions of the assembly lines
// (%d %i %u %x %X %c %s %%, with the flags - and 0, a width and the length l)
// are made by hand, since printf costs many times more a line; the first
// other conversion hands the rest of the format to vsnprintf.
void append_vformat(TextBuffer& out, const char* format, va_list args);
void append_format(TextBuffer& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Two upper-case hexadecimal digits at `w`; returns the end.
inline char* put_hex_byte(char* w, unsigned byte) {
  constexpr const char* kDigits = "0123456789ABCDEF";
  w[0] = kDigits[(byte >> 4) & 0xF];
  w[1] = kDigits[byte & 0xF];
  return w + 2;
}
void append_decimal(TextBuffer& out, long value);

// ASCII only: bytes of 0x80 and above belong to no class.
constexpr bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool is_digit(int c) { return c >= '0' && c <= '9'; }
constexpr bool is_hex_digit(int c) { return is_digit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
constexpr bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
constexpr int hex_value(int c) { return is_digit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

// Leading decimal or hexadecimal digits, saturating at 0xFFFFFFFF.
std::uint32_t parse_decimal(std::string_view text);
std::uint32_t parse_hex(std::string_view text);

// Compares the start of `text` with `prefix`, ignoring ASCII case.
bool starts_with_nocase(std::string_view text, std::string_view prefix);

}  // namespace corvel::ground
