// printf-style formatting into a std::string, for messages and assembly lines.
#pragma once

#include <cstdarg>
#include <string>

namespace corvel::driver {

std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_text(const char* format, va_list args);

}  // namespace corvel::driver
