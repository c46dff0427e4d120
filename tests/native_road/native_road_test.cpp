// The native road end to end: corvel -a, optionally trimmel, then corvlink,
// which translates, assembles and links with the GNU tools for the H8/300H
// and imports the result into the ROM file. The ROM must hold exactly the
// linked bytes, at the places the frame table says, with overlay calls
// patched; every failure must say which step failed and leave no output.
#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

constexpr long kMemoryTop = 0xFEF10;

struct Symbol {
  long address;
  std::string name;
};

struct Frame {
  long start, size;
};

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// Runs a command in `dir`; its output, both streams, in `out`.
int shell(const fs::path& dir, const std::string& command, std::string* out = nullptr) {
  int status = std::system(("cd " + quoted(dir) + " && " + command + " > run.out 2>&1").c_str());
  if (out) *out = read_file(dir / "run.out");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<Symbol> symbols_of(const fs::path& dir, const fs::path& image) {
  std::string listing;
  shell(dir, "h8300-hms-nm -n " + quoted(image), &listing);
  std::vector<Symbol> symbols;
  std::istringstream in(listing);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string address, type, name;
    if (words >> address >> type >> name && type != "A" && type != "a") symbols.push_back({std::stol(address, nullptr, 16), name});
  }
  return symbols;
}

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

