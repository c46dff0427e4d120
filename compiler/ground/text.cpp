#include "ground/text.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace corvel::ground {

void TextBuffer::grow(size_t n) {
  capacity_ = std::max(2 * capacity_, size_ + n + 4096);
  auto bigger = std::make_unique_for_overwrite<char[]>(capacity_);
  if (size_ != 0) std::memcpy(bigger.get(), bytes_.get(), size_);
  bytes_ = std::move(bigger);
}

void TextBuffer::append(std::string_view text) {
  std::memcpy(room(text.size()), text.data(), text.size());
  size_ += text.size();
}

namespace {

// One conversion of a format: its flags, width and length.
struct Spec {
  bool left = false;
  bool zero = false;
  int width = 0;
  bool is_long = false;
  char conversion = 0;
};

bool is_hand_made(char conversion) {
  switch (conversion) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'c': case 's': case '%': return true;
    default: return false;
  }
}

// Reads the spec after a '%'; false when it holds anything left to vsnprintf.
bool read_spec(const char*& p, Spec& spec) {
  for (;; ++p) {
    if (*p == '-') spec.left = true;
    else if (*p == '0') spec.zero = true;
    else break;
  }
  for (; *p >= '0' && *p <= '9'; ++p) spec.width = spec.width * 10 + (*p - '0');
  if (*p == 'l') {
    spec.is_long = true;
    ++p;
  }
  spec.conversion = *p;
  if (!is_hand_made(spec.conversion)) return false;
  ++p;
  return true;
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

void append_padded(TextBuffer& out, const Spec& spec, const char* text, size_t length, bool numeric) {
  size_t width = static_cast<size_t>(spec.width);
  size_t pad = width > length ? width - length : 0;
  char* w = out.room(length + pad);
  size_t sign = numeric && spec.zero && !spec.left && *text == '-' ? 1 : 0;  // zeros go after a sign
  char fill = numeric && spec.zero && !spec.left ? '0' : ' ';
  w = std::copy_n(text, sign, w);
  if (!spec.left) w = std::fill_n(w, pad, fill);
  w = std::copy_n(text + sign, length - sign, w);
  if (spec.left) w = std::fill_n(w, pad, ' ');
  out.commit(w);
}

void append_number(TextBuffer& out, const Spec& spec, va_list& args) {
  char buffer[32];
  char* end = buffer + sizeof buffer;
  char* begin;
  if (spec.conversion == 'd' || spec.conversion == 'i') {
    begin = write_signed(end, spec.is_long ? va_arg(args, long) : va_arg(args, int));
  } else {
    unsigned long value = spec.is_long ? va_arg(args, unsigned long) : va_arg(args, unsigned);
    begin = write_digits(end, value, spec.conversion == 'u' ? 10 : 16, spec.conversion == 'X');
  }
  append_padded(out, spec, begin, static_cast<size_t>(end - begin), true);
}

void append_converted(TextBuffer& out, const Spec& spec, va_list& args) {
  if (spec.conversion == '%') return out.push_back('%');
  if (spec.conversion == 'c') {
    char c = static_cast<char>(va_arg(args, int));
    return append_padded(out, spec, &c, 1, false);
  }
  if (spec.conversion != 's') return append_number(out, spec, args);
  const char* text = va_arg(args, const char*);
  if (!text) text = "(null)";
  append_padded(out, spec, text, std::strlen(text), false);
}

// Copies the format up to its next '%' or its end; returns where it stopped.
const char* copy_literal(TextBuffer& out, const char* p) {
  const char* end = strchrnul(p, '%');
  out.append(std::string_view(p, static_cast<size_t>(end - p)));
  return end;
}

}  // namespace

void append_vformat(TextBuffer& out, const char* format, va_list args) {
  va_list rest;
  va_copy(rest, args);
  for (const char* p = copy_literal(out, format); *p != 0; p = copy_literal(out, p)) {
    const char* percent = p++;
    Spec spec;
    if (!read_spec(p, spec)) {
      out.append(vformat_text(percent, rest));
      break;
    }
    append_converted(out, spec, rest);
  }
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
