// The information file: size, compile mode, function addresses, overlay frames.
#pragma once

#include <string>

namespace corvel::output {

// compile_flag: 0 intermediate code, 1 native code.
int write_info_file(const std::string& path, int compile_flag);
// Fills the byte counter, the function names and the frame table from the file.
int read_info_file(const std::string& path);

}  // namespace corvel::output
