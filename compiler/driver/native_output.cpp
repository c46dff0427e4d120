#include "driver/native_output.hpp"

#include <cstdarg>
#include <cstdio>

#include "driver/state.hpp"

namespace corvel::driver {

namespace {

void vemit(std::FILE* stream, const char* format, va_list args) {
  if (stream && native_output()) std::vfprintf(stream, format, args);
}

void emit_text(std::FILE* stream, std::string_view text) {
  if (stream && native_output()) std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

bool native_mode() { return g.data_stream != nullptr; }

bool native_output() { return g.pass == 2 && g.data_stream != nullptr; }

void emit_code(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vemit(g.code_stream, format, args);
  va_end(args);
}

void emit_data(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vemit(g.data_stream, format, args);
  va_end(args);
}

void emit_code_text(std::string_view text) { emit_text(g.code_stream, text); }

}  // namespace corvel::driver
