// What the output files remember between the steps of an import.
#pragma once

#include <string>
#include <vector>

namespace corvel::output {

inline constexpr int kMaxUpdates = 500;

struct OutputState {
  std::vector<long> updates;  // addresses of the update_ labels before overlay calls
  std::string symbol_path;
};

extern OutputState g;

}  // namespace corvel::output
