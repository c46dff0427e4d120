// The window of the last ten lines read: lines enter it one by one, the rules
// are tried on its newest lines, and lines leave it oldest first.
#pragma once

#include <cstdio>
#include <string>

namespace trimmel {

// Takes one piece of the file into the window, writing the oldest line to out
// when the window is full, then tries the rules. long_line marks a piece of a
// line longer than one piece: it holds text but matches nothing.
void take_line(const std::string& piece, bool long_line, std::FILE* out);

// Writes the lines still held, oldest first.
void flush_window(std::FILE* out);

}  // namespace trimmel
