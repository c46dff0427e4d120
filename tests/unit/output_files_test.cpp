// The information file and the ROM file, written and read back.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver/compile.hpp"
#include "driver/state.hpp"
#include "output/info_file.hpp"
#include "output/rom_file.hpp"
#include "support/temp_dir.hpp"

namespace corvel::output {
namespace {

using driver::g;

class OutputFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    driver::reset_run_state();
    console_ = std::tmpfile();
    g.console = console_;
  }
  void TearDown() override {
    g.console = stdout;
    std::fclose(console_);
  }
  std::string console_text() {
    std::string text;
    std::rewind(console_);
    for (int c; (c = std::fgetc(console_)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
  }
  testing::TempDir dir_;
  std::FILE* console_ = nullptr;
};

TEST_F(OutputFiles, WritesTheInformationFile) {
  g.byte_counter = 300;
  g.functions = {{"sub", 100}, {"main", 120}};
  ASSERT_EQ(write_info_file(dir_.at("p.inf"), 0), 0);
  EXPECT_EQ(dir_.read("p.inf"),
            "[Common]\nsize = 300 (12CH)\ncompile = 0\n\n[Function]\nsub = 100 (64H)\nmain = 120 (78H)\n\n"
            "[Overlay]\ncount = 0\n\n");
}

TEST_F(OutputFiles, ReadsItBack) {
  dir_.write("p.inf",
             "[Common]\nsize = 300 (12CH)\ncompile = 0\n\n[Function]\nsub = 100 (64H)\nmain = 120 (78H)\n\n"
             "[Overlay]\ncount = 0\n\n");
  ASSERT_EQ(read_info_file(dir_.at("p.inf")), 0);
  EXPECT_EQ(g.byte_counter, 300);
  ASSERT_EQ(g.functions.size(), 2u);
  EXPECT_EQ(g.functions[1].name, "main");
  EXPECT_EQ(g.functions[1].address, 0);
  EXPECT_EQ(g.frame_count, 0);
  EXPECT_EQ(g.frames[0].size, 300);
}

TEST_F(OutputFiles, ReadsSectionsInAnyCaseAndFrameLines) {
  dir_.write("p.inf", "ignored = 1 (1H)\n[common]\nSIZE = 12 (CH)\n[OVERLAY]\nframe03length = 200 (C8H)\nframe01 = 5 (5H)\n");
  ASSERT_EQ(read_info_file(dir_.at("p.inf")), 0);
  EXPECT_EQ(g.byte_counter, 12);
  EXPECT_EQ(g.frame_count, 4);
  EXPECT_EQ(g.frames[3].size, 200);
  EXPECT_EQ(g.frames[1].start, 5);
}

TEST_F(OutputFiles, RefusesMalformedOrOversizedFiles) {
  const char* bad[] = {"[Overlay]\nframe1x = 5 (5H)\n", "[Overlay]\nframe16 = 5 (5H)\n"};
  for (const char* text : bad) {
    dir_.write("p.inf", text);
    EXPECT_EQ(read_info_file(dir_.at("p.inf")), -1) << text;
  }
  std::string many = "[Function]\n";
  for (int i = 0; i < 101; ++i) many += "f" + std::to_string(i) + " = 0 (0H)\n";
  dir_.write("p.inf", many);
  EXPECT_EQ(read_info_file(dir_.at("p.inf")), -1);
  dir_.write("p.inf", "[Function]\n" + std::string(50, 'n') + " = 0 (0H)\n");
  EXPECT_EQ(read_info_file(dir_.at("p.inf")), -1);
  std::string refusal = "file format error [" + dir_.at("p.inf") + "]\n";
  EXPECT_EQ(console_text(), refusal + refusal + refusal + refusal);
  EXPECT_EQ(read_info_file(dir_.at("none.inf")), -1);
}

TEST_F(OutputFiles, NativeFlagShiftsFrameStarts) {
  g.frame_count = 2;
  g.frames[0] = {1044240, 1000};
  g.frames[1] = {1045240, 16};
  g.byte_counter = 1016;
  ASSERT_EQ(write_info_file(dir_.at("p.inf"), 1), 0);
  std::string text = dir_.read("p.inf");
  EXPECT_NE(text.find("frame00 = 0 (0H)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("frame01 = 1000 (3E8H)\n"), std::string::npos) << text;
  g.frames[0] = {0, 1000};
  ASSERT_EQ(write_info_file(dir_.at("p.inf"), 1), 0);
  EXPECT_NE(dir_.read("p.inf").find("frame00 = -1044240 (FFF010F0H)\n"), std::string::npos);
}

TEST_F(OutputFiles, WriteErrorsAreFailures) {
  g.byte_counter = 67;
  EXPECT_EQ(write_rom_file("/dev/full"), -1);
  EXPECT_EQ(write_info_file("/dev/full", 0), -1);
  EXPECT_EQ(write_rom_file(dir_.at("no/such/dir.rom")), -1);
  EXPECT_EQ(console_text(), "file open error [/dev/full]\nfile open error [/dev/full]\nfile open error [" +
                                dir_.at("no/such/dir.rom") + "]\n");
}

TEST_F(OutputFiles, DropsBlankRecordsAndKeepsTheEndRecord) {
  g.byte_counter = 48;  // three image records after the frame table, two of them blank
  for (int i = 0; i < 48; ++i) g.image[i] = 0xFF;
  g.image[40] = 0x12;
  for (auto& f : g.frames) f = {-64, 0};  // a frame table of zero words
  ASSERT_EQ(write_rom_file(dir_.at("p.rom")), 0);
  EXPECT_EQ(dir_.read("p.rom"),
            ":1000000000000000000000000000000000000000F0\n:1000100000000000000000000000000000000000E0\n"
            ":1000200000000000000000000000000000000000D0\n:1000300000000000000000000000000000000000C0\n"
            ":10006000FFFFFFFFFFFFFFFF12FFFFFFFFFFFFFF8D\n:00000001FF\n");
}

}  // namespace
}  // namespace corvel::output
