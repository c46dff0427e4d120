// Hands the source text out byte by byte from a line buffer and counts lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "front/parser.hpp"

namespace corvel::front {

// Empties the line buffer; the next byte comes from the next line of `file`.
// The old text stays readable through line_text() until a new line arrives.
void set_source_file(SourceReader& r, std::FILE* file);
void drop_rest_of_line(SourceReader& r);
// The line as read, up to a 0 byte in it.
std::string line_text(const SourceReader& r);
// Makes `text` (at most 998 bytes) the current line; false and no change when longer.
bool load_line(SourceReader& r, std::string_view text);
// 0..255, or -1 at the end of the input.
int next_byte(SourceReader& r);
void push_back(SourceReader& r);

}  // namespace corvel::front
