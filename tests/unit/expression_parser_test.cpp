// Expressions read into items and reordered into postfix order.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver/compile.hpp"
#include "driver/state.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/symbol_table.hpp"

namespace corvel::front {
namespace {

class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver::reset_run_state();
    for (const char* name : {"a", "b", "c"}) symbol_insert(name, std::string("70"), kKindByte);
    symbol_insert("w", std::string("72"), kKindWord);
    symbol_insert("arr", std::string("100"), kKindByteArray);
    symbol_insert("Wait", std::string("27WWW"), kKindBuiltin);
    symbol_insert("f", std::string("200"), kKindFunction);
    g.items.clear();
  }
  void TearDown() override {
    set_source_file(nullptr);
    if (file_) std::fclose(file_);
  }

  // Parses `text` and returns the postfix items joined by blanks, or "error NNNN".
  std::string parse(const std::string& text, int terminator = kSemicolon) {
    file_ = std::tmpfile();
    std::fputs(text.c_str(), file_);
    std::rewind(file_);
    set_source_file(file_);
    driver::g.diagnostic.clear();
    if (parse_expression(terminator) < 0) return "error " + driver::g.diagnostic.substr(5);
    std::string out;
    for (const Item& item : g.items) {
      if (!out.empty()) out += ' ';
      out += item.type == kIdentifier ? item.text.substr(1) : item.text;
    }
    return out;
  }

  std::FILE* file_ = nullptr;
};

TEST_F(ExpressionTest, OrdersByPrecedence) {
  EXPECT_EQ(parse("a + b * c;"), "a b c * +");
  EXPECT_EQ(parse("a - b - c;"), "a b - c -");
  EXPECT_EQ(parse("(a + b) * c;"), "a b + c *");
  EXPECT_EQ(parse("a << 1 + 2;"), "a 1 << 2 +");
  EXPECT_EQ(parse("a && b & c;"), "a b && c &");
  EXPECT_EQ(parse("!a * b;"), "a b * !");
  EXPECT_EQ(parse("a * !b;"), "a * b !");  // "!" reduces the "*" below it first
  EXPECT_EQ(parse("a | b & c || a;"), "a b c a || & |");
  EXPECT_EQ(parse("(a)(b);"), "a b");
}

TEST_F(ExpressionTest, ReadsAConditionUpToItsParenthesis) {
  EXPECT_EQ(parse("a + 1 > arr[2]) rest", kRightParen), "a 1 + arr,)2 >");
  EXPECT_EQ(g.items[3].text, std::string("Marr,") + char(41) + "2");
  EXPECT_EQ(parse("(a)) rest", kRightParen), "a");
  EXPECT_EQ(parse(") rest", kRightParen), "");
  EXPECT_EQ(parse("a; b)", kRightParen), "error 1538");
}

TEST_F(ExpressionTest, StoresCallsWithTheirArguments) {
  EXPECT_EQ(parse("Wait(100);"), std::string("Wait,") + char(41) + "100");
  EXPECT_EQ(parse("Wait(100,);"), std::string("Wait,") + char(41) + "100");
  EXPECT_EQ(parse("Wait(a w);"), std::string("Wait,4a,4w"));
  EXPECT_EQ(parse("Wait(1.5);"), "error 1599");
  EXPECT_EQ(parse("Wait(65536);"), "error 1599");
  EXPECT_EQ(parse("Wait 1;"), "error 1584");
  EXPECT_EQ(parse("f();"), "error 1625");
}

TEST_F(ExpressionTest, RefusesBadForms) {
  EXPECT_EQ(parse("a b;"), "error 1634");
  EXPECT_EQ(parse("a 1;"), "error 1692");
  EXPECT_EQ(parse("a += 1;"), "error 1676");
  EXPECT_EQ(parse("a ^ b;"), "error 1676");
  EXPECT_EQ(parse("a = b;"), "error 1676");
  EXPECT_EQ(parse("a %= b;"), "error 1676");
  EXPECT_EQ(parse("x + 1;"), "error 1625");
  EXPECT_EQ(parse("a , b;"), "error 1698");
  EXPECT_EQ(parse("arr 1;"), "error 1551");
  EXPECT_EQ(parse("arr[a+1];"), "error 1559");
  EXPECT_EQ(parse("a +"), "error 1520");
  EXPECT_EQ(parse("a + b);"), "error 1716");  // an unmatched ")" fails the conversion
}

TEST_F(ExpressionTest, LimitsTheSizeOfAnExpression) {
  EXPECT_EQ(parse("a+a+a+a+a+a+a+a+a+a;"), "a a + a + a + a + a + a + a + a + a +");  // 19 items
  EXPECT_EQ(parse("a+a+a+a+a+a+a+a+a+a+1 1;").substr(0, 5), "error");
  EXPECT_EQ(parse("a+a+a+a+a+a+a+a+a+a+a;"), "error 1716");
  std::string many = "a";
  for (int i = 0; i < 60; ++i) many += "+(";
  EXPECT_EQ(parse(many + ";"), "error 1716");
  EXPECT_EQ(parse("Wait(" + std::string(47, 'a') + ", " + std::string(47, 'b') + ");").substr(0, 5), "error");
}

TEST_F(ExpressionTest, BoundsItemTexts) {
  symbol_insert(std::string(97, 'v'), std::string("70"), kKindByte);
  symbol_insert(std::string(98, 'v'), std::string("70"), kKindByte);
  EXPECT_EQ(parse(std::string(97, 'v') + ";"), std::string(97, 'v'));
  EXPECT_EQ(parse(std::string(98, 'v') + ";"), "error 1716");
}

TEST(TrailingNumber, TakesOneOrTwoDigitsBeforeTheEndOrADot) {
  EXPECT_EQ(trailing_number("Vpp1"), 1);
  EXPECT_EQ(trailing_number("Vcc12"), 12);
  EXPECT_EQ(trailing_number("GND3.dir"), 3);
  EXPECT_EQ(trailing_number("x123"), -1);
  EXPECT_EQ(trailing_number("a1b2"), 2);
  EXPECT_EQ(trailing_number("P"), -1);
}

TEST(PinReference, ConvertsPortsPinsAndDirections) {
  driver::reset_run_state();
  driver::g.board.pins[driver::kVppPins][1] = 20;
  driver::g.board.pins[driver::kBoardPins][12] = 5;
  EXPECT_EQ(pin_reference("P17"), 7);
  EXPECT_EQ(pin_reference("P17.dir"), 87);
  EXPECT_EQ(pin_reference("PA3"), 59);
  EXPECT_EQ(pin_reference("pb7"), 71);
  EXPECT_EQ(pin_reference("Vpp1"), 20);
  EXPECT_EQ(pin_reference("VPP1.dir"), 100);
  EXPECT_EQ(pin_reference("12"), 5);
  EXPECT_EQ(pin_reference("P90"), -1);
  EXPECT_EQ(driver::g.diagnostic, "line 1466");
  EXPECT_EQ(pin_reference("P18"), -1);
  EXPECT_EQ(pin_reference("PC1"), -1);
  EXPECT_EQ(pin_reference("Vpp"), -1);
  EXPECT_EQ(driver::g.diagnostic, "line 1482");
  EXPECT_EQ(pin_reference("Vcc2"), -1);
  EXPECT_EQ(driver::g.diagnostic, "line 1489");
}

}  // namespace
}  // namespace corvel::front
