// The board assembler's notation into the GNU assembler's, line for line.
#include <gtest/gtest.h>

#include "notation.hpp"

namespace corvlink {
namespace {

std::string no_include(const std::string& written, int) { return "copy-of-" + written; }

std::string line(const std::string& text) { return translate("prog.asm", text + "\n", no_include); }

TEST(Notation, TranslatesLineForLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"\tMOV.W\t#H'1F,R0", "\tMOV.W\t#0x1F,R0"},
      {"\tmov.b\t#D'10,r0l\t; H'20 stays in a comment", "\tmov.b\t#10,r0l\t; H'20 stays in a comment"},
      {"\t.DATA.B\tB'101,O'17,H'ff", "\t.byte\t0b101,017,0xff"},
      {"MEMORYTOP\t.EQU\tH'FEF10", "MEMORYTOP = 0xFEF10"},
      {"LBL1A_ELSE\t;(else)", "LBL1A_ELSE:\t;(else)"},
      {"_main:", "_main:"},
      {"\t.ORG\tMEMORYTOP+20", "\t.org\t(MEMORYTOP+20)-0xFEF10"},
      {"\t.SDATA\t\"a\\b\"\"c;\"", "\t.ascii\t\"a\\\\b\\\"c;\""},
      {"\t.RES.W\t3", "\t.space\t2*(3)"},
      {"\t.CPU\t300HA", "\t.h8300h"},
      {"\t.INCLUDE \"H8FUNC.H\"", "\t.include\t\"copy-of-H8FUNC.H\""},
      {"\tJSR\t@fPulse:24\r", "\tJSR\t@fPulse:24"},
      {";an echoed line \x82\xA0", ";an echoed line \x82\xA0"},
  };
  for (const auto& [board, gnu] : cases) EXPECT_EQ(line(board), std::string(gnu) + "\n") << board;
}

TEST(Notation, RefusesWhatItDoesNotKnow) {
  const std::pair<const char*, const char*> cases[] = {
      {"\tFOO\tR0", "prog.asm:1: unknown instruction FOO"},
      {"\tMOV.Q\tR0,R1", "prog.asm:1: unknown instruction MOV.Q"},
      {"\t.SECTION\tP", "prog.asm:1: unknown directive .SECTION"},
      {"\tMOV.W\t#H'1G,R0", "prog.asm:1: not a number: H'1G"},
      {"\t.CPU\t300", "prog.asm:1: only the H8/300H (.CPU 300HA) can be assembled, not 300"},
      {"\t.SDATA\t\"open", "prog.asm:1: a string has no closing quote"},
      {"1abc:", "prog.asm:1: not a label: 1abc:"},
  };
  for (const auto& [board, message] : cases) {
    try {
      line(board);
      ADD_FAILURE() << board;
    } catch (const NotationError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
}

}  // namespace
}  // namespace corvlink
