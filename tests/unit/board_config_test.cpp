// The board file: pin tables, supply lines, calibration, defines, voltages.
#include <gtest/gtest.h>

#include "driver/board_config.hpp"
#include "driver/compile.hpp"
#include "driver/state.hpp"
#include "front/symbol_table.hpp"
#include "support/temp_dir.hpp"

namespace corvel::driver {
namespace {

class BoardConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_run_state(); }
  int read(const std::string& text) {
    dir_.write("board.dat", text);
    return read_board_config(dir_.at("board.dat"));
  }
  testing::TempDir dir_;
};

TEST_F(BoardConfigTest, MapsBoardPinsToPortBits) {
  ASSERT_EQ(read("#12 A3\n#12 73\n#13 18\n#41 13\n#1 10\n#2 B7\n#3 80\n"), 0);
  EXPECT_EQ(pin_lookup(12), 59);  // port A bit 3; the bad lines after it are ignored
  EXPECT_EQ(pin_lookup(13), kNoPort);
  EXPECT_EQ(pin_lookup(1), 0);
  EXPECT_EQ(pin_lookup(2), 71);
  EXPECT_EQ(pin_lookup(3), 48);
  EXPECT_EQ(pin_lookup(0), kNoPort);
  EXPECT_EQ(pin_lookup(161), kNoPort);
}

TEST_F(BoardConfigTest, ReadsSupplyLinesWhereTheIndexFollowsTheKey) {
  ASSERT_EQ(read("#vpp3 24\n#VPP 3 24\n#VPP 12 24\n#VCC5 31\n#gnd40 B0\n"), 0);
  EXPECT_EQ(pin_lookup(43), 12);  // Vpp line 3: port 2 bit 4
  EXPECT_EQ(pin_lookup(52), 2);   // "#VPP 12 24": index 12, port field 12
  EXPECT_EQ(pin_lookup(85), 17);
  EXPECT_EQ(pin_lookup(160), 64);
  EXPECT_EQ(pin_lookup(45), kNoPort);
}

TEST_F(BoardConfigTest, IgnoresIndexesOutOfRangeWithoutWrapping) {
  ASSERT_EQ(read("#4294967297 10\n#99999999999999999999 11\n#-1 12\n"), 0);
  for (int i = 0; i <= 40; ++i) EXPECT_EQ(pin_lookup(i), kNoPort) << i;
}

TEST_F(BoardConfigTest, FillsCalibrationTablesPerBoardSection) {
  ASSERT_EQ(read("#CVPP 5 40\n[Board2]\n#CVPP 12.5 7\n#cvcc 6.25 300\n#CVPP bad\n[board3]\n#CVCC 21 1\n#9 20\n"), 0);
  EXPECT_EQ(g.board.calibration_count[0][0], 1);
  EXPECT_EQ(g.board.calibration[0][0][0].hundredths, 500);
  EXPECT_EQ(g.board.calibration_count[1][0], 1);
  EXPECT_EQ(g.board.calibration[1][0][0].hundredths, 1250);
  EXPECT_EQ(g.board.calibration[1][0][0].code, 7);
  EXPECT_EQ(g.board.calibration[1][1][0].code, 300 % 256);
  EXPECT_EQ(g.board.calibration_count[2][1], 1);
  EXPECT_EQ(pin_lookup(9), 8);  // pins are shared by every board section
}

TEST_F(BoardConfigTest, KeepsThirtyCalibrationEntries) {
  std::string text;
  for (int i = 0; i < 32; ++i) text += "#CVPP " + std::to_string(5 + i % 10) + " " + std::to_string(i) + "\n";
  ASSERT_EQ(read(text), 0);
  EXPECT_EQ(g.board.calibration_count[0][0], 30);
  EXPECT_EQ(g.board.calibration[0][0][29].code, 29);
}

TEST_F(BoardConfigTest, RegistersDefines) {
  ASSERT_EQ(read("#define LED P17\n#define COUNT 300 trailing words\n"), 0);
  std::string value;
  EXPECT_EQ(front::symbol_lookup("LED", &value), front::kKindDefine);
  EXPECT_EQ(value, std::string(1, 52) + "P17");
  EXPECT_EQ(front::symbol_lookup("COUNT", &value), front::kKindDefine);
  EXPECT_EQ(value, std::string(1, 43) + "300");
}

TEST_F(BoardConfigTest, FailsOnABadDefineOrAMissingFile) {
  EXPECT_EQ(read("#define A 1\n#define A 2\n"), -1);
  reset_run_state();
  EXPECT_EQ(read("#define 5 5\n"), -1);
  reset_run_state();
  EXPECT_EQ(read("#define X\n"), -1);
  EXPECT_EQ(read_board_config(dir_.at("missing.dat")), -1);
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
}  // namespace corvel::driver
