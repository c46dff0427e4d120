// Imports arbitrary information, symbol and HEX files.
// Input: the .inf text, 0x00, the .sym text, 0x00, the .hex text.
#include <cstdio>

#include "driver/command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::enter_scratch_folder();
  static std::FILE* null = std::fopen("/dev/null", "w");
  fuzz::write("prog.inf", fuzz::take_part(data, size, '\0'));
  fuzz::write("prog.sym", fuzz::take_part(data, size, '\0'));
  fuzz::write("prog.hex", std::string(reinterpret_cast<const char*>(data), size));
  const char* import[] = {"corvel", "prog.hex"};
  corvel::driver::run_corvel(2, import, null);
  return 0;
}
