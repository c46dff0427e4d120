// Compiles arbitrary program text in both modes, with the listing.
// Input: the board file, a 0x00 byte, then the program text after [CODE].
#include <cstdio>

#include "driver/command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::enter_scratch_folder();
  static std::FILE* null = std::fopen("/dev/null", "w");
  std::string board = fuzz::take_part(data, size, '\0');
  fuzz::write("control.dat", board);
  fuzz::write("prog.c", "[CODE]\n" + std::string(reinterpret_cast<const char*>(data), size));
  const char* intermediate[] = {"corvel", "prog.c", "-g"};
  corvel::driver::run_corvel(3, intermediate, null);
  const char* native[] = {"corvel", "prog.c", "-a"};
  corvel::driver::run_corvel(3, native, null);
  return 0;
}
