#include <gtest/gtest.h>

#include "rewriter/trimmel_session.hpp"

namespace trimmel {
namespace {

using corvel::testing::TempDir;

const std::string kDeleteAB = "o: A\no: B\nd:\n#END\n";

struct Case {
  const char* what;
  std::string rules;
  std::string input;
  std::string output;
};

void check(const Case& c) {
  TempDir dir;
  dir.write("rules.rul", c.rules);
  dir.write("prog.asm", c.input);
  testing::Outcome result = testing::run({dir.at("rules.rul"), dir.at("prog.asm"), dir.at("prog.bak")});
  EXPECT_EQ(0, result.status) << c.what;
  EXPECT_EQ("", result.out) << c.what;
  EXPECT_EQ(c.output, dir.read("prog.asm")) << c.what;
  EXPECT_EQ(c.input, dir.read("prog.bak")) << c.what;
}

TEST(Rewrite, ReplacesAndDeletesThroughTheWindow) {
  const std::string ten = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n";
  const Case cases[] = {
      {"passed-over lines go too", kDeleteAB, "X\n\tA\n\n\t; c\n\tB\nZ\n", "X\nZ\n"},
      {"empty line after the match", kDeleteAB, "\tA\n\tB\n\nZ\n", "\nZ\n"},
      {"a line of blanks holds text", kDeleteAB, "\tA\n \t\n\tB\n", "\tA\n \t\n\tB\n"},
      {"beyond the window", kDeleteAB, ten + "\tA\n\tB\n" + ten, ten + ten},
      {"line ends of the file", "o: A\no: B\nc: C\n#END\n", "\tA\r\n\tB\r\n", " C\n"},
      {"0 bytes compared", "o: A" + std::string(1, '\0') + "B\no: C\nd:\n#END\n",
       std::string(" A\0B\n C\n A\0X\n C\n", 16), std::string(" A\0X\n C\n", 8)},
  };
  for (const Case& c : cases) check(c);
}

// A key is the joined text of its lines, however the file splits it.
TEST(Rewrite, MatchesTheJoinedTextAcrossOtherLineSplits) {
  const std::string rules = "o: Q\nc: R\n#END\n" + kDeleteAB + "o: C D\no: E\nd:\n#END\n";
  check({"two rule lines in one", rules, "\tA B\n\tZ\n", "\tZ\n"});
  check({"one rule line in two", rules, "\tC\n D E\n\tZ\n", "\tZ\n"});
  check({"no key ends so", rules, "\tA\n\tB X\n", "\tA\n\tB X\n"});
}

// The file is read in blocks of 64 KiB: a line that runs over the end of a
// block is still one line, and a long line's pieces are still 255 bytes.
TEST(Rewrite, ReadsAcrossBlocks) {
  const std::string a = "\t" + std::string(40, 'A') + "\n";
  const std::string rules = "o:" + a + "o: B\nd:\n#END\n";
  std::string lines = "\t" + std::string(600, 'L') + "\n";
  while (lines.size() < 65000) lines += "\tLINE\n";
  for (size_t before_end : {1, 20, 41, 42, 250, 255, 256, 300}) {
    std::string head = lines + "\t" + std::string(65536 - before_end - lines.size() - 2, 'P') + "\n";
    check({"pair at a block end", rules, head + a + "\tB\n\tEND", head + "\tEND"});
    check({"long line at a block end", rules, head + std::string(256, 'C') + a + "\tB\n", head + std::string(256, 'C') + a + "\tB\n"});
  }
}

TEST(Rewrite, KeepsBoundAndUnboundRulesApart) {
  const std::string rules =
      "o: A 1\no: B\nd:\n#END\n"              // unbound: lines with a number never meet it
      "o: C\no: D\n#NUM = #NUM\nd:\n#END\n";  // bound to nothing: nothing meets it
  check({"unbound rule", rules, " A 1\n B\n", " A 1\n B\n"});
  check({"empty binding", rules, "## C\n D\n", "## C\n D\n"});
}

// The table's line counts and length flags decide which n are tried at all.
TEST(Rewrite, TriesOnlyTheLengthsTheTableAllows) {
  const Case cases[] = {
      {"one-line replace and two-line delete", "o: A\nc: X\n#END\no: B\no: C\nd:\n#END\n", " A\n B\n C\n Z\n",
       " X\n Z\n"},
      {"only deletes: the longest alone", kDeleteAB + "o: A\no: B\no: C\nd:\n#END\n", " A\n B\n Z\n A\n B\n C\n",
       " A\n B\n Z\n"},
      {"no rule of two lines", "o: Q\nc: R\n#END\no: A\no: B\no: C\nd:\n#END\n", " A B\n C\n A\n B\n C\n",
       " A B\n C\n"},
  };
  for (const Case& c : cases) check(c);
}

TEST(Rewrite, LeavesWhatCannotBeMatchedByteForByte) {
  const std::string filled = "o: V 1\no: W\n#NUM = *\nc: " + std::string(244, 'y') + "#NUM\n#END\n";
  const std::string long_comment = ";" + std::string(254, 'c') + "\tB\n";
  const Case cases[] = {
      {"fewer lines than the rules", "o: A\no: B\no: C\nc: X\n#END\n", "\tA\n\tB\n", "\tA\n\tB\n"},
      {"tail of a long line", kDeleteAB, "\tA\n" + long_comment, "\tA\n" + long_comment},
      {"filled to 255", filled, " V 123456789\n W\n", " " + std::string(244, 'y') + "123456789\n"},
      {"filled past 255", filled, " V 1234567890\n W\n", " V 1234567890\n W\n"},
  };
  for (const Case& c : cases) check(c);
}

}  // namespace
}  // namespace trimmel
