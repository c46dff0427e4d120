#include <gtest/gtest.h>

#include "rewriter/trimmel_session.hpp"

namespace trimmel {
namespace {

using corvel::testing::TempDir;

const std::string kMovPush = "o:\tMOV.W\t#H'0,R0\no:\tPUSH.W\tR0\n#NUM = *\nc:\tMOV.W\t#H'#NUM,R2\n#END\n";
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
      {"bound replace", kMovPush, "\tMOV.W\t#H'12,R0\n\tPUSH.W\tR0\n\tRTS\n", "\tMOV.W\t#H'12,R2\n\tRTS\n"},
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

TEST(Rewrite, MatchesNumbersOnlyAsBound) {
  const std::string rules =
      "o: MOV #H'0,R0\no: PUSH R0\n#NUM = 0\nc: ZERO\n#NUM = *\nc: ANY\n#END\n"
      "o: A 1\no: B\nd:\n#END\n"                  // unbound: lines with a number never meet it
      "o: C\no: D\n#NUM = #NUM\nd:\n#END\n";      // bound to nothing: nothing meets it
  const Case cases[] = {
      {"0", rules, " MOV #H'0,R0\n PUSH R0\n", " ZERO\n"},
      {"00", rules, " MOV #H'00,R0\n PUSH R0\n", " ANY\n"},
      {"0H", rules, " MOV #H'0h,R0\n PUSH R0\n", " ANY\n"},
      {"unbound rule", rules, " A 1\n B\n", " A 1\n B\n"},
      {"empty binding", rules, "## C\n D\n", "## C\n D\n"},
  };
  for (const Case& c : cases) check(c);
}

TEST(Rewrite, TriesLongerPatternsOnTheChangedWindow) {
  // The replacement's comparison text is " MOV.W #H'" and it keeps the number 12.
  const std::string rules =
      "o: MOV.W #H'0,R0\no: PUSH.W R0\n#NUM = *\nc: MOV.W #H'#NUM,R2\n#END\n"
      "o: X\no: Y\no: MOV.W #H'\n#NUM = 12\nc: Z\n#END\n";
  check({"chain", rules, " X\n Y\n MOV.W #H'12,R0\n PUSH.W R0\n", " Z\n"});
}

TEST(Rewrite, LeavesWhatCannotBeMatchedByteForByte) {
  const std::string filled = "o: V 1\no: W\n#NUM = *\nc: " + std::string(244, 'y') + "#NUM\n#END\n";
  const std::string long_comment = ";" + std::string(254, 'c') + "\tB\n";
  const Case cases[] = {
      {"no rule matches", kMovPush, "\tMOV.W\t#H'12,R1\r\n\tPUSH.W\tR0\n\n; end", "\tMOV.W\t#H'12,R1\r\n\tPUSH.W\tR0\n\n; end"},
      {"fewer lines than the rules", "o: A\no: B\no: C\nc: X\n#END\n", "\tA\n\tB\n", "\tA\n\tB\n"},
      {"300 characters", kDeleteAB, "\tA\n" + std::string(299, 'B') + "\n\tB\n", "\tA\n" + std::string(299, 'B') + "\n\tB\n"},
      {"tail of a long line", kDeleteAB, "\tA\n" + long_comment, "\tA\n" + long_comment},
      {"filled to 255", filled, " V 123456789\n W\n", " " + std::string(244, 'y') + "123456789\n"},
      {"filled past 255", filled, " V 1234567890\n W\n", " V 1234567890\n W\n"},
  };
  for (const Case& c : cases) check(c);
}

}  // namespace
}  // namespace trimmel
