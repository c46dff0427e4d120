// The road from corvel's assembly to a ROM file: translate, assemble, link,
// write the HEX and symbol files, and import them into the ROM file.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvlink {

struct Options {
  std::string source;  // prog.asm
  std::vector<std::string> include_folders;
  bool keep = false;     // leave the folder of intermediate files in place
  bool import = true;    // also write prog.rom and update prog.inf
  std::string prefix = "h8300-hms-";
};

// A step that failed: what the user reads.
struct RoadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Runs the road; its messages go to `console`. Returns the exit status.
int run_road(const Options& options, std::FILE* console);

}  // namespace corvlink
