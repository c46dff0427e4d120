// Import of an assembled program: the information file, the symbol file and
// the HEX file become the ROM file.
#include <gtest/gtest.h>

#include "support/corvel_session.hpp"

namespace corvel::testing {
namespace {

const std::string kBanner =
    "\x8A\xC8\x88\xD5" "C\x8C\xBE\x8C\xEA\x83R\x83\x93\x83p\x83" "C\x83\x89 Ver.1.00  Copyright (C) 2026 The corvel developers\n";
const std::string kReadError = "\x83t\x83@\x83" "C\x83\x8B\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xC5\x88\xD9\x8F\xED\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB5\x82\xBD[ prog.hex ]\n";
std::string size_message(int n) {
  return "\x83R\x83\x93\x83p\x83" "C\x83\x8B\x82\xB5\x82\xBD\x83v\x83\x8D\x83O\x83\x89\x83\x80\x83T\x83" "C\x83Y\x82\xCD " +
         std::to_string(n) + " \x83o\x83" "C\x83g\x82\xC5\x82\xB7\n";
}
std::string too_big(int end) {
  return "\x8D\xC5\x91\xE5\x83v\x83\x8D\x83O\x83\x89\x83\x80\x83T\x83" "C\x83Y\x82\xF0\x92\xB4\x82\xA6\x82\xDC\x82\xB5\x82\xBD [ " +
         std::to_string(end) + " ] ( max = 3500 )\n";
}

// One data record at an address below 64K of the segment base.
std::string record(int type, int address, const std::vector<int>& data) {
  std::vector<int> bytes{static_cast<int>(data.size()), address >> 8 & 0xFF, address & 0xFF, type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  int sum = 0;
  std::string text = ":";
  char pair[3];
  for (int b : bytes) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    text += pair;
    sum += b;
  }
  std::snprintf(pair, sizeof pair, "%02X", (256 - sum % 256) % 256);
  return text + pair + "\n";
}

const std::string kSegment = record(2, 0, {0xF0, 0x00});  // base 0xF0000
const std::string kEnd = ":00000001FF\n";

class Import : public ::testing::Test {
 protected:
  Outcome import(const std::string& inf, const std::string& sym, const std::string& hex) {
    dir_.write("prog.inf", inf);
    dir_.write("prog.sym", sym);
    dir_.write("prog.hex", hex);
    return run_corvel_in(dir_, {"prog.hex"});
  }
  TempDir dir_;
};

const std::string kInfo = "[Common]\nsize = 20 (14H)\ncompile = 1\n\n[Function]\nmain = 66 (42H)\n\n[Overlay]\ncount = 0\n\n";

TEST_F(Import, ReadsFunctionsAndFramesFromTheSymbolFile) {
  Outcome o = import(kInfo, "0FEF10 .text\n0FEF10 _MAIN 0FEF40 frame_0\n",
                     kSegment + record(0, 0xEF10, {1, 2, 3}) + kEnd);
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_EQ(o.out, kBanner + size_message(3));
  // The ROM keeps the low 16 bits of each frame's start + 64.
  EXPECT_EQ(rom_frame(dir_, 0), (std::vector<int>{0xEF50, 48}));
  EXPECT_EQ(rom_frame(dir_, 1)[0], 0xEF80);
  EXPECT_EQ(dir_.read("prog.inf"),
            "[Common]\nsize = 20 (14H)\ncompile = 1\n\n[Function]\nmain = 1044240 (FEF10H)\n\n[Overlay]\ncount = 0\n\n");
}

TEST_F(Import, RefusesSymbolFilesThatDoNotFit) {
  Outcome o = import(kInfo, "0FEF10 _other\n", kEnd);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, kBanner + "[ main ] not found\n");
  o = import(kInfo, "0FEF10 _main\n0FEF12 Update_1_2\n0FEF14 FRAME_0\n", kEnd);  // only lower case counts
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(rom_frame(dir_, 0)[1], 4);
  std::string many = "0FEF10 _main\n";
  for (int i = 0; i < 501; ++i) many += "0FEF20 update_0_" + std::to_string(i) + "\n";
  o = import(kInfo, many, kEnd);
  EXPECT_EQ(o.out, kBanner + "update_counter overflow!!! [ 500 ]\n");
  std::string frames = "0FEF10 _main\n";
  for (int i = 0; i < 16; ++i) frames += "0FEF2" + std::string(1, "0123456789ABCDEF"[i]) + " frame_" + std::to_string(i) + "\n";
  o = import(kInfo, frames, kEnd);
  EXPECT_EQ(o.out, kBanner + "file format error [prog.sym]\n");
  o = import(kInfo, "", kEnd);
  EXPECT_EQ(o.out, kBanner + "[ main ] not found\n");
  o = import("[Common]\nsize = 0 (0H)\n", "", kEnd);
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_EQ(rom_frame(dir_, 0)[1], 0);  // no address at all: the last frame is empty
}

// A symbol file made from an unlinked object, or from another image, would
// give a wrong ROM; nothing is written when it is refused.
TEST_F(Import, RefusesSymbolsOutsideTheImage) {
  const std::string outside[] = {
      "0000005E _main\n",                          // an unlinked object
      "0FEF10 _main\n0FFCD0 frame_0\n",            // beyond the image's 3500 bytes
      "0FEF10 _main\n00001000 update_0_1\n",       // below MEMORYTOP
  };
  for (const std::string& sym : outside) {
    Outcome o = import(kInfo, sym, kSegment + record(0, 0xEF10, {1}) + kEnd);
    EXPECT_EQ(o.status, 1) << sym;
    EXPECT_EQ(o.out, kBanner + "file format error [prog.sym]\n") << sym;
    EXPECT_EQ(dir_.read("prog.inf"), kInfo) << sym;
    EXPECT_FALSE(dir_.exists("prog.rom")) << sym;
  }
  Outcome o = import(kInfo, "0FEF10 _main\n0FEF20 _data_beyond\n0FFFFF somewhere\n", kSegment + record(0, 0xEF10, {1}) + kEnd);
  EXPECT_EQ(o.status, 0) << o.out;  // symbols of no function, frame or call are not checked
}

// The information file is rewritten only after the HEX file was read whole.
TEST_F(Import, KeepsTheInformationFileWhenTheHexFileFails) {
  Outcome o = import(kInfo, "0FEF10 _main\n", kSegment + ":00000003FD\n" + kEnd);
  EXPECT_EQ(o.out, kBanner + kReadError);
  EXPECT_EQ(dir_.read("prog.inf"), kInfo);
}

TEST_F(Import, LoadsRunsWithGapsLeftZero) {
  std::string hex = kSegment;
  for (int i = 0; i < 70; ++i) hex += record(0, 0xEF10 + 16 * i, std::vector<int>(16, i + 1));  // runs of 1000 bytes
  hex += record(0, 0xEF10 + 16 * 72, {9});  // after a gap of 32 bytes
  Outcome o = import(kInfo, "0FEF10 _main\n", hex + kEnd);
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_EQ(o.out, kBanner + size_message(16 * 72 + 1));
  EXPECT_EQ(rom_image(dir_, 998, 1002), (std::vector<int>{63, 63, 63, 63}));
  EXPECT_EQ(rom_image(dir_, 1119, 1122), (std::vector<int>{70, 0, 0}));
  EXPECT_EQ(rom_image(dir_, 16 * 72, 16 * 72 + 1), std::vector<int>{9});
}

TEST_F(Import, BoundsTheImageAt3500Bytes) {
  Outcome o = import(kInfo, "0FEF10 _main\n", kSegment + record(0, 0xEF10 + 3498, {1}) + kEnd);
  EXPECT_EQ(o.status, 0) << o.out;
  o = import(kInfo, "0FEF10 _main\n", kSegment + record(0, 0xEF10 + 3499, {1}) + kEnd);
  EXPECT_EQ(o.out, kBanner + too_big(3500));
  o = import(kInfo, "0FEF10 _main\n", kSegment + record(0, 0xEF00, {1}) + kEnd);
  EXPECT_EQ(o.status, 1);
}

TEST_F(Import, RefusesCorruptedRecords) {
  const std::string bad[] = {
      ":03EF1000010203EA\n",             // checksum off by one
      ":05EF1000010203E8\n",             // byte count beyond the pairs on the line
      ":03EF10000102G3E9\n",             // not a hexadecimal pair
      ":0200 000000FC\n",                // shorter than its header
      ":00000003FD\n",                   // a record type the board does not know
  };
  for (const std::string& line : bad) {
    Outcome o = import(kInfo, "0FEF10 _main\n", kSegment + line + kEnd);
    EXPECT_EQ(o.status, 1) << line;
    EXPECT_EQ(o.out, kBanner + kReadError) << line;
  }
}

TEST_F(Import, PatchesOverlayCallsOnlyWhenThereAreFrames) {
  // MOV.L #_sub:32,ER2 at 0xFEF20: 7A 02, then the address of _sub, 0xFEF40, in frame 1.
  std::string code = kSegment + record(0, 0xEF20, {0x7A, 0x02, 0x00, 0x0F, 0xEF, 0x40, 0x5E, 0, 0, 0}) +
                     record(0, 0xEF40, {0x54, 0x70}) + kEnd;
  const std::string sym = "0FEF10 _main\n0FEF20 update_0_16\n0FEF40 _sub\n0FEF40 frame_0\n0FEF42 end\n";
  const std::string info = "[Function]\nmain = 0 (0H)\nsub = 0 (0H)\n[Overlay]\nframe01 = 0 (0H)\n";
  Outcome o = import(info, sym, code);
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_EQ(rom_image(dir_, 0x13, 0x16), (std::vector<int>{0x1F, 0xEF, 0x40}));  // frame 1 in bits 20..23
  o = import(kInfo + "[Function]\nsub = 0 (0H)\n", sym, code);
  EXPECT_EQ(rom_image(dir_, 0x13, 0x16), (std::vector<int>{0x0F, 0xEF, 0x40}));
  o = import(info, "0FEF10 _main\n0FEF50 update_0_16\n0FEF40 _sub\n0FEF40 frame_0\n0FEF60 end\n", code);
  EXPECT_EQ(o.out, kBanner + "file format error [prog.sym]\n");  // its bytes lie beyond the image
}

TEST_F(Import, ReportsMissingFiles) {
  dir_.write("prog.hex", kEnd);
  Outcome o = run_corvel_in(dir_, {"prog.hex"});
  EXPECT_EQ(o.out, kBanner + "file open error [prog.inf]\n");
  dir_.write("prog.inf", kInfo);
  o = run_corvel_in(dir_, {"prog.hex"});
  EXPECT_EQ(o.out, kBanner + "File open error [ prog.sym ]\n");
}

TEST_F(Import, WritesTheRomUnderTheOutputNameOfTheMode) {
  dir_.write("prog.inf", kInfo);
  dir_.write("prog.sym", "0FEF10 _main\n");
  dir_.write("prog.HEX", kSegment + record(0, 0xEF10, {1}) + kEnd);
  Outcome o = run_corvel_in(dir_, {"prog.HEX", "-a"});
  ASSERT_EQ(o.status, 0) << o.out;
  EXPECT_TRUE(dir_.exists("prog.asm"));
  EXPECT_EQ(dir_.read("prog.asm").substr(0, 13), ":10000000EF50");
}

}  // namespace
}  // namespace corvel::testing
