// Tokens, their texts and values, read from source text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/compile.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"

namespace corvel::front {
namespace {

struct Lexed {
  int code;
  std::string text;
  std::uint32_t value;
};

// Lexes `source` as a file until the end token (which is included).
class LexerTest : public ::testing::Test {
 protected:
  void TearDown() override { close_source(); }
  void close_source() {
    set_source_file(p_.reader, nullptr);
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }

  std::vector<Lexed> lex(const std::string& source, int limit = 100) {
    close_source();
    file_ = std::tmpfile();
    std::fwrite(source.data(), 1, source.size(), file_);
    std::rewind(file_);
    p_.reader.line_counter = 0;
    set_source_file(p_.reader, file_);
    std::vector<Lexed> out;
    Token t;
    for (int i = 0; i < limit; ++i) {
      int code = next_token(p_, t);
      out.push_back({code, t.text, p_.value});
      if (code == kEnd) break;
    }
    return out;
  }

  std::vector<int> codes(const std::string& source) {
    std::vector<int> out;
    for (const Lexed& l : lex(source)) out.push_back(l.code);
    return out;
  }

  driver::Compilation c_;
  Parser& p_ = c_.parser;
  std::FILE* file_ = nullptr;
};

TEST_F(LexerTest, ReadsAStatementIntoTokens) {
  auto t = lex("if(cnt>=0x10)Wait(100);");
  std::vector<int> want = {52, 53, 52, 24, 41, 54, 52, 53, 41, 54, 49, -1};
  ASSERT_EQ(t.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(t[i].code, want[i]) << i;
  EXPECT_EQ(t[0].text, "if");
  EXPECT_EQ(t[2].text, "cnt");
  EXPECT_EQ(t[4].text, "16");
  EXPECT_EQ(t[4].value, 16u);
  EXPECT_EQ(t[8].value, 100u);
}

TEST_F(LexerTest, MatchesOperatorsLongestFirst) {
  EXPECT_EQ(codes("a+=1"), (std::vector<int>{52, 10, 41, -1}));
  EXPECT_EQ(codes("a+ =1"), (std::vector<int>{52, 18, 17, 41, -1}));
  EXPECT_EQ(codes("x<<=2"), (std::vector<int>{52, 15, 41, -1}));
  EXPECT_EQ(codes("x< <=2"), (std::vector<int>{52, 27, 26, 41, -1}));
  EXPECT_EQ(codes("++ -- ~ ^ ! %= *= /= -= &= |= ^= >>= == != && || & | >> >= > <"),
            (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 16, 28, 23, 31, 33, 32, 34, 30, 24, 25, 27, -1}));
  EXPECT_EQ(codes(", ; : ( ) [ ] { } / * %"),
            (std::vector<int>{48, 49, 50, 53, 54, 55, 56, 57, 58, 20, 21, 22, -1}));
  EXPECT_EQ(codes("<<"), (std::vector<int>{29, -1}));  // end of input ends the operator
}

TEST_F(LexerTest, SkipsComments) {
  auto t = lex("/* a **/ b");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].code, kIdentifier);
  EXPECT_EQ(t[0].text, "b");
  EXPECT_EQ(codes("a // rest ; of line\nb"), (std::vector<int>{52, 52, -1}));
  EXPECT_EQ(codes("a /* over\ntwo lines */ b"), (std::vector<int>{52, 52, -1}));
  EXPECT_EQ(codes("a /*/ still in */ b"), (std::vector<int>{52, 52, -1}));
  auto open = lex("a /* never closed");
  ASSERT_EQ(open.size(), 3u);
  EXPECT_EQ(open[1].code, kError);
  EXPECT_EQ(open[1].text, "/*");
  EXPECT_EQ(open[2].code, kEnd);
}

