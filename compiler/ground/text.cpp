#include "ground/text.hpp"

#include <cstdio>
#include <vector>

namespace corvel::ground {

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
