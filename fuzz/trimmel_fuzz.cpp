// Rewrites an arbitrary file by an arbitrary rule table.
// Input: the rule table, 0x00, then the file to rewrite.
#include <cstdio>

#include "command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* null = std::fopen("/dev/null", "w");  // opened once for all inputs
  static const std::string rules = fuzz::scratch("rules.rul");
  static const std::string target = fuzz::scratch("prog.asm");
  static const std::string backup = fuzz::scratch("prog.bak");
  fuzz::write(rules, fuzz::take_part(data, size, '\0'));
  fuzz::write(target, std::string(reinterpret_cast<const char*>(data), size));
  const char* args[] = {"trimmel", rules.c_str(), target.c_str(), backup.c_str()};
  trimmel::run_trimmel(4, args, null);
  return 0;
}
