#include "front/source_reader.hpp"

#include <cstring>

namespace corvel::front {

namespace {

// Reads one line, line feed included, of at most 999 bytes; false at end of file.
bool read_line(SourceReader& r) {
  int n = 0;
  while (n < ground::kLineBufferSize - 1) {
    int c = std::getc(r.file);
    if (c == EOF) break;
    r.line[n++] = static_cast<unsigned char>(c);
    if (c == '\n') break;
  }
  if (n == 0) return false;
  r.line[n] = 0;
  r.length = n;
  r.position = 0;
  ++r.line_counter;
  return true;
}

}  // namespace

void set_source_file(SourceReader& r, std::FILE* file) {
  r.file = file;
  drop_rest_of_line(r);
}

void drop_rest_of_line(SourceReader& r) {
  r.length = 0;
  r.position = 0;
}

std::string line_text(const SourceReader& r) { return reinterpret_cast<const char*>(r.line.data()); }

bool load_line(SourceReader& r, std::string_view text) {
  if (text.size() > ground::kMaxLoadedLine) return false;
  std::memcpy(r.line.data(), text.data(), text.size());
  r.line[text.size()] = 0;
  r.length = static_cast<int>(text.size());
  r.position = 0;
  return true;
}

int next_byte(SourceReader& r) {
  if (r.position < r.length) return r.line[r.position++];
  if (!r.file || !read_line(r)) return -1;
  return r.line[r.position++];
}

void push_back(SourceReader& r) {
  if (r.position > 0) --r.position;
}

}  // namespace corvel::front