TEST_F(LexerTest, ClassifiesNumbers) {
  auto t = lex("0x10 0x100 65536 1.5 007 12AB 0x 0X1F 99999999999 0xFFFFFFFFF");
  EXPECT_EQ(t[0].code, kSmallNumber);
  EXPECT_EQ(t[0].text, "16");
  EXPECT_EQ(t[1].code, kMediumNumber);
  EXPECT_EQ(t[1].text, "256");
  EXPECT_EQ(t[2].code, kLargeNumber);
  EXPECT_EQ(t[3].code, kRealNumber);
  EXPECT_EQ(t[3].text, "1.5");
  EXPECT_EQ(t[3].value, 0u);
  EXPECT_EQ(t[4].text, "007");
  EXPECT_EQ(t[4].value, 7u);
  EXPECT_EQ(t[5].text, "12AB");
  EXPECT_EQ(t[5].value, 12u);
  EXPECT_EQ(t[6].text, "0");  // 0x without digits
  EXPECT_EQ(t[6].value, 0u);
  EXPECT_EQ(t[7].text, "0");  // a capital X is not a prefix
  EXPECT_EQ(t[8].code, kIdentifier);
  EXPECT_EQ(t[8].text, "X1F");
  EXPECT_EQ(t[9].code, kLargeNumber);  // beyond 32 bits: saturated
  EXPECT_EQ(t[9].value, 0xFFFFFFFFu);
  EXPECT_EQ(t[9].text, "99999999999");
  EXPECT_EQ(t[10].value, 0xFFFFFFFFu);
}

TEST_F(LexerTest, RefusesASecondPoint) {
  auto t = lex("1.2.3");
  EXPECT_EQ(t[0].code, kError);
  EXPECT_EQ(t[0].text, "1.2.");
  EXPECT_EQ(t[1].code, kSmallNumber);
  EXPECT_EQ(t[1].text, "3");
}

TEST_F(LexerTest, ReadsCharacterConstants) {
  auto t = lex("'\\101' '\\x41' '\\777' 'A' '\\n' '\\'' '\\x4' 'ab'");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(t[i].code, kSmallNumber) << i;
  EXPECT_EQ(t[0].value, 65u);
  EXPECT_EQ(t[1].value, 65u);
  EXPECT_EQ(t[2].value, 511u);
  EXPECT_EQ(t[3].text, "65");
  EXPECT_EQ(t[4].value, 10u);
  EXPECT_EQ(t[5].value, 39u);
  EXPECT_EQ(t[6].value, 4u);
  EXPECT_EQ(t[7].code, kError);
  EXPECT_EQ(t[7].text, "'ab");
}

TEST_F(LexerTest, ResolvesEscapesInStrings) {
  auto t = lex("\"a\\\"b\" \"\\t\\x7e\\0\" \"\\q\"");
  EXPECT_EQ(t[0].code, kString);
  EXPECT_EQ(t[0].text, "\"a\"b\"");
  EXPECT_EQ(t[1].text, std::string("\"\t~\0\"", 5));
  EXPECT_EQ(t[2].code, kError);
}

TEST_F(LexerTest, KeepsDoubleByteCharactersWhole) {
  // 0x95 0x5C is one character whose second byte is a backslash.
  auto t = lex("\"\x95\\\" x");
  EXPECT_EQ(t[0].code, kString);
  EXPECT_EQ(t[0].text, "\"\x95\\\"");
  EXPECT_EQ(t[1].text, "x");
}

TEST_F(LexerTest, StringsRunOverLines) {
  auto t = lex("\"a\nb\"");
  EXPECT_EQ(t[0].code, kString);
  EXPECT_EQ(t[0].text, "\"a\nb\"");
  auto open = lex("\"never closed");
  EXPECT_EQ(open[0].code, kError);
  EXPECT_EQ(open[0].text, "\"never closed");
}

TEST_F(LexerTest, EndsAtTheSubstituteByte) {
  auto t = lex("a \x1A b");
  EXPECT_EQ(t[1].code, kEnd);
  Token more;
  EXPECT_EQ(next_token(p_, more), kIdentifier);  // it is consumed; reading goes on after it
  EXPECT_EQ(more.text, "b");
}

TEST_F(LexerTest, ReadsNamesWithDotsAndHash) {
  auto t = lex("P1.dir #asm a#b $");
  EXPECT_EQ(t[0].text, "P1.dir");
  EXPECT_EQ(t[1].text, "#asm");
  EXPECT_EQ(t[2].text, "a");
  EXPECT_EQ(t[3].text, "#b");
  EXPECT_EQ(t[4].code, kError);
  EXPECT_EQ(t[4].text, "$");
}

