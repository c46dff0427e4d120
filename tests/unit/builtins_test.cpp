// Calls of the firmware services: the bytes of CALLIN and its operands, and
// the checks of arguments against each service's signature.
#include <gtest/gtest.h>

#include "support/corvel_session.hpp"

namespace corvel::testing {
namespace {

using Bytes = std::vector<int>;

const char* const kDeclarations =
    "#port OUTA \"P10,P11\"\n"
    "BYTE pad[4], b, arr[3];\n"  // b 70, arr 71..73
    "WORD w, v;\n"              // w 74, v 76
    "WORD warr[2];\n";          // 78

class Builtins : public MainBodyTest {
 protected:
  Builtins() : MainBodyTest(kDeclarations) {}
};

TEST_F(Builtins, StatementCallsLayCallInAndOneOperandPerParameter) {
  EXPECT_EQ(body("SendByte(5);"), (Bytes{184, 12, 160, 5}));
  EXPECT_EQ(body("EndDump();"), (Bytes{184, 9}));
  EXPECT_EQ(body("ee_read(b);"), (Bytes{184, 36, 162, 0, 70, 160, 0}));
  EXPECT_EQ(body("ee_read(b, 300);"), (Bytes{184, 36, 162, 0, 70, 161, 1, 44}));
  EXPECT_EQ(body("SendNum2Str(b, w);"), (Bytes{184, 19, 162, 0, 70, 163, 0, 74}));
  EXPECT_EQ(body("SendWord(OUTA);"), (Bytes{184, 13, 166}));
  EXPECT_EQ(body("memcpy(arr, arr, 3);"), (Bytes{184, 46, 161, 0, 71, 161, 0, 71, 160, 3}));
  EXPECT_EQ(body("SendByte(warr);"), (Bytes{184, 12, 161, 0, 78}));
  EXPECT_EQ(body("DataReq(w, v, w, arr, v);"), (Bytes{184, 25, 163, 0, 74, 163, 0, 76, 163, 0, 74, 161, 0, 71, 163, 0, 76}));
  EXPECT_EQ(body("SendMsg(\"AB\");"), (Bytes{184, 17, 65, 66, 0}));
  EXPECT_EQ(body("exit(1); return();"), (Bytes{184, 11, 160, 1, 184, 10}));
}

TEST_F(Builtins, ControlTargetsAreBitsPinsVariablesAndPorts) {
  EXPECT_EQ(body("Pulse(OUTA15);"), (Bytes{184, 1, 0}));
  EXPECT_EQ(body("Pulse(#P30);"), (Bytes{184, 1, 16}));
  EXPECT_EQ(body("Inc(b);"), (Bytes{184, 2, 162, 0, 70}));
  EXPECT_EQ(body("Dec(w);"), (Bytes{184, 4, 163, 0, 74}));
  EXPECT_EQ(body("Clear(OUTA);"), (Bytes{184, 3, 166}));
}

TEST_F(Builtins, VoltagesBecomeTenthsOfAVolt) {
  EXPECT_EQ(body("VppVolt(12.5);"), (Bytes{184, 21, 160, 125}));
  EXPECT_EQ(body("VppVolt(12);"), (Bytes{184, 21, 160, 120}));
  EXPECT_EQ(body("VccVolt(0);"), (Bytes{184, 22, 160, 0}));
  EXPECT_EQ(body("VccVolt(w);"), (Bytes{184, 22, 163, 0, 74}));
  EXPECT_EQ(body("SendByte(5.0);"), (Bytes{184, 12, 160, 50}));
  EXPECT_EQ(refusal("VppVolt(4.9);"), "line 2196");
  EXPECT_EQ(refusal("VppVolt(21.05);"), "line 2196");
  EXPECT_EQ(refusal("SendByte(1.5);"), "line 2196");
}

TEST_F(Builtins, ValueReturningCallsInsideExpressions) {
  EXPECT_EQ(body("w = GetTimer();"), (Bytes{180, 163, 0, 74, 1, 184, 6}));
  EXPECT_EQ(body("w = ee_read(b) + 1;"), (Bytes{180, 163, 0, 74, 3, 184, 36, 162, 0, 70, 160, 0, 160, 1, 202}));
  EXPECT_EQ(body("w = time_get(arr, 2);"), (Bytes{180, 163, 0, 74, 1, 184, 42, 161, 0, 71, 160, 2}));
  EXPECT_EQ(body("w = mget(arr, v);"), (Bytes{180, 163, 0, 74, 1, 184, 29, 161, 0, 71, 163, 0, 76}));
  EXPECT_EQ(body("GetTimer();"), (Bytes{184, 6}));  // a result may be dropped
}

TEST_F(Builtins, StatementCallRefusals) {
  EXPECT_EQ(refusal("SendByte();"), "SymRc = 49   [;]\nline 2340");
  EXPECT_EQ(refusal("SendByte(1 2);"), "SymRc = 41   [2]\nline 2340");
  EXPECT_EQ(refusal("SendByte(1, 2);"), "line 2364");
  EXPECT_EQ(refusal("EndDump(5);"), "line 2364");
  EXPECT_EQ(refusal("SendByte(1)"), "line 2369");
  EXPECT_EQ(refusal("SendByte(\"s\");"), "line 2294");
  EXPECT_EQ(refusal("SendByte(70000);"), "line 2294");
  EXPECT_EQ(refusal("SendByte(main);"), "line 2294");
  EXPECT_EQ(refusal("Pulse(5);"), "line 2146");
  EXPECT_EQ(refusal("Pulse(arr);"), "line 2146");
  EXPECT_EQ(refusal("Pulse();"), "SymRc = 49   [;]\nline 2340");
  EXPECT_EQ(refusal("DataReq(w, 5, w, arr, v);"), "line 2161");
  EXPECT_EQ(refusal("DataReq(w, b, w, arr, v);"), "line 2216");
  EXPECT_EQ(refusal("DataReq(w, v, w, 5, v);"), "line 2166");
  EXPECT_EQ(refusal("DataReq(w, v, w, warr, v);"), "line 2221");
  EXPECT_EQ(refusal("SendMsg(b);"), "line 2304");
  // A port register has no address to pass: an internal error, in native output only.
  EXPECT_EQ(refusal("DataReq(w, OUTA, w, arr, v);", {"-a"}), "\x93\xE0\x95\x94\x83G\x83\x89\x81[\n7 : DataReq(w, OUTA, w, arr, v);\n");
  body("DataReq(w, OUTA, w, arr, v);");
}

TEST_F(Builtins, ExpressionCallRefusals) {
  EXPECT_EQ(refusal("w = EndDump();"), "line 788");
  EXPECT_EQ(refusal("w = GetTimer(5);"), "line 939");
  EXPECT_EQ(refusal("w = mget(arr);"), "line 939");
  EXPECT_EQ(refusal("w = mget(arr, 1, 2);"), "line 939");
  EXPECT_EQ(refusal("w = mget();"), "line 799");
  EXPECT_EQ(refusal("w = DataReq(1, 5, w, arr, v);"), "line 812");
  EXPECT_EQ(refusal("w = time_get(5, 1);"), "line 817");
  EXPECT_EQ(refusal("w = DataReq(1, b, w, arr, v);"), "line 837");
  EXPECT_EQ(refusal("w = time_get(warr, 1);"), "line 842");
  EXPECT_EQ(refusal("w = mget(warr, 1);"), "line 911");
  EXPECT_EQ(refusal("w = mget(OUTA15, 1);"), "line 911");
}

TEST_F(Builtins, NativeOutputLoadsArgumentRegisters) {
  Outcome o = run("SendByte(5);\nInc(b);\nPulse(b);\nee_read(b);\nSendMsg(\"AB\");\nw = GetTimer();", {"-a"});
  ASSERT_EQ(o.status, 0) << o.out;
  std::string text = dir_.read("prog.asm");
  EXPECT_NE(text.find(";M_CHAR/M_INT line=2182\n\tMOV.W\t#H'5,R2\n\tJSR\t@fSendByte:24\n"), std::string::npos);
  EXPECT_NE(text.find(";S_BYTE line=2062\n\tMOV.B\t@_b,R2L\n\tINC.B\tR2L\n\tMOV.B\tR2L,@_b\n;S_BYTE line=2062\n"
                      ";\x95\xCF\x90\x94\x82\xD6\x82\xCC" "Pulse()"),
            std::string::npos);
  EXPECT_EQ(text.find("fInc"), std::string::npos);
  EXPECT_EQ(text.find("fPulse"), std::string::npos);
  EXPECT_NE(text.find("\tMOV.B\t@_b,R2L\n\tXOR.B\tR2H,R2H\n;M_CHAR/M_INT line=2354\n\tMOV.W\t#H'0,R3\n\tJSR\t@fee_read:24\n"),
            std::string::npos);
  EXPECT_NE(text.find(";STRING line=2321\nMSG_1:\n\t.SDATA\t\"AB\"\n\t.DATA.B\t0\n"), std::string::npos);
  EXPECT_NE(text.find(";STRING line=2326\n\tMOV.L\t#MSG_1:32,ER2\n\tJSR\t@fSendMsg:24\n"), std::string::npos);
  EXPECT_NE(text.find("\tJSR\t@fGetTimer:24\n;function return line=948\n\tPUSH.W\tR0\n"), std::string::npos);
}

TEST_F(Builtins, StringsThatCannotStandInOneDataLine) {
  Outcome o = run("SendMsg(\"a\\\"b\\tc\");\nMessage(\"\");", {"-a"});
  ASSERT_EQ(o.status, 0) << o.out;
  std::string text = dir_.read("prog.asm");
  EXPECT_NE(text.find("MSG_1:\n\t.SDATA\t\"a\"\n\t.DATA.B\t34\n\t.SDATA\t\"b\"\n\t.DATA.B\t9\n\t.SDATA\t\"c\"\n\t.DATA.B\t0\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("MSG_2:\n\t.SDATA\t\"\"\n\t.DATA.B\t0\n"), std::string::npos);
}

}  // namespace
}  // namespace corvel::testing
