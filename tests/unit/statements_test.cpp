// Statements compiled into intermediate code and, with -a, into assembly.
#include <gtest/gtest.h>

#include "support/corvel_session.hpp"

namespace corvel::testing {
namespace {

using Bytes = std::vector<int>;

// Ports 0 and 1 give the port registers; x, y, w, arr and warr sit at known offsets.
const char* const kDeclarations =
    "#port OUTA \"P10,P11,P12\"\n"
    "BYTE pad[4], x, y;\n"   // x 70, y 71
    "WORD w;\n"              // 72
    "BYTE arr[26];\n"        // 74..99
    "BYTE arr2[4];\n"        // 100
    "WORD warr[2];\n";       // 104

class Statements : public MainBodyTest {
 protected:
  Statements() : MainBodyTest(kDeclarations) {}
};

TEST_F(Statements, AssignmentsLayLetWithTargetCountAndItems) {
  EXPECT_EQ(body("x = 5;"), (Bytes{180, 162, 0, 70, 1, 160, 5}));
  EXPECT_EQ(body("w = 300;"), (Bytes{180, 163, 0, 72, 1, 161, 1, 44}));
  EXPECT_EQ(body("x = y + 3;"), (Bytes{180, 162, 0, 70, 3, 162, 0, 71, 160, 3, 202}));
  EXPECT_EQ(body("OUTA = 15;"), (Bytes{180, 166, 1, 160, 15}));
  EXPECT_EQ(body("OUTA.dir = 0;"), (Bytes{180, 167, 1, 160, 0}));
  EXPECT_EQ(body("OUTA15.dir = 1;"), (Bytes{180, 80, 1, 160, 1}));
  EXPECT_EQ(body("#P20 = 1;"), (Bytes{180, 8, 1, 160, 1}));
  EXPECT_EQ(body("arr2[x] = 1;"), (Bytes{180, 164, 0, 100, 162, 0, 70, 1, 160, 1}));
  EXPECT_EQ(body("arr2[3] = 1;"), (Bytes{180, 164, 0, 100, 160, 3, 1, 160, 1}));
  EXPECT_EQ(body("warr[w] = arr2[3];"), (Bytes{180, 165, 0, 104, 163, 0, 72, 1, 164, 0, 100, 161, 0, 3}));
}

TEST_F(Statements, ConstantsAndOperandsInExpressions) {
  EXPECT_EQ(body("w = 255;"), (Bytes{180, 163, 0, 72, 1, 160, 255}));
  EXPECT_EQ(body("w = 256;"), (Bytes{180, 163, 0, 72, 1, 161, 1, 0}));
  EXPECT_EQ(body("w = 65535;"), (Bytes{180, 163, 0, 72, 1, 161, 255, 255}));
  EXPECT_EQ(body("w = OUTA.dir;"), (Bytes{180, 163, 0, 72, 1, 167}));
  EXPECT_EQ(body("w = OUTA15 + #P21;"), (Bytes{180, 163, 0, 72, 3, 0, 9, 202}));
  EXPECT_EQ(body("w = ~x;"), (Bytes{180, 163, 0, 72, 2, 162, 0, 70, 188}));
  EXPECT_EQ(body("w = x++;"), (Bytes{180, 163, 0, 72, 2, 162, 0, 70, 186}));
  EXPECT_EQ(refusal("w = 65536;"), "line 758");
  EXPECT_EQ(refusal("w = 1.5;"), "line 758");
  EXPECT_EQ(refusal("w = OUTA15.dir;"), "line 350");
  EXPECT_EQ(refusal("w = #P21.dir;", {}), "line 368");
  EXPECT_EQ(refusal("w = x++;", {"-a"}), "line 731");
  EXPECT_EQ(refusal("w = (x;"), "line 1025");  // an unmatched "(" reaches the code generator
}

TEST_F(Statements, AssignmentRefusals) {
  EXPECT_EQ(refusal("OUTA15 = 1;"), "line 2517");
  EXPECT_EQ(refusal("#P10 = 1;"), "line 2568");
  EXPECT_EQ(refusal("arr = 1;"), "line 2583");
  EXPECT_EQ(refusal("z = 1;"), "line 2583");
  EXPECT_EQ(refusal("5 = 1;"), "line 2590");
  EXPECT_EQ(refusal("x[1] = 1;"), "line 2449");
  EXPECT_EQ(refusal("arr[1] 1;"), "line 2462");
  EXPECT_EQ(refusal("arr[OUTA15] = 1;"), "line 1783");
  EXPECT_EQ(refusal("arr[-1] = 1;"), "line 1789");
  EXPECT_EQ(refusal("arr[1 = 1;"), "line 1794");
  EXPECT_EQ(refusal("x += 1;"), "line 2442");
  EXPECT_EQ(refusal("x *= 1;"), "line 2442");
  EXPECT_EQ(refusal("x++;"), "line 2609");
  EXPECT_EQ(refusal("x = arr[OUTA15];"), "line 1021");
  EXPECT_EQ(refusal("x = arr[Wait];"), "line 1021");
}

TEST_F(Statements, IfLaysAJudgeAndItsLabelsNameItsOffset) {
  // The JUDGE at offset 108 (6C): 181, skip, count, then the condition.
  Bytes b = body("if (x) y = 1;");
  EXPECT_EQ(b, (Bytes{181, 0, 122, 1, 162, 0, 70, 180, 162, 0, 71, 1, 160, 1}));
  Bytes e = body("if (x) y = 1; else y = 2;");
  EXPECT_EQ(e, (Bytes{181, 0, 125, 1, 162, 0, 70, 180, 162, 0, 71, 1, 160, 1, 182, 0, 132,
                      180, 162, 0, 71, 1, 160, 2}));
  std::string text = assembly("if (x) ; else ;");
  EXPECT_NE(text.find("\tBEQ\tLBL6C_ELSE:16\t;(if goto-else)\n\tBRA\tLBL6C_E:16\t;(if end)\nLBL6C_ELSE\t;(else)\n"
                      "LBL6C_E:\t;(if end)\n"),
            std::string::npos)
      << text;
}

TEST_F(Statements, IfAtOffset100IsLabelledLBL64) {
  Outcome o = compile_in(dir_, "BYTE pad[32], a, x;\nmain() { if (a) x = 1; }\n", {"-a"});
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_EQ(info_value(dir_, "main"), 100);
  std::string text = dir_.read("prog.asm");
  EXPECT_NE(text.find("\tBEQ\tLBL64_ELSE:16\t;(if goto-else)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("LBL64_ELSE\t;(else)\nLBL64_E:\t;(if end)\n"), std::string::npos) << text;
}

TEST_F(Statements, LoopsJumpToTheirTopAndEnd) {
  // while: JUDGE at 108, body, GOTO 108; the skip leads past the GOTO.
  EXPECT_EQ(body("while (x) y = 1;"),
            (Bytes{181, 0, 125, 1, 162, 0, 70, 180, 162, 0, 71, 1, 160, 1, 182, 0, 108}));
  // do: body at 108, JUDGE, GOTO 108.
  EXPECT_EQ(body("do y = 1; while (x);"),
            (Bytes{180, 162, 0, 71, 1, 160, 1, 181, 0, 125, 1, 162, 0, 70, 182, 0, 108}));
  // break leaves the innermost loop; continue goes to its JUDGE (while) or its first statement (do).
  EXPECT_EQ(body("while (x) { if (y) break; continue; }"),
            (Bytes{181, 0, 131, 1, 162, 0, 70, 181, 0, 125, 1, 162, 0, 71, 182, 0, 131, 182, 0, 108, 182, 0, 108}));
  EXPECT_EQ(body("do { continue; } while (x);"), (Bytes{182, 0, 108, 181, 0, 121, 1, 162, 0, 70, 182, 0, 108}));
}

TEST_F(Statements, LoopLabelsCountUpInHexadecimal) {
  std::string loops;
  for (int i = 0; i < 11; ++i) loops += "while (x) ;\n";
  std::string text = assembly(loops);
  EXPECT_NE(text.find("LBL0_T:\t;(while top)\n"), std::string::npos);
  EXPECT_NE(text.find("LBLA_T:\t;(while top)\n"), std::string::npos);
  EXPECT_NE(text.find("\tBEQ\tLBLA_E:16\n"), std::string::npos);
  EXPECT_NE(text.find("LBLA_E:\t;(while end)\n"), std::string::npos);
  std::string many;
  for (int i = 0; i < 67; ++i) many += "do ; while (x);\n";
  text = assembly(many + "while (x) { break; continue; }");
  EXPECT_NE(text.find("LBL41_T:\t;(do top)\n"), std::string::npos);  // loop 65 keeps its name
  EXPECT_NE(text.find("LBL10042_T:\t;(do top)\n"), std::string::npos);  // loop 66 moves above 0x10000
  EXPECT_NE(text.find("\tBRA\tLBL10043_E:16\t;(break)\n\tBRA\tLBL10043_T:16\t;(continue)\n"), std::string::npos);
}

TEST_F(Statements, NestsFortyNineLoops) {
  std::string open, close;
  for (int i = 0; i < 49; ++i) open += "while (x) {", close += "}";
  body(open + close);
  EXPECT_EQ(refusal(open + "while (x) ;" + close), "line 1131");
  EXPECT_EQ(refusal(open + "do ; while (x);" + close), "line 1236");
}

TEST_F(Statements, ControlStatementRefusals) {
  EXPECT_EQ(refusal("if x) ;"), "line 1039");
  EXPECT_EQ(refusal("while x) ;"), "line 1139");
  EXPECT_EQ(refusal("do x = 1; until (x);"), "line 1265");
  EXPECT_EQ(refusal("do x = 1; while x;"), "line 1270");
  EXPECT_EQ(refusal("do x = 1; while (x)"), "line 1335");
  EXPECT_EQ(refusal("goto 5;"), "line 1348");
  EXPECT_EQ(refusal("goto L"), "line 1353");
  EXPECT_EQ(refusal("goto M;"), "line 1360");
  EXPECT_EQ(refusal("break"), "line 1386");
  EXPECT_EQ(refusal("break;"), "line 1391");
  EXPECT_EQ(refusal("continue"), "line 1424");
  EXPECT_EQ(refusal("continue;"), "line 1429");
  EXPECT_EQ(refusal("while (x) ; BreakLabel0: ;"), "line 1976");
  EXPECT_EQ(refusal("BreakLabel0: ; while (x) ;"), "line 1213");
  EXPECT_EQ(refusal("ContinueLabel0: ; while (x) ;"), "line 1201");
  EXPECT_EQ(refusal("ContinueLabel0: ; do ; while (x);"), "line 1307");
  EXPECT_EQ(refusal("if (x) {"), "line 1520");
}

TEST_F(Statements, GotoFindsLabelsBeforeAndAfterIt) {
  EXPECT_EQ(body("goto L; L: ; goto L;"), (Bytes{182, 0, 111, 182, 0, 111}));
  EXPECT_EQ(refusal("L: ; L: ;"), "line 1976");
  EXPECT_EQ(refusal("x: ;"), "line 1976");
}

TEST_F(Statements, CallsOfTheProgramsFunctions) {
  Outcome o = compile_in(dir_, std::string(kDeclarations) + "main() { sub(); }\nsub() {}\n");
  ASSERT_EQ(o.status, 0) << o.out;
  long main = info_value(dir_, "main");
  EXPECT_EQ(rom_image(dir_, main, main + 3), (Bytes{183, 0, 112}));
  EXPECT_EQ(refusal("never();"), "line 2404");
  EXPECT_EQ(refusal("x();"), "line 2404");
  EXPECT_EQ(refusal("OUTA();"), "line 2404");
  EXPECT_EQ(refusal("sub(1);"), "line 2384");
  EXPECT_EQ(refusal("sub()"), "line 2389");
}

TEST_F(Statements, ArrayReadsLayTheirIndexOnce) {
  EXPECT_EQ(body("x = arr2[3];"), (Bytes{180, 162, 0, 70, 1, 164, 0, 100, 161, 0, 3}));
  EXPECT_EQ(body("x = arr2[y];"), (Bytes{180, 162, 0, 70, 1, 164, 0, 100, 162, 0, 71}));
  EXPECT_EQ(body("x = arr2[OUTA];"), (Bytes{180, 162, 0, 70, 1, 164, 0, 100, 166}));
}

}  // namespace
}  // namespace corvel::testing
