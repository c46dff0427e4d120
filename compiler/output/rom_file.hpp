// The ROM file: the frame table and the code image as Intel HEX records.
#pragma once

#include <string>

#include "ground/image.hpp"

namespace corvel::output {

// Fails with "file open error [path]" when the file cannot be written whole.
void write_rom_file(const std::string& path, const ground::Image& image);

// A ROM file read back: the frame table's entries (starts as image offsets)
// and the image, as long as the frame table says it is. Addresses that no
// record holds read 255. Fails with the import's messages.
ground::Image read_rom_file(const std::string& path);

}  // namespace corvel::output
