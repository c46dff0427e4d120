// The board file: pin tables, supply lines, calibration, defines, voltages.
#include <gtest/gtest.h>

#include "ground/board.hpp"
#include "support/corvel_session.hpp"

namespace corvel::ground {
namespace {

class BoardConfigTest : public ::testing::Test {
 protected:
  bool read(const std::string& text) {
    dir_.write("board.dat", text);
    return read_board(dir_.at("board.dat"), b_);
  }
  int pin_lookup(long index) const { return b_.pin_lookup(index); }
  testing::TempDir dir_;
  Board b_;
};

TEST_F(BoardConfigTest, MapsBoardPinsToPortBits) {
  ASSERT_TRUE(read("#12 A3\n#12 73\n#13 18\n#41 13\n#1 10\n#2 B7\n#3 80\n"));
  EXPECT_EQ(pin_lookup(12), 59);  // port A bit 3; the bad lines after it are ignored
  EXPECT_EQ(pin_lookup(13), kNoPort);
  EXPECT_EQ(pin_lookup(1), 0);
  EXPECT_EQ(pin_lookup(2), 71);
  EXPECT_EQ(pin_lookup(3), 48);
  EXPECT_EQ(pin_lookup(0), kNoPort);
  EXPECT_EQ(pin_lookup(161), kNoPort);
}

TEST_F(BoardConfigTest, ReadsSupplyLinesWhereTheIndexFollowsTheKey) {
  ASSERT_TRUE(read("#vpp3 24\n#VPP 3 24\n#VPP 12 24\n#VCC5 31\n#gnd40 B0\n"));
  EXPECT_EQ(pin_lookup(43), 12);  // Vpp line 3: port 2 bit 4
  EXPECT_EQ(pin_lookup(52), 2);   // "#VPP 12 24": index 12, port field 12
  EXPECT_EQ(pin_lookup(85), 17);
  EXPECT_EQ(pin_lookup(160), 64);
  EXPECT_EQ(pin_lookup(45), kNoPort);
}

TEST_F(BoardConfigTest, IgnoresIndexesOutOfRangeWithoutWrapping) {
  ASSERT_TRUE(read("#4294967297 10\n#99999999999999999999 11\n#-1 12\n"));
  for (int i = 0; i <= 40; ++i) EXPECT_EQ(pin_lookup(i), kNoPort) << i;
}

TEST_F(BoardConfigTest, FillsCalibrationTablesPerBoardSection) {
  ASSERT_TRUE(read("#CVPP 5 40\n[Board2]\n#CVPP 12.5 7\n#cvcc 6.25 300\n#CVPP bad\n[board3]\n#CVCC 21 1\n#9 20\n"));
  EXPECT_EQ(b_.calibration_count[0][0], 1);
  EXPECT_EQ(b_.calibration[0][0][0].hundredths, 500);
  EXPECT_EQ(b_.calibration_count[1][0], 1);
  EXPECT_EQ(b_.calibration[1][0][0].hundredths, 1250);
  EXPECT_EQ(b_.calibration[1][0][0].code, 7);
  EXPECT_EQ(b_.calibration[1][1][0].code, 300 % 256);
  EXPECT_EQ(b_.calibration_count[2][1], 1);
  EXPECT_EQ(pin_lookup(9), 8);  // pins are shared by every board section
}

TEST_F(BoardConfigTest, KeepsThirtyCalibrationEntries) {
  std::string text;
  for (int i = 0; i < 32; ++i) text += "#CVPP " + std::to_string(5 + i % 10) + " " + std::to_string(i) + "\n";
  ASSERT_TRUE(read(text));
  EXPECT_EQ(b_.calibration_count[0][0], 30);
  EXPECT_EQ(b_.calibration[0][0][29].code, 29);
}

// The board's #define lines are compiled before the program, as its own would be.
TEST(BoardDefines, AreRegisteredBeforeTheProgram) {
  testing::TempDir dir;
  std::string board = std::string(testing::kTestBoard) + "#define LED x\n#define COUNT 300 trailing words\n";
  testing::Outcome o = testing::compile_in(dir, "BYTE x;\nWORD w = COUNT;\nmain() { LED = 5; }\n", {}, board);
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_EQ(testing::rom_image(dir, 66, 76), (std::vector<int>{0, 1, 44, 180, 162, 0, 66, 1, 160, 5}));
}

TEST(BoardDefines, ABadDefineOrAMissingFileRefusesTheBoard) {
  testing::TempDir dir;
  for (const char* defines : {"#define A 1\n#define A 2\n", "#define 5 5\n", "#define X\n"}) {
    testing::Outcome o = testing::compile_in(dir, "main() {}\n", {}, defines);
    EXPECT_EQ(o.status, 1) << defines;
    EXPECT_NE(o.out.find("[control.dat]\n"), std::string::npos) << o.out;  // the board file's read error
  }
  Board b;
  EXPECT_FALSE(read_board(dir.at("missing.dat"), b));
}

TEST(Voltage, KeepsTwoDecimals) {
  EXPECT_EQ(voltage_hundredths("12"), 1200);
  EXPECT_EQ(voltage_hundredths("12."), 1200);
  EXPECT_EQ(voltage_hundredths("12.5"), 1250);
  EXPECT_EQ(voltage_hundredths("12.55"), 1255);
  EXPECT_EQ(voltage_hundredths("12.559"), 1255);
  EXPECT_EQ(voltage_hundredths("5.0"), 500);
  EXPECT_EQ(voltage_hundredths(".5"), 50);
}

TEST(Voltage, ConvertsZeroAndFiveToTwentyOneVolts) {
  EXPECT_EQ(voltage_conversion(0, 0, "12.55"), 125);
  EXPECT_EQ(voltage_conversion(0, 1, "21"), 210);
  EXPECT_EQ(voltage_conversion(0, 0, "21.01"), -1);
  EXPECT_EQ(voltage_conversion(0, 0, "4.99"), -1);
  EXPECT_EQ(voltage_conversion(0, 0, "0"), 0);
  EXPECT_EQ(voltage_conversion(0, 0, "0.0"), 0);
  EXPECT_EQ(voltage_conversion(0, 0, "5"), 50);
  EXPECT_EQ(voltage_conversion(0, 0, "21.005"), 210);
  EXPECT_EQ(voltage_conversion(0, 0, "99999999999999999999"), -1);
  EXPECT_EQ(voltage_conversion(3, 0, "12"), -1);
  EXPECT_EQ(voltage_conversion(0, 2, "12"), -1);
}

}  // namespace
}  // namespace corvel::ground
