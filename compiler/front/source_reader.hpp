// Hands the source text out byte by byte, a line at a time, and counts lines.
// The whole text is in memory; a line is read by finding its end in it.
#pragma once

#include <cstdio>
#include <string_view>

#include "front/parser.hpp"

namespace corvel::front {

// Reading starts at the beginning of `text`, which must outlive the reading,
// with an empty line: the next byte comes from the first line. The old line
// stays readable through line_text() until a new line arrives.
void set_source_text(SourceReader& r, std::string_view text);
// The same with the rest of `file` (none when null), read into the reader.
void set_source_file(SourceReader& r, std::FILE* file);
inline void drop_rest_of_line(SourceReader& r) { r.length = r.position = 0; }
// The line as read, up to a 0 byte in it.
std::string_view line_text(const SourceReader& r);
// Makes `text` (at most 998 bytes) the current line; false and no change when longer.
bool load_line(SourceReader& r, std::string_view text);
// Reads the next line (at most 999 bytes, line feed included); false at the end.
bool read_line(SourceReader& r);
// The next raw piece of the text (at most `limit` bytes, line feed included),
// passing the line buffer by; false at the end.
bool read_piece(SourceReader& r, int limit, std::string_view& piece);

// 0..255, or -1 at the end of the input.
inline int next_byte(SourceReader& r) {
  if (r.position < r.length) return r.line[r.position++];
  if (!read_line(r)) return -1;
  return r.line[r.position++];
}

inline void push_back(SourceReader& r) {
  if (r.position > 0) --r.position;
}

}  // namespace corvel::front
