#include <gtest/gtest.h>

#include "messages.hpp"
#include "rewriter/trimmel_session.hpp"

namespace trimmel {
namespace {

using testing::load;
using testing::Loaded;
using testing::with_line;

const std::string kTooShort = std::string(msg::kBadFormat) + msg::kPatternTooShort;

std::string many_rules(int count, const std::string& action) {
  std::string table;
  for (int i = 0; i < count; ++i) table += "o: A" + std::to_string(i) + "\no: B\n" + action + "#END\n";
  return table;
}

struct Refusal {
  const char* what;
  std::string table;
  std::string message;
};

TEST(RuleTable, RefusesBadTablesWithTheLineNumber) {
  const std::string long_o = "o: " + std::string(74, 'A') + "\n";  // fits, but four make a long key
  const Refusal cases[] = {
      {"empty file", "", kTooShort},
      {"short deletes only", "o: A\nd:\n#END\n", kTooShort},
      {"ten o lines", std::string("o: A\n") + "o: B\no: B\no: B\no: B\no: B\no: B\no: B\no: B\no: B\nd:\n#END\n",
       std::string(msg::kBadFormat) + msg::kPatternTooLong},
      {"first rule line", "; x\nc: A\n", with_line(msg::kNoOLine, 2)},
      {"end in pattern", "o: A\n", with_line(msg::kEndedInsideRule, 1)},
      {"end in c lines", "o: A\no: B\nc: C\n", with_line(msg::kEndedInsideRule, 3)},
      {"end after d", "o: A\no: B\nd:\n", with_line(msg::kEndedInsideRule, 3)},
      {"two #NUM", "o: MOV 1\no: PUSH 2\nd:\n#END\n", with_line(msg::kTwoNumInPattern, 3)},
      {"two bindings", "o: A 1\no: B\n#NUM = 1\n#NUM = 2\nd:\n#END\n", with_line(msg::kTwoBindingLines, 4)},
      {"no action", "o: A\no: B\n#END\n", with_line(msg::kBadBindingLine, 3)},
      {"comment after binding", "o: A 1\no: B\n#NUM = 1\n; note\nd:\n#END\n", with_line(msg::kAbnormalLine, 4)},
      {"o line in actions", "o: A\no: B\nd:\no: C\n#END\n", with_line(msg::kAbnormalLine, 4)},
      {"same key twice", "o: A\no: B\nd:\nd:\n#END\n", with_line(msg::kDuplicateKey, 4)},
      {"same bound key", "o: A 1\no: B\n#NUM = *\nd:\n#NUM = *\nc: X\n#END\n", with_line(msg::kDuplicateKey, 7)},
      {"long o line", "o: " + std::string(80, 'A') + "\n", with_line(msg::kLineTooLong, 1)},
      {"long binding", "o: A 1\no: B\n#NUM = " + std::string(80, '1') + "\nd:\n", with_line(msg::kLineTooLong, 3)},
      {"long key", long_o + long_o + long_o + long_o + "d:\n#END\n", with_line(msg::kKeyTooLong, 5)},
      {"long prefix", long_o + long_o + long_o + "o: " + std::string(22, 'A') + " 1\n#NUM = *\nd:\n#END\n",
       with_line(msg::kKeyTooLong, 6)},
      {"long replacement", "o: A\no: B\nc:" + std::string(200, 'x') + "\nc:" + std::string(60, 'x') + "\n#END\n",
       with_line(msg::kReplacementTooLong, 5)},
      {"key before text", long_o + long_o + long_o + long_o + "c:" + std::string(300, 'x') + "\n#END\n",
       with_line(msg::kKeyTooLong, 7)},
      {"data area full", many_rules(41, "c:" + std::string(247, 'x') + "\n"), msg::kDataAreaOverflow},
      {"key table full", many_rules(501, "d:\n"), msg::kKeyTableOverflow},
  };
  for (const Refusal& c : cases) {
    Loaded loaded = load(c.table);
    EXPECT_EQ(c.message, loaded.out) << c.what;
    EXPECT_FALSE(loaded.ok) << c.what;
  }
}

TEST(RuleTable, AcceptsKeysAndTextsOfExactly255) {
  const std::string long_o = "o: " + std::string(74, 'A') + "\n";
  const std::string table = long_o + long_o + long_o + "o: " + std::string(21, 'A') + " 1\n#NUM = *\nc:" +
                            std::string(200, 'x') + "\nc:" + std::string(53, 'x') + "\n#END\n";
  Loaded loaded = load(table);
  EXPECT_EQ("", loaded.out);
  EXPECT_TRUE(loaded.ok);
}

TEST(RuleTable, TakesLongLinesWholeButCountsTheirPieces) {
  // The tail of the comment looks like a rule line but is part of the comment.
  std::string comment = ";" + std::string(254, 'x') + "x: tail\n";
  EXPECT_EQ(with_line(msg::kBadBindingLine, 5), load(comment + "o: A\no: B\n#NUM=5\n").out);
}

Action find(const Loaded& loaded, const std::string& key, bool bound) {
  Action action;
  if (!look_up(loaded.rules.keys, key, bound, action)) action.code = 0;
  return action;
}

TEST(RuleTable, BuildsKeysAndTextsAsWritten) {
  const std::string table =
      "O:\tA\nO:\tB\nC:\tPUSH.W\tR2 ; keep\n; skipped\nC: Y\n#END\n"
      "o: C\no: D\nD: anything\n#END\n"
      "o: MOV #H'0,R0\no: PUSH R0\n#NUM = 0\nc: ZERO\n#NUM = *\nc: ANY\n#END\n"
      "o: E\no: F\n#NUM = 7\n#END\n"  // the binding waits for the next rule
      "o: G\no: H\nd:\n#END\n"
      "o: I\no: J\nc:" + std::string(253, 'x') + "\n#END\n";
  Loaded loaded = load(table);
  EXPECT_EQ("", loaded.out);
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ("\tPUSH.W\tR2 ; keep\n Y\n", find(loaded, " A B", false).text);
  EXPECT_EQ(kActionReplace, find(loaded, " A B", false).code);
  EXPECT_EQ("##del##", find(loaded, " C D", false).text);
  EXPECT_EQ(kActionDelete, find(loaded, " C D", false).code);
  EXPECT_EQ(" ZERO\n", find(loaded, "#0# MOV #H'#NUM,R0 PUSH R0", true).text);
  EXPECT_EQ(" ANY\n", find(loaded, "#*# MOV #H'#NUM,R0 PUSH R0", true).text);
  EXPECT_EQ(kActionDelete, find(loaded, "#7# G H", true).code);
  EXPECT_EQ(0, find(loaded, " G H", false).code);
  EXPECT_EQ(0, find(loaded, "#*# MOV #H'#NUM,R0 PUSH R0", false).code);  // bound keys answer bound lookups only
  EXPECT_EQ(std::string(253, 'x') + "\n", find(loaded, " I J", false).text);  // a line of 256 bytes kept whole
}

}  // namespace
}  // namespace trimmel
