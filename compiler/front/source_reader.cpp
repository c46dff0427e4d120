#include "front/source_reader.hpp"

#include <cstring>

namespace corvel::front {

namespace {

// The current line moves into the reader's own buffer, so that it stays
// readable when the text it lies in goes.
void keep_line(SourceReader& r) {
  if (!r.line || r.line == r.loaded.data()) return;
  std::memmove(r.loaded.data(), r.line, static_cast<size_t>(r.line_size));
  r.loaded[r.line_size] = 0;
  r.line = r.loaded.data();
}

size_t line_end(std::string_view text, size_t from, size_t limit) {
  size_t n = std::min(limit, text.size() - from);
  const void* feed = std::memchr(text.data() + from, '\n', n);
  return feed ? static_cast<size_t>(static_cast<const char*>(feed) - text.data()) + 1 : from + n;
}

}  // namespace

void set_source_text(SourceReader& r, std::string_view text) {
  keep_line(r);
  r.source = text;
  r.next_line = 0;
  drop_rest_of_line(r);
}

void set_source_file(SourceReader& r, std::FILE* file) {
  keep_line(r);
  r.file_text.clear();
  char block[4096];
  for (size_t n; file && (n = std::fread(block, 1, sizeof block, file)) > 0;) r.file_text.append(block, n);
  set_source_text(r, r.file_text);
}

std::string_view line_text(const SourceReader& r) {
  if (!r.line) return {};
  const void* zero = std::memchr(r.line, 0, static_cast<size_t>(r.line_size));
  size_t n = zero ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - r.line) : r.line_size;
  return {reinterpret_cast<const char*>(r.line), n};
}

bool load_line(SourceReader& r, std::string_view text) {
  if (text.size() > ground::kMaxLoadedLine) return false;
  std::memcpy(r.loaded.data(), text.data(), text.size());
  r.loaded[text.size()] = 0;
  r.line = r.loaded.data();
  r.line_size = r.length = static_cast<int>(text.size());
  r.position = 0;
  return true;
}

bool read_line(SourceReader& r) {
  size_t end = line_end(r.source, r.next_line, ground::kLineBufferSize - 1);
  if (end == r.next_line) return false;
  r.line = reinterpret_cast<const unsigned char*>(r.source.data()) + r.next_line;
  r.line_size = r.length = static_cast<int>(end - r.next_line);
  r.position = 0;
  r.next_line = end;
  ++r.line_counter;
  return true;
}

bool read_piece(SourceReader& r, int limit, std::string_view& piece) {
  size_t end = line_end(r.source, r.next_line, static_cast<size_t>(limit));
  piece = r.source.substr(r.next_line, end - r.next_line);
  r.next_line = end;
  return !piece.empty();
}

}  // namespace corvel::front
