#include "console.hpp"

#include <cstdio>

#include "state.hpp"

namespace trimmel {

void say(const char* text) { std::fputs(text, g.console); }

void say_line_number(const char* format, int line) { std::fprintf(g.console, format, line); }

void say_path(const char* format, const std::string& path) { std::fprintf(g.console, format, path.c_str()); }

}  // namespace trimmel
