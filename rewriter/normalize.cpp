#include "normalize.hpp"

#include <array>
#include <cstring>

namespace trimmel {

namespace {

// One table lookup per byte tells everything the scan asks of it.
enum : unsigned char { kBlank = 1, kDigit = 2, kHexLetter = 4, kGlued = 8, kLineEnd = 16, kSuffix = 32 };

// Letters are ASCII only: the bytes of a double-byte character are not.
constexpr std::array<unsigned char, 256> make_classes() {
  std::array<unsigned char, 256> classes{};
  classes[' '] = classes['\t'] = kBlank;
  classes['\r'] = classes['\n'] = kLineEnd;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = classes[c + 'a' - 'A'] = kGlued;
  for (int c = 'A'; c <= 'F'; ++c) classes[c] = classes[c + 'a' - 'A'] = kGlued | kHexLetter;
  classes['H'] = classes['h'] = kGlued | kSuffix;
  for (int c = '0'; c <= '9'; ++c) classes[c] = kGlued | kDigit;
  classes['_'] = classes['.'] = kGlued;  // labels such as LBL12_E keep their digits
  return classes;
}

constexpr std::array<unsigned char, 256> kClasses = make_classes();

bool is(char c, unsigned char what) { return kClasses[static_cast<unsigned char>(c)] & what; }

size_t number_end(std::string_view line, size_t i) {
  while (i < line.size() && is(line[i], kDigit | kHexLetter)) ++i;
  if (i < line.size() && is(line[i], kSuffix)) ++i;
  return i;
}

// The scan stops at a semicolon: a comment is cut before numbers are looked for.
struct Scan {
  explicit Scan(char* comparison) : out(comparison) {}

  char* out;
  size_t size = 0;
  char last = 0;  // the last byte of the folded text, 0 while it is empty
  NormalizedSizes result;

  void put(char c) { out[size++] = c; }
};

void fold_blank(Scan& s) {
  if (s.last != ' ') s.put(' ');
  s.last = ' ';
}

size_t take_number(Scan& s, std::string_view line, size_t i) {
  size_t end = number_end(line, i);
  s.result.number_start = i;
  s.result.number = end - i;
  std::memcpy(s.out + s.size, "#NUM", 4);
  s.size += 4;
  s.last = line[end - 1];
  return end;
}

// A line keeps no comment and no line end; a blank before the line end stays.
void cut_end(Scan& s, bool at_semicolon) {
  if (at_semicolon) {
    if (s.size > 0 && s.out[s.size - 1] == ' ') --s.size;
    return;
  }
  if (s.size > 0 && is(s.out[s.size - 1], kLineEnd)) --s.size;
  if (s.size > 0 && is(s.out[s.size - 1], kLineEnd)) --s.size;
}

}  // namespace

NormalizedSizes normalize_into(std::string_view line, char* comparison) {
  Scan s(comparison);
  size_t i = 0;
  while (i < line.size() && line[i] != ';') {
    char c = line[i];
    if (is(c, kBlank)) {
      fold_blank(s);
      ++i;
    } else if (is(c, kDigit) && !is(s.last, kGlued)) {
      i = take_number(s, line, i);
    } else {
      s.put(c);
      s.last = c;
      ++i;
    }
  }
  cut_end(s, i < line.size());
  s.result.comparison = s.size;
  return s.result;
}

void copy_number(std::string_view line, const NormalizedSizes& sizes, char* number) {
  std::memcpy(number, line.data() + sizes.number_start, sizes.number);
  if (sizes.number > 0 && number[sizes.number - 1] == 'h') number[sizes.number - 1] = 'H';
}

bool Normalized::too_long() const {
  return comparison.size() > static_cast<size_t>(kNormalizedLimit) ||
         number.size() > static_cast<size_t>(kNormalizedLimit);
}

Normalized normalize(std::string_view line) {
  Normalized n;
  n.comparison.resize(kComparisonGrowth * line.size());
  NormalizedSizes sizes = normalize_into(line, n.comparison.data());
  n.comparison.resize(sizes.comparison);
  n.number.resize(sizes.number);
  copy_number(line, sizes, n.number.data());
  return n;
}

}  // namespace trimmel
