// The information file: size, compile mode, function addresses, overlay frames.
#pragma once

#include <string>

#include "ground/image.hpp"

namespace corvel::output {

// compile_flag: 0 intermediate code, 1 native code.
void write_info_file(const std::string& path, int compile_flag, const ground::Image& image);
// The byte counter, the function names and the frame table the file records.
ground::Image read_info_file(const std::string& path);

}  // namespace corvel::output
