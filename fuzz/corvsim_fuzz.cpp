// Runs arbitrary ROM files of byte code or native code, with a bounded
// number of steps. Input: the board file, a 0x00 byte, then the ROM file's
// Intel HEX text. The firmware's entry points lie where the native-road
// tests link them, so that their ROM files serve as seeds.
#include <cstdio>
#include <string>

#include "codegen/builtin_table.hpp"
#include "command_line.hpp"
#include "fuzz_files.hpp"

namespace {

std::string entry(const std::string& name, unsigned address) {
  char line[64];
  std::snprintf(line, sizeof line, "%s\t.EQU\tH'%X\n", name.c_str(), address);
  return line;
}

// Services from H'1000 in the order of the built-in table (return has no
// entry, exit is USERRET), the port and overlay routines from H'1100, the
// operator routines from H'1200.
std::string firmware() {
  std::string text;
  unsigned at = 0x1000;
  for (const corvel::codegen::Builtin& b : corvel::codegen::kBuiltins) {
    std::string name = b.name;
    if (name != "return") text += entry(name == "exit" ? "USERRET" : "f" + name, at), at += 4;
  }
  at = 0x1100;
  for (const char* name : {"fGetData", "fSetData", "fOverlay"}) text += entry(name, at), at += 4;
  at = 0x1200;
  for (const char* name : {"H8_M_NOT", "H8_M_MOD", "H8_M_NEQ", "H8_M_GEQ", "H8_M_GTR", "H8_M_CMP", "H8_M_SHIFTL", "H8_M_SHIFTR"})
    text += entry(name, at), at += 4;
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* null = std::fopen("/dev/null", "w");
  static const std::string rom = fuzz::scratch("prog.rom");
  static const std::string board = fuzz::scratch("control.dat");
  static const std::string board_option = "-" + board;
  static const std::string wave = fuzz::scratch("prog.vcd");
  static const std::string entries = fuzz::scratch("H8FUNC.H");
  static const bool written = (fuzz::write(entries, firmware()), true);
  (void)written;
  fuzz::write(board, fuzz::take_part(data, size, '\0'));
  fuzz::write(rom, std::string(reinterpret_cast<const char*>(data), size));
  const char* argv[] = {"corvsim", rom.c_str(), board_option.c_str(), "--max-steps", "5000",
                        "--vcd",   wave.c_str(), "--firmware", entries.c_str()};
  corvsim::run_corvsim(9, argv, null);
  return 0;
}
