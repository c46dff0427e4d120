#include "driver/diagnostics.hpp"

#include <cstdarg>

#include "driver/messages.hpp"
#include "driver/state.hpp"
#include "driver/text_format.hpp"

namespace corvel::driver {

int fail(int site, const char* format, ...) {
  if (format) {
    va_list args;
    va_start(args, format);
    g.message = vformat_text(format, args);
    va_end(args);
  }
  if (site != 0) g.diagnostic = format_text(msg::kLineNumber, site);
  return -1;
}

}  // namespace corvel::driver
