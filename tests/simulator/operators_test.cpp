// Every operator of an expression, run as byte code, computes what the native
// code's instruction sequence computes: unsigned 16-bit words. The expected
// values below follow those sequences, not the simulator's code.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "driver/command_line.hpp"
#include "support/temp_dir.hpp"

namespace {

using corvel::testing::TempDir;
using Model = std::function<long(long, long)>;

constexpr long kValues[] = {0, 1, 255, 256, 32767, 32768, 65535};

struct Op {
  const char* text;
  Model model;
};

long mulxu(long a, long b) { return a * b; }  // MULXU.W: 16 x 16 into 32 bits

const Op kBinary[] = {
    {"+", [](long a, long b) { return (a + b) & 0xFFFF; }},           // ADD.W
    {"-", [](long a, long b) { return (a - b) & 0xFFFF; }},           // SUB.W
    {"*", [](long a, long b) { return mulxu(a, b) & 0xFFFF; }},       // MULXU.W, low word
    {"/", [](long a, long b) { return a / b; }},                      // DIVXU.W of the zero-extended dividend
    {"%", [](long a, long b) { return a % b; }},                      // the remainder routine
    {"!=", [](long a, long b) { return long{a != b}; }},
    {">=", [](long a, long b) { return long{a >= b}; }},
    {">", [](long a, long b) { return long{a > b}; }},
    {"<=", [](long a, long b) { return long{b >= a}; }},              // GEQ with the operands swapped
    {"<", [](long a, long b) { return long{b > a}; }},                // GTR with the operands swapped
    {"==", [](long a, long b) { return long{a == b}; }},
    {"<<", [](long a, long b) { return b >= 16 ? 0 : (a << b) & 0xFFFF; }},
    {">>", [](long a, long b) { return b >= 16 ? 0 : a >> b; }},
    {"&&", [](long a, long b) { return ((mulxu(a, b) >> 16) | mulxu(a, b)) & 0xFFFF; }},  // OR.W E0,R0
    {"&", [](long a, long b) { return a & b; }},
    {"||", [](long a, long b) { return a | b; }},                     // OR.W, as for |
    {"|", [](long a, long b) { return a | b; }},
};

struct Outcome {
  int status;
  std::string out;
};

Outcome run(int (*main_of)(int, const char* const*, std::FILE*), const std::vector<const char*>& argv) {
  std::FILE* console = std::tmpfile();
  int status = main_of(static_cast<int>(argv.size()), argv.data(), console);
  std::rewind(console);
  std::string out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, console)) > 0;) out.append(buffer, n);
  std::fclose(console);
  return {status, out};
}

// Compiles main's statements and runs them; the values sent with SendWord.
Outcome simulate(const TempDir& dir, const std::string& statements) {
  dir.write("prog.c", "[CODE]\nWORD a, b, r;\nBYTE c;\nmain() {\n" + statements + "}\n");
  dir.write("control.dat", "");
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  Outcome compiled = run(corvel::driver::run_corvel, {"corvel", "prog.c"});
  Outcome simulated = compiled.status == 0 ? run(corvsim::run_corvsim, {"corvsim", "prog.rom"}) : compiled;
  std::filesystem::current_path(old);
  return simulated;
}

std::vector<long> sent_words(const std::string& out) {
  std::vector<long> words;
  std::istringstream in(out);
  // The transcript's lines, not the serial output's list after it.
  for (std::string line; std::getline(in, line) && line != "serial output:";)
    if (size_t at = line.find("SendWord "); at != std::string::npos) words.push_back(std::stol(line.substr(at + 9)));
  return words;
}

std::string assign(long a, long b) { return "a = " + std::to_string(a) + "; b = " + std::to_string(b) + "; "; }

TEST(Operators, ComputeWhatTheNativeSequencesCompute) {
  TempDir dir;
  for (const Op& op : kBinary) {
    std::string statements;
    std::vector<long> want;
    for (long a : kValues)
      for (long b : kValues) {
        if ((op.text[0] == '/' || op.text[0] == '%') && b == 0) continue;
        statements += assign(a, b) + "r = a " + op.text + " b; SendWord(r);\n";
        want.push_back(op.model(a, b));
      }
    Outcome r = simulate(dir, statements);
    ASSERT_EQ(r.status, 0) << op.text << r.out;
    EXPECT_EQ(sent_words(r.out), want) << op.text;
  }
}

TEST(Operators, UnaryOperatorsAndByteOperands) {
  TempDir dir;
  std::string statements;
  std::vector<long> want;
  for (long a : kValues) {
    statements += assign(a, 0) + "r = ~a; SendWord(r); r = !a; SendWord(r); c = a; r = c + 1; SendWord(r);\n";
    want.insert(want.end(), {~a & 0xFFFF, long{a == 0}, (a & 0xFF) + 1});  // NOT.W; the NOT routine; a BYTE is zero-extended
  }
  Outcome r = simulate(dir, statements);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(sent_words(r.out), want);
}

// What the board does then is not known: the run stops and says where.
TEST(Operators, StopWhereTheMeaningIsOpen) {
  TempDir dir;
  const std::pair<const char*, const char*> cases[] = {
      {"a = 5; b = 0; r = a / b;", "stopped at <0"},
      {"a = 5; b = 0; r = a % b;", "division by zero"},
      {"r = a++;", "the operator ++ inside an expression has no meaning this system defines"},
  };
  for (const auto& [statements, message] : cases) {
    Outcome r = simulate(dir, statements);
    EXPECT_EQ(r.status, 1) << statements;
    EXPECT_NE(r.out.find(message), std::string::npos) << r.out;
  }
}

}  // namespace
