// The assembly output of native mode: a data stream (the .asm file itself)
// and a code stream appended to it at the end of the compilation.
#pragma once

#include <string_view>

namespace corvel::driver {

// The compilation writes assembly (an output file is open).
bool native_mode();
// Assembly text is written now: pass 2 of native mode.
bool native_output();
// Both write only while native_output() holds.
void emit_code(const char* format, ...) __attribute__((format(printf, 1, 2)));
void emit_data(const char* format, ...) __attribute__((format(printf, 1, 2)));
void emit_code_text(std::string_view text);

}  // namespace corvel::driver
