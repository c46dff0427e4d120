// The ROM file: the frame table and the code image as Intel HEX records.
#pragma once

#include <string>

#include "ground/image.hpp"

namespace corvel::output {

// Fails with "file open error [path]" when the file cannot be written whole.
void write_rom_file(const std::string& path, const ground::Image& image);

}  // namespace corvel::output
