// Small text helpers shared by every layer: printf-style formatting into a
// string, the character classes of the source language and number reading.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <cstdio>
#include <memory>

namespace corvel::ground {

std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_text(const char* format, va_list args);
// For formats that come from a table, where the compiler cannot check them.
std::string format_text_unchecked(const char* format, ...);

// A text growing in memory: the output files are built here by hand-made
// conversions and written whole. It grows by blocks, so nothing is copied
// as it grows.
class TextBuffer {
 public:
  size_t size() const { return written_ + (blocks_.empty() ? 0 : used_); }
  // Room for `n` more bytes at the end; commit() tells where the writing ended.
  char* room(size_t n) {
    if (capacity_ - used_ < n) next_block(n);
    return blocks_.back().get() + used_;
  }
  void commit(const char* end) { used_ = static_cast<size_t>(end - blocks_.back().get()); }
  // The end of the room there is now.
  char* limit() const { return blocks_.back().get() + capacity_; }
  void append(std::string_view text);
  void push_back(char c) { *room(1) = c, ++used_; }
  void clear() { *this = TextBuffer(); }
  // Writes the text to `file`; false when it was not written whole.
  bool write_to(std::FILE* file) const;

 private:
  void next_block(size_t n);
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<size_t> sizes_;  // of the blocks before the last
  size_t written_ = 0;         // their sum
  size_t used_ = 0;            // of the last block
  size_t capacity_ = 0;        // of the last block
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
