// Hands the source text out byte by byte from a line buffer and counts lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace corvel::front {

// Empties the line buffer; the next byte comes from the next line of `file`.
// The old text stays readable through line_text() until a new line arrives.
void set_source_file(std::FILE* file);
std::FILE* source_file();
void drop_rest_of_line();
void set_line_counter(int n);
int line_counter();
std::string line_text();
// Makes `text` (at most 998 bytes) the current line; -1 and no change when longer.
int load_line(std::string_view text);
// 0..255, or -1 at the end of the input.
int next_byte();
void push_back();

}  // namespace corvel::front
