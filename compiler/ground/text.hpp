// Small text helpers shared by every layer: printf-style formatting into a
// string, the character classes of the source language and number reading.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::ground {

std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_text(const char* format, va_list args);
// For formats that come from a table, where the compiler cannot check them.
std::string format_text_unchecked(const char* format, ...);

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