TEST_F(LexerTest, ReturnsANameAtTheEndOfAFileWithoutLineFeed) {
  auto t = lex("last");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, "last");
  EXPECT_EQ(t[1].code, kEnd);
  EXPECT_EQ(t[1].text, "last");  // the end token leaves the text alone
}

TEST_F(LexerTest, CutsOverlongTokensIntoAnErrorToken) {
  std::string name(1500, 'a');
  auto t = lex(name + " ;");
  EXPECT_EQ(t[0].code, kError);
  EXPECT_EQ(t[0].text.size(), 1023u);
  EXPECT_EQ(t[1].code, kIdentifier);
  EXPECT_EQ(t[1].text.size(), 477u);
  auto s = lex("\"" + std::string(1100, 'x') + "\"");
  EXPECT_EQ(s[0].code, kError);
  EXPECT_EQ(s[0].text.size(), 1023u);
}

// A number is one token wherever the reads of a long line split it, and at
// the end of the input; what may go on a number decides where it ends.
TEST_F(LexerTest, ReadsNumbersAcrossReadsAndAtTheEnd) {
  auto t = lex(std::string(997, ' ') + "12345 x");
  EXPECT_EQ(t[0].code, kMediumNumber);
  EXPECT_EQ(t[0].text, "12345");
  EXPECT_EQ(t[0].value, 12345u);
  EXPECT_EQ(t[1].text, "x");
  EXPECT_EQ(p_.reader.line_counter, 2);  // the line was read in two pieces
  auto last = lex("\t    7");
  EXPECT_EQ(last[0].code, kSmallNumber);
  EXPECT_EQ(last[0].text, "7");
  auto forms = lex("12.5 0x1F 9AB 12x 300;");
  EXPECT_EQ(forms[0].code, kRealNumber);
  EXPECT_EQ(forms[1].text, "31");
  EXPECT_EQ(forms[2].text, "9AB");
  EXPECT_EQ(forms[2].value, 9u);
  EXPECT_EQ(forms[3].text, "12");
  EXPECT_EQ(forms[4].text, "x");
  EXPECT_EQ(forms[5].value, 300u);
  EXPECT_EQ(forms[6].code, kSemicolon);
}

TEST_F(LexerTest, SubstitutesDefinesOneLevelDeep) {
  p_.symbols.add_define("N", kMediumNumber, "300");
  p_.symbols.add_define("M", kIdentifier, "N");
  auto t = lex("N M");
  EXPECT_EQ(t[0].code, kMediumNumber);
  EXPECT_EQ(t[0].text, "300");
  EXPECT_EQ(t[0].value, 300u);
  EXPECT_EQ(t[1].code, kIdentifier);
  EXPECT_EQ(t[1].text, "N");
  p_.substitute_defines = false;
  auto off = lex("N");
  EXPECT_EQ(off[0].code, kIdentifier);
  EXPECT_EQ(off[0].text, "N");
}

TEST_F(LexerTest, CountsLinesAndLoadsLines) {
  lex("a\nb\nc\n");
  EXPECT_EQ(p_.reader.line_counter, 3);
  set_source_file(p_.reader, nullptr);
  EXPECT_TRUE(load_line(p_.reader, std::string(998, 'x')));
  EXPECT_FALSE(load_line(p_.reader, std::string(999, 'y')));
  EXPECT_EQ(line_text(p_.reader), std::string(998, 'x'));
}

// A keyword over a name changes only its kind; names are case-sensitive.
TEST(SymbolTable, KeywordsKeepTheValueOfTheName) {
  SymbolTable t;
  t.add_offset("BreakLabel0", Kind::Label, 20);
  t.add_keyword("if", Kind::If);
  EXPECT_EQ(t.find("BreakLabel0")->number(), 20);
  EXPECT_FALSE(t.find("if")->has_value());
  EXPECT_EQ(t.kind_of("if"), Kind::If);
  EXPECT_EQ(t.kind_of("If"), Kind::None);
  t.add_keyword("BreakLabel0", Kind::Forward);
  EXPECT_EQ(t.kind_of("BreakLabel0"), Kind::Forward);
  EXPECT_EQ(t.find("BreakLabel0")->number(), 20);
  t.add_forward("f");  // a call before the definition: a value of 0
  EXPECT_EQ(t.find("f")->number(), 0);
}

}  // namespace
}  // namespace corvel::front
