// The one funnel of compile errors: the message slot and the diagnostic slot.
#pragma once

namespace corvel::driver {

// Fills the message slot from `format` (none when null) and, when `site` is
// not 0, the diagnostic slot with "line <site>". Returns -1 for the caller to
// pass straight up.
int fail(int site, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace corvel::driver
