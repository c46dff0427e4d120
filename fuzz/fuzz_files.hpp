// The fuzz targets run the programs in-process on files in one scratch folder.
// They never change the working folder: libFuzzer reads the corpus folders
// and writes new inputs and crash files by the paths given on its command
// line, which may be relative to where it was started.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// The path of a file in the scratch folder, made on the first call and
// removed when the process exits normally.
std::string scratch(const std::string& name);
void write(const std::string& path, const std::string& bytes);
// Splits the input at the first occurrences of a separator byte.
std::string take_part(const std::uint8_t*& data, std::size_t& size, char separator);

}  // namespace fuzz
