// Import of an assembled native program: the assembler's symbol file and its
// Intel HEX output become a code image and its tables again.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ground/image.hpp"

namespace corvel::output {

// What the symbol file adds to the information file's tables.
struct Imported {
  ground::Image tables;       // function addresses and frames, absolute
  std::vector<long> updates;  // addresses of the update_ labels before overlay calls
  std::string symbol_path;
};

struct ImportFiles {
  std::string hex, symbols, info;
};

// Reads the information file, the symbol file and the HEX file, then writes
// the information file again; returns the image for the ROM file. Nothing is
// written unless all three were read whole.
ground::Image import_program(const ImportFiles& files);

// Reads the data of an Intel HEX file by the import's rules, handing on each
// run of contiguous bytes with its address; false for a record the import
// does not read (a type other than data, end and segment, or a corrupted one).
using RunTaker = std::function<void(long address, const std::vector<std::uint8_t>& run)>;
bool read_hex_runs(std::FILE* f, const RunTaker& take);

// Function addresses, frame table and overlay-call sites from the symbol file.
Imported read_symbol_file(const std::string& path, const ground::Image& info);
// The image the HEX file holds, with its overlay calls patched.
ground::Image load_hex_file(const std::string& path, const Imported& imported);

}  // namespace corvel::output
