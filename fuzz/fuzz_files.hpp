// The fuzz targets run the programs in-process inside one scratch folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Makes (once) and enters a scratch folder for the whole run.
void enter_scratch_folder();
void write(const std::string& name, const std::string& bytes);
// Splits the input at the first occurrences of a separator byte.
std::string take_part(const std::uint8_t*& data, std::size_t& size, char separator);

}  // namespace fuzz