// The linked bytes, with the address after each update_ label turned into an
// image address when the program has overlay frames.
std::string expected_image(std::string bytes, const std::vector<Symbol>& symbols, const std::vector<Frame>& frames) {
  if (frames.size() == 1) return bytes;
  for (const Symbol& s : symbols) {
    if (s.name.rfind("update_", 0) != 0) continue;
    size_t at = static_cast<size_t>(s.address - kMemoryTop + 3);
    long target = (static_cast<unsigned char>(bytes[at]) << 16) | (static_cast<unsigned char>(bytes[at + 1]) << 8) |
                  static_cast<unsigned char>(bytes[at + 2]);
    long patched = image_address(frames, target);
    for (int k = 0; k < 3; ++k) bytes[at + k] = static_cast<char>(patched >> (16 - 8 * k));
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

std::string corvlink(const std::string& arguments) { return quoted(CORVLINK_BIN) + " " + arguments; }

// The folder corvlink --keep names on its last line.
fs::path kept_folder(const std::string& out) {
  const std::string mark = "intermediate files kept in ";
  size_t at = out.rfind(mark);
  if (at == std::string::npos) return {};
  return out.substr(at + mark.size(), out.find('\n', at) - at - mark.size());
}

struct Program {
  const char* folder;
  const char* name;
};

class NativeRoad : public ::testing::TestWithParam<Program> {
 protected:
  // Compiles, maybe rewrites, and takes the program to its ROM file; returns
  // the size of the linked image, after checking the ROM against it.
  size_t road(bool rewrite) {
    const fs::path d = dir_.path();
    fs::copy_file(fs::path(GetParam().folder) / (std::string(GetParam().name) + ".c"), d / "prog.c",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(GetParam().folder) / "control.dat", d / "control.dat", fs::copy_options::overwrite_existing);
    std::string out;
    EXPECT_EQ(shell(d, quoted(CORVEL_BIN) + " prog.c -a", &out), 0) << out;
    if (rewrite) {
      EXPECT_EQ(shell(d, quoted(TRIMMEL_BIN) + " " + quoted(RULES_FILE) + " prog.asm prog.bak", &out), 0) << out;
    }
    EXPECT_EQ(shell(d, corvlink("prog.asm -I " + quoted(ROAD_DIR) + " --keep"), &out), 0) << out;
    fs::path kept = kept_folder(out);
    if (kept.empty()) return 0;
    size_t linked = check_rom(kept / "prog.out");
    fs::remove_all(kept);
    return linked;
  }

  size_t check_rom(const fs::path& image) {
    const fs::path d = dir_.path();
    shell(d, "h8300-hms-objcopy -O binary " + quoted(image) + " linked.bin");
    shell(d, "h8300-hms-objcopy -I ihex -O binary --gap-fill 0xff prog.rom rom.bin");
    std::string rom = read_file(d / "rom.bin"), linked = read_file(d / "linked.bin");
    std::vector<Symbol> symbols = symbols_of(d, image);
    std::vector<Frame> frames = frames_of(symbols);
    EXPECT_GE(rom.size(), 64 + linked.size());
    EXPECT_EQ(rom.substr(0, 64), frame_table(frames));
    EXPECT_EQ(rom.substr(64, linked.size()), expected_image(linked, symbols, frames));
    EXPECT_NE(dir_.read("prog.inf").find("compile = 1\n"), std::string::npos);
    return linked.size();
  }

  TempDir dir_;
};

// The shipped trimmel rules keep the program linking, and make it smaller.
TEST_P(NativeRoad, TheRomHoldsTheLinkedBytesWithAndWithoutTheRules) {
  size_t plain = road(false);
  size_t rewritten = road(true);
  EXPECT_GT(plain, 0u);
  EXPECT_LT(rewritten, plain);
}

INSTANTIATE_TEST_SUITE_P(Programs, NativeRoad,
                         ::testing::Values(Program{ROAD_PROGRAMS, "statements"}, Program{ROAD_PROGRAMS, "builtins"},
                                           Program{ROAD_PROGRAMS, "overlays"}, Program{EXAMPLES_DIR, "eprom"}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// A small program compiled to assembly, ready for corvlink.
void compile(const TempDir& dir, const std::string& body) {
  dir.write("prog.c", "[CODE]\nBYTE x;\nmain() {\n" + body + "\n}\n");
  dir.write("control.dat", read_file(fs::path(ROAD_PROGRAMS) / "control.dat"));
  std::string out;
  ASSERT_EQ(shell(dir.path(), quoted(CORVEL_BIN) + " prog.c -a", &out), 0) << out;
}

// "prog.asm:N" for the line of the assembly that holds `text`.
std::string where(const TempDir& dir, const std::string& text) {
  std::string assembly = dir.read("prog.asm");
  size_t at = assembly.find(text);
  return "prog.asm:" + std::to_string(1 + std::count(assembly.begin(), assembly.begin() + at, '\n'));
}

struct Refusal {
  const char* body;       // main's statements
  const char* arguments;  // after corvlink; the stand-in H8FUNC.H's folder follows "-I"
  const char* message;    // a part of what corvlink prints; "@" stands for where the #asm line is
  const char* change;     // a line added to the [Function] part of prog.inf, or "-" to remove the file
};

// Every failure names its step and its file, exits with 1 and leaves the
// user's files as they were.
TEST(Corvlink, FailuresNameTheirStepAndLeaveNoOutput) {
  const Refusal refusals[] = {
      {"x = 1;", "prog.asm -I --prefix nowhere-", "corvlink: assembling prog.asm: nowhere-as is not on PATH", ""},
      {"x = 1;", "prog.asm", "corvlink: prog.asm:6: cannot find H8FUNC.H (looked in .;", ""},
      {"#asm\n\tFOO\tR0\n#endasm", "prog.asm -I", "corvlink: @: unknown instruction FOO", ""},
      {"#asm\n\t.SECTION\tP\n#endasm", "prog.asm -I", "corvlink: @: unknown directive .SECTION", ""},
      {"#asm\n\tMOV.W\t#H'1G,R0\n#endasm", "prog.asm -I", "corvlink: @: not a number: H'1G", ""},
      {"#asm\n\tMOV.W\t#1,R9\n#endasm", "prog.asm -I", "corvlink: assembling prog.asm failed (h8300-hms-as):\nprog.asm: Assembler messages:\n@: Error", ""},
      {"#asm\n\tJSR\t@nowhere:24\n#endasm", "prog.asm -I", "corvlink: linking prog.asm failed (h8300-hms-ld)", ""},
      {"x = 1;", "prog.asm -I", "corvlink: prog.inf is missing", "-"},
      {"x = 1;", "prog.asm -I", "corvlink: importing prog.hex failed:\n[ nosuch ] not found", "nosuch = 0 (0H)"},
      {"x = 1;", "", "usage: corvlink prog.asm", ""},
  };
  for (const Refusal& r : refusals) {
    TempDir dir;
    compile(dir, r.body);
    std::string change = r.change, info = dir.read("prog.inf");
    if (change == "-") fs::remove(dir.path() / "prog.inf");
    else if (!change.empty()) dir.write("prog.inf", info.insert(info.find("[Function]\n") + 11, change + "\n"));
    std::string arguments = r.arguments, message = r.message, out;
    if (size_t at = arguments.find("-I"); at != std::string::npos) arguments.insert(at + 2, " " + quoted(ROAD_DIR));
    if (size_t at = message.find('@'); at != std::string::npos) message.replace(at, 1, where(dir, "\t" + std::string(r.body).substr(6, 3)));
    EXPECT_EQ(shell(dir.path(), corvlink(arguments), &out), 1) << r.message;
    EXPECT_NE(out.find(message), std::string::npos) << out;
    for (const char* name : {"prog.hex", "prog.sym", "prog.rom"}) EXPECT_FALSE(dir.exists(name)) << r.message << name;
    if (change != "-") {
      EXPECT_EQ(dir.read("prog.inf"), info) << r.message;
    }
  }
}

// Strings keep their backslashes and quotes; --no-import stops at the HEX
// and symbol files.
TEST(Corvlink, WritesHexAndSymbolFilesOnly) {
  TempDir dir;
  compile(dir, "SendMsg(\"a\\\\b\\\"c\");");
  std::string info = dir.read("prog.inf"), out;
  ASSERT_EQ(shell(dir.path(), corvlink("prog.asm --no-import -I " + quoted(ROAD_DIR)), &out), 0) << out;
  EXPECT_EQ(out, "corvlink: prog.asm -> prog.hex prog.sym\n");
  EXPECT_FALSE(dir.exists("prog.rom"));
  EXPECT_EQ(dir.read("prog.inf"), info);
  shell(dir.path(), "h8300-hms-objcopy -I ihex -O binary prog.hex linked.bin");
  EXPECT_NE(read_file(dir.path() / "linked.bin").find(std::string("a\\b\"c\0", 6)), std::string::npos);
  EXPECT_NE(dir.read("prog.sym").find(" _main\n"), std::string::npos);
}

}  // namespace
