#include "codegen/gen.hpp"

#include <cstdarg>

namespace corvel::codegen {

void emit(Gen& g, const char* format, ...) {
  if (!native_output(g)) return;
  va_list args;
  va_start(args, format);
  g.out.vcode(format, args);
  va_end(args);
}

void emit_data(Gen& g, const char* format, ...) {
  if (!native_output(g)) return;
  va_list args;
  va_start(args, format);
  g.out.vdata(format, args);
  va_end(args);
}

void emit_text(Gen& g, std::string_view text) {
  if (native_output(g)) g.out.code(text);
}

}  // namespace corvel::codegen
