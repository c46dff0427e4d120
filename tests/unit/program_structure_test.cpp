// Top-level items: ports, defines, declarations, frames and functions, and
// the bytes they lay in the code image.
#include <gtest/gtest.h>

#include "codegen/gen.hpp"
#include "ground/image.hpp"
#include "support/corvel_session.hpp"

namespace corvel::testing {
namespace {

class ProgramStructure : public ::testing::Test {
 protected:
  // Compiles and expects success.
  void ok(const std::string& program, const std::vector<std::string>& extra = {}) {
    Outcome o = compile_in(dir_, program, extra);
    ASSERT_EQ(o.status, 0) << o.out;
  }
  // Compiles and expects failure with this diagnostic number (0: a message without one).
  void refused(const std::string& program, int site, const std::vector<std::string>& extra = {}) {
    Outcome o = compile_in(dir_, program, extra);
    EXPECT_EQ(o.status, 1);
    if (site == 0) EXPECT_EQ(o.out.find("\nline "), std::string::npos) << o.out;
    else EXPECT_NE(o.out.find("\nline " + std::to_string(site) + "\n"), std::string::npos) << o.out;
  }
  std::vector<int> image_bytes(int from, int to) const { return rom_image(dir_, from, to); }
  long info(const std::string& key) const { return info_value(dir_, key); }
  TempDir dir_;
};

TEST_F(ProgramStructure, EmptyProgramIsTheHeaderAndTheEndByte) {
  ok("");
  EXPECT_EQ(info("size"), 67);
  EXPECT_EQ(image_bytes(60, 67), (std::vector<int>{0, 0, 255, 0, 0, 0, 255}));
}

TEST_F(ProgramStructure, PortFillsItsPinMapFromBit15) {
  ok("#port OUTA \"P10,P11,P12\"\n");
  EXPECT_EQ(image_bytes(0, 8), (std::vector<int>{0, 0, 255, 255, 0, 1, 2, 255}));
  EXPECT_EQ(image_bytes(8, 20), std::vector<int>(12, 255));
}

TEST_F(ProgramStructure, PortAcceptsBoardPinsAndBothCases) {
  ok("#port A \"PA7,pb0,3\"\n");
  EXPECT_EQ(image_bytes(4, 7), (std::vector<int>{63, 64, 2}));
}

TEST_F(ProgramStructure, PortEntryErrors) {
  refused("#port A \"PA7 pb0\"\n", 2756);  // a blank is no entry
  refused("#port A \"P70\"\n", 2718);
  refused("#port A \"P18\"\n", 2718);
  refused("#port A \"P1\"\n", 2718);
  refused("#port A \"0\"\n", 2742);
  refused("#port A \"41\"\n", 2742);
  refused("#port A \"99999999999\"\n", 2742);
  refused("#port A \"17\"\n", 2747);  // the test board leaves pin 17 unconnected
  refused("#port A \"1,,2\"\n", 2756);
  refused("#port\n", 2772);
  refused("#port A B\n", 2777);
  refused("#port A \"1\"\n#port B \"2\"\n#port C \"3\"\n#port D \"4\"\n", 2784);
}

TEST_F(ProgramStructure, SeventeenthEntryIsCheckedInOrder) {
  std::string sixteen = "P10,P11,P12,P13,P14,P15,P16,P17,P20,P21,P22,P23,P24,P25,P26,P27";
  ok("#port A \"" + sixteen + "\"\n");
  refused("#port A \"" + sixteen + ",P30\"\n", 2724);
  refused("#port A \"" + sixteen + ",P90\"\n", 2718);
  refused("#port A \"" + sixteen + ",1\"\n", 2737);
  refused("#port A \"" + sixteen + ",99\"\n", 2737);
}

TEST_F(ProgramStructure, PortRegistersItsNamesAndBits) {
  // The symbol table is emptied when the compilation ends; check through use.
  ok("#port OUTA \"P10,P11,P12\"\nWORD w;\nf() { w = OUTA; w = OUTA.dir; OUTA13.dir = 1; }\n");
  refused("#port OUTA \"P10,P11,P12\"\nBYTE b;\nf() { b = OUTA12; }\n", 1625);
}

TEST_F(ProgramStructure, ItemsMustComeInTheirSections) {
  refused("BYTE a;\n#port A \"1\"\n", 2869);
  refused("#define X 1\n#port A \"1\"\n", 2869);
  refused("f() {}\n#port A \"1\"\n", 2869);
  refused("f() {}\n#define X 1\n", 2877);
  refused("f() {}\nBYTE a;\n", 2893);
  refused("#frame\nword w;\n", 2893);
  ok("#port A \"1\"\n#define X 1\nbyte a;\nWoRd w;\n#define Y 2\nf() {}\n");
}

TEST_F(ProgramStructure, DefinesNeedANewNameAndAValue) {
  refused("#define 5 5\n", 2676);
  refused("#define X ;\n", 2684);
  refused("#define X \"s\"\n", 2684);
  refused("#define X 1\n#define X 2\n", 2690);
  refused("#define if 1\n", 2690);
  refused("#define X " + std::string(255, 'a') + "\n", 2684);
  ok("#define X " + std::string(254, 'a') + "\n");
  ok("#define X 1\n#define Y X\nBYTE a = Y;\n");  // a defined value arrives substituted
}

TEST_F(ProgramStructure, ScalarsLayTheirValues) {
  ok("BYTE a, b = 7;\n");
  EXPECT_EQ(image_bytes(66, 68), (std::vector<int>{0, 7}));
  ok("BYTE a;\nWORD w = 300;\n");
  EXPECT_EQ(image_bytes(67, 69), (std::vector<int>{1, 44}));  // odd offsets are fine in intermediate mode
  refused("BYTE a;\nWORD w = 300;\n", 3119, {"-a"});
  ok("BYTE c = 'A', d = 0xFF;\nWORD e = 65535;\n");
  EXPECT_EQ(image_bytes(66, 70), (std::vector<int>{65, 255, 255, 255}));
}

TEST_F(ProgramStructure, ScalarErrors) {
  refused("BYTE c = 256;\n", 3084);
  refused("BYTE c = '\\777';\n", 3084);
  refused("WORD c = 65536;\n", 3089);
  refused("BYTE c = -1;\n", 3084);
  refused("BYTE c d;\n", 3096);
  refused("BYTE;\n", 2907);
  refused("BYTE a;\nBYTE a;\n", 2916);
  refused("BYTE if;\n", 2916);
  refused("BYTE Wait;\n", 2916);
}

TEST_F(ProgramStructure, ArraysWithStringsAndLists) {
  ok("BYTE s[] = \"AB\";\n");
  EXPECT_EQ(info("size"), 70);
  EXPECT_EQ(image_bytes(66, 69), (std::vector<int>{65, 66, 0}));
  ok("WORD t[] = \"AB\";\n");
  EXPECT_EQ(image_bytes(66, 70), (std::vector<int>{65, 66, 0, 0}));
  ok("WORD v[4] = {1, 2};\nBYTE after;\n");
  EXPECT_EQ(image_bytes(66, 74), (std::vector<int>{0, 1, 0, 2, 0, 0, 0, 0}));
  EXPECT_EQ(info("size"), 76);
  ok("BYTE z[] = \"a\\0b\";\n");
  EXPECT_EQ(image_bytes(66, 70), (std::vector<int>{97, 0, 98, 0}));
  ok("BYTE r[3];\nBYTE q[0];\n");
  EXPECT_EQ(info("size"), 70);
}

TEST_F(ProgramStructure, ArrayErrors) {
  refused("BYTE u[2] = \"AB\";\n", 3048);
  refused("WORD x[2] = {1, 2, 3};\n", 3048);
  refused("BYTE d[2] = {1, -1};\n", 2992);
  refused("BYTE d[2] = {1, 256};\n", 2992);
  refused("WORD d[2] = {1, 65536};\n", 2997);
  refused("BYTE d[2] = {1; 2};\n", 3029);
  refused("BYTE d[2] = 5;\n", 3035);
  refused("BYTE d[x];\n", 2960);
  refused("BYTE d[2;\n", 2965);
  refused("BYTE d[2] e;\n", 3067);
  refused("BYTE d[3434];\n", 0);
  refused("BYTE a;\nWORD w[2];\n", 2951, {"-a"});
  refused("BYTE a;\nWORD w[] = {1};\n", 2951, {"-a"});
  ok("BYTE a;\nWORD w[2];\n");
}

TEST_F(ProgramStructure, FunctionsFillTheTableAndTheEntry) {
  ok("BYTE x;\nsub() {}\nmain() {}\n");
  EXPECT_NE(dir_.read("prog.inf").find("\n[Function]\nsub = 67 (43H)\nmain = 68 (44H)\n\n"), std::string::npos);
  EXPECT_EQ(image_bytes(62, 65), (std::vector<int>{182, 0, 68}));
  EXPECT_EQ(image_bytes(67, 70), (std::vector<int>{254, 254, 255}));
}

TEST_F(ProgramStructure, FunctionErrors) {
  refused("f {}\n", 3200);
  refused("f( {}\n", 3205);
  refused("f() }\n", 3210);
  refused("main() {}\nmain() {}\n", 3219);
  refused("f() {\n", 1520);
  std::string many;
  for (int i = 0; i < 101; ++i) many += "f" + std::to_string(i) + "() {}\n";
  refused(many, 3232);
  refused(std::string(50, 'n') + "() {}\n", 3237);
  ok(std::string(49, 'n') + "() {}\n");
  refused("#name() {}\n", 0, {"-a"});
  refused("BYTE main;\n", 0, {"-a"});
}

TEST_F(ProgramStructure, FramesSplitTheProgram) {
  std::string frames;
  for (int i = 0; i < 15; ++i) frames += "#frame\nf" + std::to_string(i) + "() {}\n";
  ok("main() {}\n" + frames);
  EXPECT_EQ(info("count"), 16);
  EXPECT_EQ(info("frame00length"), 67);
  EXPECT_EQ(info("frame15"), 81);
  EXPECT_EQ(info("frame15length"), 2);  // its function end and the program end
  refused("main() {}\n" + frames + "#frame\n", 3157);
}

TEST_F(ProgramStructure, OverlayAddressesCarryTheFrameNumber) {
  // Frame 0 is 1000 bytes: header, 915 bytes of data, pad() (19 bytes) with its end.
  std::string program = "BYTE data[915];\npad() { data[1] = 1; data[1] = 1; }\n#frame\n";
  program += "sub() { data[1] = 1; }\nmain() {}\n";
  ok(program);
  EXPECT_EQ(info("frame00length"), 1000);
  EXPECT_EQ(info("frame01"), 1000);
  EXPECT_EQ(image_bytes(62, 65), (std::vector<int>{182, 19, 242}));  // 4096 + 10 + 1000 = 5106
  EXPECT_EQ(info("main"), 5106);
}

TEST_F(ProgramStructure, FrameSizeChecks) {
  std::string base = "BYTE a[3000];\n";
  refused(base + "f() {}\n#frame\ng() { a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; "
                 "a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; "
                 "a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; "
                 "a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; "
                 "a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; "
                 "a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; "
                 "a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; a[1] = 1; }\n",
          3480);
}

TEST(Image, RuntimeAndImageAddresses) {
  ground::Image image;
  image.frame_count = 3;
  image.frames[0] = {0, 1000};
  image.frames[1] = {1000, 200};
  image.frames[2] = {1200, 300};
  EXPECT_EQ(image.runtime_address(500), 500);
  EXPECT_EQ(image.runtime_address(1010), 4096 + 10 + 1000);
  EXPECT_EQ(image.runtime_address(1250), 2 * 4096 + 50 + 1000);
  EXPECT_EQ(image.runtime_address(1500), 1500);  // in no frame
  EXPECT_EQ(image.image_address(1250), (2L << 20) + 50 + 1000);
  EXPECT_EQ(image.image_address(1600), 1600);
  ground::AsmOut out;
  codegen::Gen gen{image, out};
  EXPECT_EQ(codegen::address_of(gen, 1250), 1250);  // pass 1 has no frame table yet
  image.frame_count = 0;
  EXPECT_EQ(image.image_address(1250), 1250);
}

}  // namespace
}  // namespace corvel::testing
