#include "console.hpp"

namespace trimmel {

void Console::say(const char* text) const { std::fputs(text, stream); }

void Console::say_line_number(const char* format, int line) const { std::fprintf(stream, format, line); }

void Console::say_path(const char* format, const std::string& path) const {
  std::fprintf(stream, format, path.c_str());
}

}  // namespace trimmel
