// The firmware's entry points, as the board kit's H8FUNC.H names them in the
// board assembler's notation: NAME .EQU H'1000, one a line.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

namespace corvsim {

struct EntriesError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Address to name; throws EntriesError naming the file (and line).
std::map<std::uint32_t, std::string> read_entries(const std::string& path);

}  // namespace corvsim
