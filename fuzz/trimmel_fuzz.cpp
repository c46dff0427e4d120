// Rewrites an arbitrary file by an arbitrary rule table.
// Input: the rule table, 0x00, then the file to rewrite.
#include <cstdio>

#include "command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::enter_scratch_folder();
  static std::FILE* null = std::fopen("/dev/null", "w");  // opened once for all inputs
  fuzz::write("rules.rul", fuzz::take_part(data, size, '\0'));
  fuzz::write("prog.asm", std::string(reinterpret_cast<const char*>(data), size));
  const char* args[] = {"trimmel", "rules.rul", "prog.asm", "prog.bak"};
  trimmel::run_trimmel(4, args, null);
  return 0;
}
