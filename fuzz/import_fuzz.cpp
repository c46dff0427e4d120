// Imports arbitrary information, symbol and HEX files.
// Input: the .inf text, 0x00, the .sym text, 0x00, the .hex text.
#include <cstdio>

#include "driver/command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* null = std::fopen("/dev/null", "w");
  static const std::string hex = fuzz::scratch("prog.hex");
  fuzz::write(fuzz::scratch("prog.inf"), fuzz::take_part(data, size, '\0'));
  fuzz::write(fuzz::scratch("prog.sym"), fuzz::take_part(data, size, '\0'));
  fuzz::write(hex, std::string(reinterpret_cast<const char*>(data), size));
  const char* import[] = {"corvel", hex.c_str()};
  corvel::driver::run_corvel(2, import, null);
  return 0;
}
