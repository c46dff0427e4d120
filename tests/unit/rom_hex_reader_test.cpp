// A ROM file read by a standard Intel HEX reader gives back exactly the frame
// table followed by the code image.
#include <gtest/gtest.h>

#include <cstdlib>

#include "driver/state.hpp"
#include "support/corvel_session.hpp"

namespace corvel::testing {
namespace {

TEST(RomFile, ReadsBackWithAStandardHexReader) {
  if (std::system("command -v objcopy >/dev/null 2>&1") != 0) GTEST_SKIP() << "objcopy is not installed";
  TempDir dir;
  // Thirty-two bytes of 0xFF make blank records inside the image, which the file leaves out.
  std::string ff = "0xFF";
  for (int i = 1; i < 32; ++i) ff += ", 0xFF";
  Outcome o = compile_in(dir, "BYTE pad[2] = {1, 2};\nBYTE blank[] = {" + ff + "};\nBYTE x = 7;\nmain() { x = 1; }\n#frame\nf() {}\n");
  ASSERT_EQ(o.status, 0) << o.out;
  std::string command = "objcopy -I ihex -O binary --gap-fill 0xff " + dir.at("prog.rom") + " " + dir.at("prog.bin");
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string expected;
  for (const driver::Frame& f : driver::g.frames) {
    long start = f.start + 64;
    for (long v : {start >> 8, start, f.size >> 8, f.size}) expected.push_back(static_cast<char>(v & 0xFF));
  }
  for (int i = 0; i < driver::g.byte_counter; ++i) expected.push_back(static_cast<char>(driver::g.image[i]));
  EXPECT_EQ(dir.read("prog.bin"), expected);
}

}  // namespace
}  // namespace corvel::testing
