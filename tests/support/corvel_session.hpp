// Runs corvel in-process in a scratch folder, its console captured, and reads
// back what it wrote: the ROM file and the information file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.hpp"

namespace corvel::testing {

struct Outcome {
  int status = -1;
  std::string out;
};

// Runs corvel with `args` (without the program name) inside `dir`.
Outcome run_corvel_in(const TempDir& dir, const std::vector<std::string>& args);

// A board whose pins 1..16 drive ports 1 and 2, Vpp 1..4 port 3, Vcc 1..4 port 4.
extern const char* const kTestBoard;

// Writes prog.c ("[CODE]" and `program`) and control.dat (`board`) into `dir`
// and compiles prog.c with the extra arguments.
Outcome compile_in(const TempDir& dir, const std::string& program, const std::vector<std::string>& extra = {},
                   const std::string& board = kTestBoard);

// The bytes of an Intel HEX text by address; addresses no record holds read 255.
std::vector<int> hex_bytes(const std::string& text);
// The code-image bytes [from, to) of a ROM file: image byte k lies at address 64 + k.
std::vector<int> rom_image(const TempDir& dir, int from, int to, const std::string& name = "prog.rom");
// Frame-table entry n of a ROM file: {start + 64, size}, 16-bit words.
std::vector<int> rom_frame(const TempDir& dir, int n, const std::string& name = "prog.rom");
// The number an information file records for "size", a function or "frameNN[length]".
long info_value(const TempDir& dir, const std::string& key, const std::string& name = "prog.inf");

// Compiles statements as the body of main() after fixed declarations.
class MainBodyTest : public ::testing::Test {
 protected:
  explicit MainBodyTest(std::string declarations) : declarations_(std::move(declarations)) {}
  Outcome run(const std::string& statements, const std::vector<std::string>& extra = {});
  // The bytes of main's body, without its FUNC_END; empty after a failure.
  std::vector<int> body(const std::string& statements);
  // What a failing compilation printed after the banner: its "SymRc" line if
  // any and its "line NNNN" line, or everything when it has no number.
  std::string refusal(const std::string& statements, const std::vector<std::string>& extra = {});
  // The assembly written from "_main:" on.
  std::string assembly(const std::string& statements);
  TempDir dir_;

 private:
  std::string declarations_;
};

}  // namespace corvel::testing
