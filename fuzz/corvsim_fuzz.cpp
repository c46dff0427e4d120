// Runs arbitrary ROM files of byte code, with a bounded number of steps.
// Input: the board file, a 0x00 byte, then the ROM file's Intel HEX text.
#include <cstdio>

#include "command_line.hpp"
#include "fuzz_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* null = std::fopen("/dev/null", "w");
  static const std::string rom = fuzz::scratch("prog.rom");
  static const std::string board = fuzz::scratch("control.dat");
  static const std::string board_option = "-" + board;
  static const std::string wave = fuzz::scratch("prog.vcd");
  fuzz::write(board, fuzz::take_part(data, size, '\0'));
  fuzz::write(rom, std::string(reinterpret_cast<const char*>(data), size));
  const char* argv[] = {"corvsim", rom.c_str(), board_option.c_str(), "--max-steps", "5000", "--vcd", wave.c_str()};
  corvsim::run_corvsim(7, argv, null);
  return 0;
}
