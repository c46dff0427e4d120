#include "normalize.hpp"

namespace trimmel {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_end(char c) { return c == '\r' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
// Letters are ASCII only: the bytes of a double-byte character are not.
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_hex_letter(char c) { return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool is_suffix(char c) { return c == 'H' || c == 'h'; }

std::string fold_blanks(std::string_view line) {
  std::string text;
  for (char c : line) {
    if (!is_blank(c)) text.push_back(c);
    else if (text.empty() || text.back() != ' ') text.push_back(' ');
  }
  return text;
}

// A line keeps no comment and no line end; a blank before the line end stays.
void cut_comment_or_line_end(std::string& text) {
  if (text.empty()) return;
  size_t semicolon = text.find(';');
  if (semicolon != std::string::npos) {
    text.resize(semicolon);
    if (!text.empty() && is_blank(text.back())) text.pop_back();
    return;
  }
  if (!is_line_end(text.back())) return;
  text.pop_back();
  if (!text.empty() && is_line_end(text.back())) text.pop_back();
}

// Labels such as LBL12_E and names such as R0 keep their digits.
bool starts_number(const std::string& text, size_t i) {
  if (!is_digit(text[i])) return false;
  if (i == 0) return true;
  char before = text[i - 1];
  return !(is_letter(before) || is_digit(before) || before == '_' || before == '.');
}

size_t number_end(const std::string& text, size_t i) {
  while (i < text.size() && (is_digit(text[i]) || is_hex_letter(text[i]))) ++i;
  if (i < text.size() && is_suffix(text[i])) ++i;
  return i;
}

void replace_numbers(const std::string& text, Normalized& out) {
  for (size_t i = 0; i < text.size();) {
    if (!starts_number(text, i)) {
      out.comparison.push_back(text[i++]);
      continue;
    }
    size_t end = number_end(text, i);
    out.number = text.substr(i, end - i);
    if (is_suffix(out.number.back())) out.number.back() = 'H';
    out.comparison += "#NUM";
    i = end;
  }
}

}  // namespace

bool Normalized::too_long() const {
  return comparison.size() > static_cast<size_t>(kNormalizedLimit) ||
         number.size() > static_cast<size_t>(kNormalizedLimit);
}

Normalized normalize(std::string_view line) {
  std::string text = fold_blanks(line);
  cut_comment_or_line_end(text);
  Normalized out;
  replace_numbers(text, out);
  return out;
}

}  // namespace trimmel
