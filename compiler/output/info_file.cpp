#include "output/info_file.hpp"

#include <strings.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "ground/diagnostics.hpp"
#include "ground/text.hpp"

namespace corvel::output {

namespace {

using ground::Image;
using ground::is_digit;
using ground::is_space;

constexpr long kOverlayAddressLimit = 0x100000;  // function addresses above it are image addresses already
constexpr int kLinePiece = 256;

enum Section { kNone, kCommon, kFunction, kOverlay };

struct SectionHeader {
  const char* text;
  Section section;
};

constexpr SectionHeader kHeaders[] = {{"[Common]", kCommon}, {"[Function]", kFunction}, {"[Overlay]", kOverlay}};

// "%ld (%lXH)": decimal, then the hexadecimal of the 32-bit pattern.
void print_value(std::FILE* f, const char* name, long value) {
  std::fprintf(f, "%s = %ld (%lXH)\n", name, value, static_cast<unsigned long>(static_cast<std::uint32_t>(value)));
}

void write_sections(std::FILE* f, int compile_flag, const Image& g) {
  std::fputs("[Common]\n", f);
  print_value(f, "size", g.size);
  std::fprintf(f, "compile = %d\n", compile_flag);
  std::fputs("\n[Function]\n", f);
  for (const ground::Function& fn : g.functions) {
    long a = fn.address;
    if (g.frame_count != 0 && compile_flag == 1 && a < kOverlayAddressLimit) a = g.image_address(a);
    print_value(f, fn.name.c_str(), a);
  }
  std::fprintf(f, "\n[Overlay]\ncount = %d\n", g.frame_count);
  for (int i = 0; i < g.frame_count && i < ground::kMaxFrames; ++i) {
    long start = g.frames[i].start - (compile_flag == 1 ? ground::kNativeBase : 0);
    char name[32];
    std::snprintf(name, sizeof name, "frame%02d", i);
    print_value(f, name, start);
    std::snprintf(name, sizeof name, "frame%02dlength", i);
    print_value(f, name, g.frames[i].size);
  }
  std::fputs("\n", f);
}

Section header_of(const char* line) {
  Section section = kNone;
  for (const SectionHeader& h : kHeaders)
    if (strncasecmp(line, h.text, std::strlen(h.text)) == 0) section = h.section;
  return section;
}

// The pattern "%s %s %ld": two words and a decimal number; false when any is missing.
bool split_entry(const char* line, std::string& first, long& number) {
  const char* p = line;
  std::string words[2];
  for (std::string& word : words) {
    while (is_space(static_cast<unsigned char>(*p))) ++p;
    while (*p && !is_space(static_cast<unsigned char>(*p))) word.push_back(*p++);
    if (word.empty()) return false;
  }
  while (is_space(static_cast<unsigned char>(*p))) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!is_digit(static_cast<unsigned char>(*p))) return false;
  long value = 0;
  for (; is_digit(static_cast<unsigned char>(*p)); ++p)
    value = value < LONG_MAX / 10 - 9 ? value * 10 + (*p - '0') : value;
  first = words[0];
  number = negative ? -value : value;
  return true;
}

// frameNN or frameNNlength; false when the two digits are missing or name a frame above 15.
bool read_frame_entry(Image& g, const std::string& word, long number) {
  if (word.size() < 7 || !is_digit(static_cast<unsigned char>(word[5])) ||
      !is_digit(static_cast<unsigned char>(word[6])))
    return false;
  int n = (word[5] - '0') * 10 + (word[6] - '0');
  if (n >= ground::kMaxFrames) return false;
  if (strcasecmp(word.c_str() + 7, "length") == 0) g.frames[n].size = number;
  else g.frames[n].start = number;
  if (g.frame_count < n + 1) g.frame_count = n + 1;
  return true;
}

// Reads an entry of the current section; false when the file is malformed.
bool read_entry(Image& g, Section section, const std::string& word, long number) {
  switch (section) {
    case kCommon:
      if (strcasecmp(word.c_str(), "size") == 0)
        g.size = static_cast<int>(number < INT_MIN ? INT_MIN : number > INT_MAX ? INT_MAX : number);
      return true;
    case kFunction:
      if (static_cast<int>(g.functions.size()) >= ground::kMaxFunctions || word.size() >= ground::kMaxFunctionName)
        return false;
      g.functions.push_back({word, 0});
      return true;
    case kOverlay:
      if (strncasecmp(word.c_str(), "frame", 5) != 0) return true;
      return read_frame_entry(g, word, number);
    case kNone: return true;
  }
  return true;
}

// False when an entry is malformed.
bool read_lines(std::FILE* f, Image& image) {
  Section section = kNone;
  char line[kLinePiece];
  while (std::fgets(line, sizeof line, f)) {
    if (Section header = header_of(line); header != kNone) {
      section = header;
      continue;
    }
    std::string word;
    long number = 0;
    if (split_entry(line, word, number) && !read_entry(image, section, word, number)) return false;
  }
  return true;
}

}  // namespace

void write_info_file(const std::string& path, int compile_flag, const Image& image) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) ground::fail(ground::Diag::FileOpen, path.c_str());
  write_sections(f, compile_flag, image);
  bool failed = std::ferror(f) != 0;
  failed = std::fclose(f) != 0 || failed;
  if (failed) ground::fail(ground::Diag::FileOpen, path.c_str());
}

Image read_info_file(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) ground::fail(ground::Diag::FileOpen, path.c_str());
  Image image;
  bool well_formed = read_lines(f, image);
  std::fclose(f);
  if (!well_formed) ground::fail(ground::Diag::FileFormat, path.c_str());
  if (image.frame_count == 0) image.frames[0].size = image.size;
  return image;
}

}  // namespace corvel::output
