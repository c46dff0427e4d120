// The -g listing of the code image.
#include <gtest/gtest.h>

#include <cstdio>

#include "ground/image.hpp"
#include "output/listing.hpp"
#include "support/corvel_session.hpp"

namespace corvel::testing {
namespace {

const std::string kDefaultPorts =
    "          data   dir  data(bit0 -> bit15)\n"
    "[port]  : 0000 : FFFF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF \n"
    "          data   dir  data(bit0 -> bit15)\n"
    "[port]  : 0000 : FFFF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF \n"
    "          data   dir  data(bit0 -> bit15)\n"
    "[port]  : 0000 : FFFF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF \n";
const std::string kBanner =
    "\x8A\xC8\x88\xD5" "C\x8C\xBE\x8C\xEA\x83R\x83\x93\x83p\x83" "C\x83\x89 Ver.1.00  Copyright (C) 2026 The corvel developers\n";
const std::string kDone = "Compiling normal completion !\n";
std::string memory(int bytes) { return "\x83\x81\x83\x82\x83\x8A\x8Eg\x97p\x97\xCA " + std::to_string(bytes) + " bytes\n"; }

// The listing of an image whose code starts at 66 and ends at `size`.
std::string listing(const std::vector<int>& code, int size) {
  ground::Image image;
  image.code_start = 66;
  image.size = size;
  for (size_t i = 0; i < code.size(); ++i) image.bytes[66 + i] = static_cast<std::uint8_t>(code[i]);
  std::FILE* out = std::tmpfile();
  output::print_listing(image, out);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text.push_back(static_cast<char>(c));
  std::fclose(out);
  return text;
}

TEST(Listing, ShowsPortsDataFunctionsAndCode) {
  TempDir dir;
  Outcome o = compile_in(dir, "BYTE x;\nmain() { x = 5; }\n", {"-g"});
  ASSERT_EQ(o.status, 0);
  EXPECT_EQ(o.out, kBanner + kDefaultPorts + "\n[value]\n00 \n[code]  (start = 67 )\nmain = 67\n"
                       "\n<0067> LET VAL1(66) = Para(1) CONST1(5) \n<0074> FUNC_END\nPROG_END\n\n" +
                       memory(76) + kDone);
}

TEST(Listing, WithoutVariablesOrWithoutFunctions) {
  TempDir dir;
  Outcome o = compile_in(dir, "main() {}\n", {"-g"});
  EXPECT_EQ(o.out, kBanner + kDefaultPorts + "\n[code]  (start = 66 )\nmain = 66\n\n<0066> FUNC_END\nPROG_END\n\n" +
                       memory(68) + kDone);
  // Without a function the walk starts inside the header and stops at its first 255.
  o = compile_in(dir, "BYTE x;\n", {"-g"});
  EXPECT_EQ(o.out, kBanner + kDefaultPorts + "\n[value]\n\n[code]  (start = 0 )\nBOOL(0) BOOL(0) PROG_END\n\n" +
                       memory(68) + kDone);
}

TEST(Listing, BreaksDataRowsAtSixteenBytesAndListsFrames) {
  TempDir dir;
  Outcome o = compile_in(dir, "BYTE d[20];\nmain() { Wait(1, 2); }\n#frame\nf() { d[300] = 1; }\n", {"-g"});
  ASSERT_EQ(o.status, 0);
  std::string rows = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 \n00 00 00 00 00 00 \n";
  EXPECT_NE(o.out.find("\n[value]\n" + rows + "[code]  (start = 86 )\nmain = 86\nf = 4189\n"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("<0086> CALLIN(Wait) CONST1(1) CONST1(2) \n<0092> FUNC_END\n"
                       "\n<0093> LET ARRAY(66)[ CONST2(300) ] = Para(1) CONST1(1) \n<0103> FUNC_END\nPROG_END\n\n"),
            std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find(memory(105) + "frame 0   adr = 0   length = 93\nframe 1   adr = 93   length = 12\n"), std::string::npos);
}

TEST(Listing, StringArgumentsAreWalkedAsElements) {
  TempDir dir;
  Outcome o = compile_in(dir, "main() { SendMsg(\"A\\x90\\xA0\"); }\n", {"-g"});
  ASSERT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("<0066> CALLIN(SendMsg) BOOL(65) BOOLD(144) CONST1(0) \n<0072> FUNC_END\n"), std::string::npos)
      << o.out;
}

TEST(Listing, NeverReadsPastTheByteCounter) {
  // An ARRAY whose index would run past the end, then a byte beyond the counter that must not be shown.
  std::string text = listing({184, 17, 164, 0, 70, 161, 1, 0}, 73);
  EXPECT_NE(text.find("[code]  (start = 66 )\n\n<0066> CALLIN(SendMsg) ARRAY(70)[ \n" + memory(73)), std::string::npos)
      << text;
  EXPECT_NE(listing({}, 66).find("[code]  (start = 66 )\n\n" + memory(66)), std::string::npos);  // nothing to walk
}

TEST(Listing, NamesUnknownServicesAndUnassignedBytes) {
  std::string text = listing({184, 26, 172, 185, 219, 189, 191, 200, 201, 255}, 76);
  EXPECT_NE(text.find("\n<0066> CALLIN(26) ?(172) ?(185) ?(219) ^ %= >>= = PROG_END\n"), std::string::npos);
}

}  // namespace
}  // namespace corvel::testing
