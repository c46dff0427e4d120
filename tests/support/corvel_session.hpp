// Runs corvel in-process in a scratch folder, its console captured, so that
// tests can look at the printed text and at the compiler's tables afterwards.
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

// The code image bytes [from, to) of the last compilation.
std::vector<int> image_bytes(int from, int to);

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
