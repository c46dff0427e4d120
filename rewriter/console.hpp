// Printing on the console stream of the run (standard output unless redirected).
#pragma once

#include <string>

namespace trimmel {

void say(const char* text);
// For the texts that carry one "%d", the table's line counter.
void say_line_number(const char* format, int line);
// For the texts that carry one "%s", a file path.
void say_path(const char* format, const std::string& path);

}  // namespace trimmel
