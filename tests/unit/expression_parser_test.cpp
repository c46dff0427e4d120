// Expressions read into items and reordered into postfix order.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "codegen/operands.hpp"
#include "driver/compile.hpp"
#include "front/expression_parser.hpp"
#include "front/pins.hpp"
#include "front/source_reader.hpp"
#include "front/top_level.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::front {
namespace {

using codegen::Item;

const std::map<int, std::string> kOperatorText = {
    {kPlus, "+"},       {kMinus, "-"},      {kMultiply, "*"},   {kShiftLeft, "<<"}, {kLogicalAnd, "&&"},
    {kBitAnd, "&"},     {kLogicalNot, "!"}, {kBitOr, "|"},      {kLogicalOr, "||"}, {kGreater, ">"}};

// An item as written: a name, a call with its arguments, an element with its index.
std::string text_of(const Item& item) {
  if (item.code != kIdentifier) {
    auto op = kOperatorText.find(item.code);
    return op != kOperatorText.end() ? op->second : std::to_string(item.value);
  }
  std::string text = item.operand.name;
  if (item.builtin) {
    text += '(';
    for (const codegen::Argument& a : item.arguments)
      text += (text.back() == '(' ? "" : ",") + (a.code == kIdentifier ? a.name.name : std::to_string(a.value));
    return text + ')';
  }
  if (ground::is_array(item.operand.kind))
    text += '[' + (item.index.constant ? std::to_string(item.index.value) : item.index.name.name) + ']';
  return text;
}

class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_names(p_);
    for (const char* name : {"a", "b", "c"}) p_.symbols.add_offset(name, Kind::Byte, 70);
    p_.symbols.add_offset("w", Kind::Word, 72);
    p_.symbols.add_offset("arr", Kind::ByteArray, 100);
    p_.symbols.add_offset("f", Kind::Function, 200);
  }
  void TearDown() override {
    set_source_file(p_.reader, nullptr);
    if (file_) std::fclose(file_);
  }

  // Parses `text` and returns the postfix items joined by blanks, or "error NNNN".
  std::string parse(const std::string& text, int terminator = kSemicolon) {
    if (file_) std::fclose(file_);
    file_ = std::tmpfile();
    std::fputs(text.c_str(), file_);
    std::rewind(file_);
    set_source_file(p_.reader, file_);
    try {
      items_ = parse_expression(p_, terminator);
    } catch (const ground::Failure& f) {
      return "error " + std::to_string(ground::diag_number(f.check));
    }
    std::string out;
    for (const Item& item : items_) out += (out.empty() ? "" : " ") + text_of(item);
    return out;
  }

  driver::Compilation c_;
  Parser& p_ = c_.parser;
  codegen::Expression items_;
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
  EXPECT_EQ(parse("a + 1 > arr[2]) rest", kRightParen), "a 1 + arr[2] >");
  EXPECT_EQ(items_[3].operand.kind, Kind::ByteArray);
  EXPECT_TRUE(items_[3].index.constant);
  EXPECT_EQ(parse("(a)) rest", kRightParen), "a");
  EXPECT_EQ(parse(") rest", kRightParen), "");
  EXPECT_EQ(parse("a; b)", kRightParen), "error 1538");
}

TEST_F(ExpressionTest, StoresCallsWithTheirArguments) {
  EXPECT_EQ(parse("Wait(100);"), "Wait(100)");
  EXPECT_EQ(parse("Wait(100,);"), "Wait(100)");
  EXPECT_EQ(parse("Wait(a w);"), "Wait(a,w)");
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
  p_.symbols.add_offset(std::string(97, 'v'), Kind::Byte, 70);
  p_.symbols.add_offset(std::string(98, 'v'), Kind::Byte, 70);
  EXPECT_EQ(parse(std::string(97, 'v') + ";"), std::string(97, 'v'));
  EXPECT_EQ(parse(std::string(98, 'v') + ";"), "error 1716");
}

TEST(TrailingNumber, TakesOneOrTwoDigitsBeforeTheEndOrADot) {
  EXPECT_EQ(codegen::trailing_number("Vpp1"), 1);
  EXPECT_EQ(codegen::trailing_number("Vcc12"), 12);
  EXPECT_EQ(codegen::trailing_number("GND3.dir"), 3);
  EXPECT_EQ(codegen::trailing_number("x123"), -1);
  EXPECT_EQ(codegen::trailing_number("a1b2"), 2);
  EXPECT_EQ(codegen::trailing_number("P"), -1);
}

TEST(PinReference, ConvertsPortsPinsAndDirections) {
  driver::Compilation c;
  c.board.pins[ground::kVppPins][1] = 20;
  c.board.pins[ground::kBoardPins][12] = 5;
  // The code, or the diagnostic number negated.
  auto pin = [&](const char* text) {
    try {
      return pin_reference(c.parser, text);
    } catch (const ground::Failure& f) {
      return -ground::diag_number(f.check);
    }
  };
  EXPECT_EQ(pin("P17"), 7);
  EXPECT_EQ(pin("P17.dir"), 87);
  EXPECT_EQ(pin("PA3"), 59);
  EXPECT_EQ(pin("pb7"), 71);
  EXPECT_EQ(pin("Vpp1"), 20);
  EXPECT_EQ(pin("VPP1.dir"), 100);
  EXPECT_EQ(pin("12"), 5);
  EXPECT_EQ(pin("P90"), -1466);
  EXPECT_EQ(pin("P18"), -1466);
  EXPECT_EQ(pin("PC1"), -1466);
  EXPECT_EQ(pin("Vpp"), -1482);
  EXPECT_EQ(pin("Vcc2"), -1489);
}

}  // namespace
}  // namespace corvel::front
