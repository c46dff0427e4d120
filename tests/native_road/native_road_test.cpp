// The native road end to end: corvel -a, the GNU assembler and linker for the
// H8/300H standing in for the board's assembler, then corvel importing the
// HEX and symbol files into a ROM file. The ROM must hold what the assembler
// produced, at the places the frame table says, with overlay calls patched.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.hpp"

namespace fs = std::filesystem;
using corvel::testing::read_file;
using corvel::testing::TempDir;
using corvel::testing::write_file;

namespace {

constexpr long kMemoryTop = 0xFEF10;

struct Symbol {
  long address;
  std::string name;
};

int shell(const std::string& command) { return std::system(command.c_str()); }

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// nm -n lines are "address type name"; the import reads "address name".
std::vector<Symbol> symbols_of(const fs::path& object) {
  std::vector<Symbol> symbols;
  std::FILE* nm = popen(("h8300-hms-nm -n " + quoted(object)).c_str(), "r");
  char line[512];
  while (nm && std::fgets(line, sizeof line, nm)) {
    std::istringstream in(line);
    std::string address, type, name;
    if (in >> address >> type >> name) symbols.push_back({std::stol(address, nullptr, 16), name});
  }
  if (nm) pclose(nm);
  return symbols;
}

std::string symbol_file(const std::vector<Symbol>& symbols) {
  std::string text;
  char line[600];
  for (const Symbol& s : symbols) {
    std::snprintf(line, sizeof line, "%08lx %s\n", s.address, s.name.c_str());
    text += line;
  }
  return text;
}

struct Frame {
  long start, size;
};

// Frame starts are the frame_ labels; each frame runs to the next, the last to the highest symbol.
std::vector<Frame> frames_of(const std::vector<Symbol>& symbols) {
  std::vector<Frame> frames{{kMemoryTop, 0}};
  for (const Symbol& s : symbols) {
    if (s.name.rfind("frame_", 0) != 0) continue;
    frames.back().size = s.address - frames.back().start;
    frames.push_back({s.address, 0});
  }
  frames.back().size = symbols.back().address - frames.back().start;
  return frames;
}

long image_address(const std::vector<Frame>& frames, long a) {
  for (size_t i = 1; i < frames.size(); ++i)
    if (a >= frames[i].start && a < frames[i].start + frames[i].size)
      return (static_cast<long>(i) << 20) + (a - frames[i].start) + frames[1].start;
  return a;
}

// The assembled bytes, with the address after each update_ label turned into
// an image address when the program has overlay frames.
std::string expected_image(std::string bytes, const std::vector<Symbol>& symbols, const std::vector<Frame>& frames) {
  if (frames.size() == 1) return bytes;
  for (const Symbol& s : symbols) {
    if (s.name.rfind("update_", 0) != 0) continue;
    size_t at = static_cast<size_t>(s.address - kMemoryTop + 3);
    long target = (static_cast<unsigned char>(bytes[at]) << 16) | (static_cast<unsigned char>(bytes[at + 1]) << 8) |
                  static_cast<unsigned char>(bytes[at + 2]);
    long patched = image_address(frames, target);
    bytes[at] = static_cast<char>(patched >> 16);
    bytes[at + 1] = static_cast<char>(patched >> 8);
    bytes[at + 2] = static_cast<char>(patched);
  }
  return bytes;
}

std::string frame_table(const std::vector<Frame>& frames) {
  std::string table;
  for (size_t i = 0; i < 16; ++i) {
    Frame f = i < frames.size() ? frames[i] : Frame{0, 0};
    long start = f.start + 64;
    for (long v : {start >> 8, start, f.size >> 8, f.size}) table.push_back(static_cast<char>(v & 0xFF));
  }
  return table;
}

struct Program {
  const char* folder;
  const char* name;
};

class NativeRoad : public ::testing::TestWithParam<Program> {};

TEST_P(NativeRoad, AssemblesAndImportsIntoTheRom) {
  TempDir dir;
  const fs::path d = dir.path();
  const std::string name = GetParam().name;
  fs::copy_file(fs::path(GetParam().folder) / (name + ".c"), d / (name + ".c"));
  fs::copy_file(fs::path(GetParam().folder) / "control.dat", d / "control.dat");
  const std::string in_dir = "cd " + quoted(d) + " && ";
  ASSERT_EQ(shell(in_dir + quoted(CORVEL_BIN) + " " + name + ".c -a > compile.out"), 0) << read_file(d / "compile.out");
  ASSERT_EQ(shell(in_dir + quoted(TRANSLATOR_BIN) + " < " + name + ".asm > " + name + ".s"), 0);
  ASSERT_EQ(shell(in_dir + "h8300-hms-as -I " + quoted(ROAD_DIR) + " -o prog.o " + name + ".s 2> as.out"), 0)
      << read_file(d / "as.out");
  ASSERT_EQ(shell(in_dir + "h8300-hms-ld -T " + quoted(fs::path(ROAD_DIR) / "road.ld") + " -e 0 -o prog.out prog.o 2> ld.out"),
            0)
      << read_file(d / "ld.out");
  ASSERT_EQ(shell(in_dir + "h8300-hms-objcopy -O ihex prog.out " + name + ".hex"), 0);
  ASSERT_EQ(shell(in_dir + "h8300-hms-objcopy -O binary prog.out prog.bin"), 0);
  std::vector<Symbol> symbols = symbols_of(d / "prog.out");
  ASSERT_FALSE(symbols.empty());
  write_file(d / (name + ".sym"), symbol_file(symbols));

  ASSERT_EQ(shell(in_dir + quoted(CORVEL_BIN) + " " + name + ".hex > import.out"), 0) << read_file(d / "import.out");
  ASSERT_EQ(shell(in_dir + "h8300-hms-objcopy -I ihex -O binary --gap-fill 0xff " + name + ".rom rom.bin"), 0);
  std::string rom = read_file(d / "rom.bin");
  std::string assembled = read_file(d / "prog.bin");
  std::vector<Frame> frames = frames_of(symbols);
  ASSERT_GE(rom.size(), 64 + assembled.size());
  EXPECT_EQ(rom.substr(0, 64), frame_table(frames));
  EXPECT_EQ(rom.substr(64, assembled.size()), expected_image(assembled, symbols, frames));
  EXPECT_NE(read_file(d / (name + ".inf")).find("compile = 1\n"), std::string::npos);
}

// The shipped trimmel rules keep the program assembling, and make it smaller.
TEST_P(NativeRoad, RewrittenAssemblyStillAssembles) {
  TempDir dir;
  const fs::path d = dir.path();
  const std::string name = GetParam().name;
  fs::copy_file(fs::path(GetParam().folder) / (name + ".c"), d / "prog.c");
  fs::copy_file(fs::path(GetParam().folder) / "control.dat", d / "control.dat");
  const std::string in_dir = "cd " + quoted(d) + " && ";
  const std::string assemble = in_dir + quoted(TRANSLATOR_BIN) + " < prog.asm > prog.s && h8300-hms-as -I " +
                               quoted(ROAD_DIR) + " -o prog.o prog.s 2> as.out && h8300-hms-ld -T " +
                               quoted(fs::path(ROAD_DIR) / "road.ld") + " -e 0 -o prog.out prog.o 2> ld.out && " +
                               "h8300-hms-objcopy -O binary prog.out prog.bin";
  ASSERT_EQ(shell(in_dir + quoted(CORVEL_BIN) + " prog.c -a > compile.out"), 0);
  ASSERT_EQ(shell(assemble), 0);
  size_t before = read_file(d / "prog.bin").size();
  ASSERT_EQ(shell(in_dir + quoted(TRIMMEL_BIN) + " " + quoted(RULES_FILE) + " prog.asm prog.bak > trim.out"), 0)
      << read_file(d / "trim.out");
  ASSERT_EQ(shell(assemble), 0) << read_file(d / "as.out") << read_file(d / "ld.out");
  EXPECT_LT(read_file(d / "prog.bin").size(), before);
}

INSTANTIATE_TEST_SUITE_P(Programs, NativeRoad,
                         ::testing::Values(Program{ROAD_PROGRAMS, "statements"}, Program{ROAD_PROGRAMS, "builtins"},
                                           Program{ROAD_PROGRAMS, "overlays"}, Program{EXAMPLES_DIR, "eprom"}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
