// Runs corvel in-process in a scratch folder, its console captured, so that
// tests can look at the printed text and at the compiler's tables afterwards.
#pragma once

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

// The code image bytes [from, to) of the last compilation.
std::vector<int> image_bytes(int from, int to);

}  // namespace corvel::testing
