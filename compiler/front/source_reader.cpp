#include "front/source_reader.hpp"

#include <cstring>

#include "front/state.hpp"

namespace corvel::front {

namespace {

constexpr int kMaxLoadedLine = 998;

// Reads one line, line feed included, of at most 999 bytes; false at end of file.
bool read_line() {
  SourceReader& r = g.reader;
  int n = 0;
  while (n < kLineBufferSize - 1) {
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

void set_source_file(std::FILE* file) {
  g.reader.file = file;
  drop_rest_of_line();
}

std::FILE* source_file() { return g.reader.file; }

void drop_rest_of_line() {
  g.reader.length = 0;
  g.reader.position = 0;
}

void set_line_counter(int n) { g.reader.line_counter = n; }

int line_counter() { return g.reader.line_counter; }

std::string line_text() { return reinterpret_cast<const char*>(g.reader.line.data()); }

int load_line(std::string_view text) {
  if (text.size() > kMaxLoadedLine) return -1;
  SourceReader& r = g.reader;
  std::memcpy(r.line.data(), text.data(), text.size());
  r.line[text.size()] = 0;
  r.length = static_cast<int>(text.size());
  r.position = 0;
  return 0;
}

int next_byte() {
  SourceReader& r = g.reader;
  if (r.position < r.length) return r.line[r.position++];
  if (!r.file || !read_line()) return -1;
  return r.line[r.position++];
}

void push_back() {
  if (g.reader.position > 0) --g.reader.position;
}

}  // namespace corvel::front
