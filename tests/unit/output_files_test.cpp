// The information file and the ROM file, written and read back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ground/diagnostics.hpp"
#include "output/info_file.hpp"
#include "output/rom_file.hpp"
#include "support/temp_dir.hpp"

namespace corvel::output {
namespace {

using ground::Image;

const std::string kInfo =
    "[Common]\nsize = 300 (12CH)\ncompile = 0\n\n[Function]\nsub = 100 (64H)\nmain = 120 (78H)\n\n"
    "[Overlay]\ncount = 0\n\n";

class OutputFiles : public ::testing::Test {
 protected:
  Image read(const std::string& text) {
    dir_.write("p.inf", text);
    return read_info_file(dir_.at("p.inf"));
  }
  // The message a failed read or write reports, or "" when it succeeds.
  template <class Action>
  std::string failure(Action action) {
    try {
      action();
    } catch (const ground::Failure& f) {
      return f.message;
    }
    return "";
  }
  testing::TempDir dir_;
};

// The addresses are not read back: the import takes them from the symbol file.
TEST_F(OutputFiles, WritesTheInformationFileAndReadsItBack) {
  Image written;
  written.size = 300;
  written.functions = {{"sub", 100}, {"main", 120}};
  write_info_file(dir_.at("p.inf"), 0, written);
  EXPECT_EQ(dir_.read("p.inf"), kInfo);
  Image image = read_info_file(dir_.at("p.inf"));
  EXPECT_EQ(image.size, 300);
  ASSERT_EQ(image.functions.size(), 2u);
  EXPECT_EQ(image.functions[1].name, "main");
  EXPECT_EQ(image.functions[1].address, 0);
  EXPECT_EQ(image.frame_count, 0);
  EXPECT_EQ(image.frames[0].size, 300);
}

TEST_F(OutputFiles, ReadsSectionsInAnyCaseAndFrameLines) {
  Image image = read("ignored = 1 (1H)\n[common]\nSIZE = 12 (CH)\n[OVERLAY]\nframe03length = 200 (C8H)\nframe01 = 5 (5H)\n");
  EXPECT_EQ(image.size, 12);
  EXPECT_EQ(image.frame_count, 4);
  EXPECT_EQ(image.frames[3].size, 200);
  EXPECT_EQ(image.frames[1].start, 5);
}

TEST_F(OutputFiles, RefusesMalformedOrOversizedFiles) {
  std::string many = "[Function]\n";
  for (int i = 0; i < 101; ++i) many += "f" + std::to_string(i) + " = 0 (0H)\n";
  const std::string bad[] = {"[Overlay]\nframe1x = 5 (5H)\n", "[Overlay]\nframe16 = 5 (5H)\n", many,
                             "[Function]\n" + std::string(50, 'n') + " = 0 (0H)\n"};
  for (const std::string& text : bad)
    EXPECT_EQ(failure([&] { read(text); }), "file format error [" + dir_.at("p.inf") + "]\n") << text;
  EXPECT_EQ(failure([&] { read_info_file(dir_.at("none.inf")); }), "file open error [" + dir_.at("none.inf") + "]\n");
}

TEST_F(OutputFiles, NativeFlagShiftsFrameStarts) {
  Image image;
  image.frame_count = 2;
  image.frames[0] = {1044240, 1000};
  image.frames[1] = {1045240, 16};
  image.size = 1016;
  write_info_file(dir_.at("p.inf"), 1, image);
  std::string text = dir_.read("p.inf");
  EXPECT_NE(text.find("frame00 = 0 (0H)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("frame01 = 1000 (3E8H)\n"), std::string::npos) << text;
  image.frames[0] = {0, 1000};
  write_info_file(dir_.at("p.inf"), 1, image);
  EXPECT_NE(dir_.read("p.inf").find("frame00 = -1044240 (FFF010F0H)\n"), std::string::npos);
}

TEST_F(OutputFiles, WriteErrorsAreFailures) {
  Image image;
  image.size = 67;
  EXPECT_EQ(failure([&] { write_rom_file("/dev/full", image); }), "file open error [/dev/full]\n");
  EXPECT_EQ(failure([&] { write_info_file("/dev/full", 0, image); }), "file open error [/dev/full]\n");
  std::string nowhere = dir_.at("no/such/dir.rom");
  EXPECT_EQ(failure([&] { write_rom_file(nowhere, image); }), "file open error [" + nowhere + "]\n");
}

TEST_F(OutputFiles, DropsBlankRecordsAndKeepsTheEndRecord) {
  Image image;
  image.size = 48;  // three image records after the frame table, two of them blank
  for (int i = 0; i < 48; ++i) image.bytes[i] = 0xFF;
  image.bytes[40] = 0x12;
  for (auto& f : image.frames) f = {-64, 0};  // a frame table of zero words
  write_rom_file(dir_.at("p.rom"), image);
  EXPECT_EQ(dir_.read("p.rom"),
            ":1000000000000000000000000000000000000000F0\n:1000100000000000000000000000000000000000E0\n"
            ":1000200000000000000000000000000000000000D0\n:1000300000000000000000000000000000000000C0\n"
            ":10006000FFFFFFFFFFFFFFFF12FFFFFFFFFFFFFF8D\n:00000001FF\n");
}

// A standard Intel HEX reader gives back exactly the frame table followed by the image.
TEST_F(OutputFiles, RomReadsBackWithAStandardHexReader) {
  if (std::system("command -v objcopy >/dev/null 2>&1") != 0) GTEST_SKIP() << "objcopy is not installed";
  Image image;
  image.size = 100;
  for (int i = 0; i < image.size; ++i) image.bytes[i] = static_cast<std::uint8_t>(i < 30 || i >= 62 ? i * 7 : 0xFF);
  image.frame_count = 2;
  image.frames[0] = {0, 80};
  image.frames[1] = {80, 20};
  write_rom_file(dir_.at("p.rom"), image);
  std::string command = "objcopy -I ihex -O binary --gap-fill 0xff " + dir_.at("p.rom") + " " + dir_.at("p.bin");
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string expected;
  for (const ground::Frame& f : image.frames) {
    long start = f.start + 64;
    for (long v : {start >> 8, start, f.size >> 8, f.size}) expected.push_back(static_cast<char>(v & 0xFF));
  }
  expected.append(reinterpret_cast<const char*>(image.bytes.data()), image.size);
  EXPECT_EQ(dir_.read("p.bin"), expected);
}

}  // namespace
}  // namespace corvel::output
