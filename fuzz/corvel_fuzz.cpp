// Compiles arbitrary program text in both modes, with the listing.
// Input: the board file, a 0x00 byte, then the program text after [CODE].
#include <cstdio>

#include "driver/command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* null = std::fopen("/dev/null", "w");
  static const std::string source = fuzz::scratch("prog.c");
  static const std::string board = fuzz::scratch("control.dat");
  static const std::string board_option = "-" + board;
  fuzz::write(board, fuzz::take_part(data, size, '\0'));
  fuzz::write(source, "[CODE]\n" + std::string(reinterpret_cast<const char*>(data), size));
  const char* intermediate[] = {"corvel", source.c_str(), board_option.c_str(), "-g"};
  corvel::driver::run_corvel(4, intermediate, null);
  const char* native[] = {"corvel", source.c_str(), board_option.c_str(), "-a"};
  corvel::driver::run_corvel(4, native, null);
  return 0;
}
