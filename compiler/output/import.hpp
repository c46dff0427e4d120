// Import of an assembled native program: the assembler's symbol file and its
// Intel HEX output become the code image and tables again.
#pragma once

#include <string>

namespace corvel::output {

// Function addresses, frame table and overlay-call sites from the symbol file.
int read_symbol_file(const std::string& path);
// Loads the HEX file into the code image and patches the overlay calls.
int load_hex_file(const std::string& path);

}  // namespace corvel::output
