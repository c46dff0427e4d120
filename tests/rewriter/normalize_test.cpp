#include "normalize.hpp"

#include <gtest/gtest.h>

namespace trimmel {
namespace {

struct Case {
  std::string line;
  std::string comparison;
  std::string number;
};

TEST(Normalize, FoldsBlanksCutsCommentsAndLineEnds) {
  const Case cases[] = {
      {"\tMOV.W\t#H'1F,R0\n", " MOV.W #H'#NUM,R0", "1F"},
      {"  \t \n", " ", ""},               // a line of blanks holds text
      {"\t; comment only\n", "", ""},
      {"\tRTS ; done\n", " RTS", ""},     // one blank before the comment goes
      {"\tRTS \r\n", " RTS ", ""},         // a blank before the line end stays
      {"A\r\r\n", "A\r", ""},              // at most two line-end bytes go
      {"A\r", "A", ""},
      {"\n", "", ""},
      {std::string("A\0B\n", 4), std::string("A\0B", 3), ""},  // a 0 byte is kept
  };
  for (const Case& c : cases) {
    Normalized n = normalize(c.line);
    EXPECT_EQ(c.comparison, n.comparison) << c.line;
    EXPECT_EQ(c.number, n.number) << c.line;
  }
}

TEST(Normalize, FindsNumbersAndKeepsTheLast) {
  const Case cases[] = {
      {"LBL12_E:\n", "LBL12_E:", ""},                         // digits after letters
      {"\tMOV.W\t#H'FF,R0\n", " MOV.W #H'FF,R0", ""},          // no leading digit
      {"12,R0", "#NUM,R0", "12"},                              // a digit first in the line
      {"x 0ah,1Bh y", "x #NUM,#NUM y", "1BH"},                 // suffix written upper-case
      {"0ah", "#NUM", "0aH"},
      {"_1 .2 a3 \x82" "5", "_1 .2 a3 \x82#NUM", "5"},           // only ASCII letters count
      {"1H2", "#NUM2", "1H"},
      {"#NUM = 0AH", "#NUM = #NUM", "0AH"},
      {"#H'#NUM,R0", "#H'#NUM,R0", ""},                        // written wildcard stays
  };
  for (const Case& c : cases) {
    Normalized n = normalize(c.line);
    EXPECT_EQ(c.comparison, n.comparison) << c.line;
    EXPECT_EQ(c.number, n.number) << c.line;
  }
}

TEST(Normalize, MeasuresTheLimitOnTheResults) {
  EXPECT_FALSE(normalize(std::string(79, 'A')).too_long());
  EXPECT_TRUE(normalize(std::string(80, 'A')).too_long());
  EXPECT_FALSE(normalize(std::string(100, ' ') + "A\n").too_long());
  EXPECT_TRUE(normalize(" " + std::string(80, '1')).too_long());  // the number text
}

}  // namespace
}  // namespace trimmel
