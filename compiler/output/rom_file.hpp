// The ROM file: the frame table and the code image as Intel HEX records.
#pragma once

#include <string>

namespace corvel::output {

// 0, or -1 after "file open error [path]" when the file cannot be written whole.
int write_rom_file(const std::string& path);

}  // namespace corvel::output
