// Every program must do the same as byte code and as native code, with and
// without the shipped rules: each is compiled both ways, the native form
// linked with the GNU tools (once as corvel writes it, once after trimmel),
// all three run under corvsim with the same replies, and their event streams
// must be equal line for line. Everything but the GNU tools runs in-process.
//
// CORVEL_DIFFERENTIAL_PROGRAMS and CORVEL_DIFFERENTIAL_FIRST choose how many
// generated programs run and from which seed (bench/differential.sh).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "differential/program_generator.hpp"
#include "driver/command_line.hpp"
#include "linker/command_line.hpp"
#include "rewriter/command_line.hpp"
#include "simulator/command_line.hpp"
#include "support/temp_dir.hpp"

namespace fs = std::filesystem;
using corvel::testing::read_file;
using corvel::testing::TempDir;

namespace {

constexpr int kShards = 8;
const fs::path kRoad = ROAD_DIR;
const std::string kBoard = "-" + (kRoad / "programs" / "control.dat").string();

struct Run {
  int status;
  std::string out;
};

using Entry = int (*)(int, const char* const*, std::FILE*);

Run run(Entry entry, const std::vector<std::string>& args) {
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  char* text = nullptr;
  size_t size = 0;
  std::FILE* console = open_memstream(&text, &size);
  int status = entry(static_cast<int>(argv.size()), argv.data(), console);
  std::fclose(console);
  Run r{status, std::string(text, size)};
  std::free(text);
  return r;
}

// What a form of the program did: its events and how the run ended, or why
// it could not run.
struct Outcome {
  std::string events;
  std::string failure;
  bool too_big = false;  // the native image is larger than the import takes
};

// The event lines and the exit status; corvsim's own lines name offsets,
// which the two forms do not share.
std::string events_of(const Run& r) {
  std::istringstream in(r.out);
  std::string events;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("corvsim: ", 0) != 0) events += line + "\n";
  return events + "exit status " + std::to_string(r.status) + "\n";
}

std::string simulate(const fs::path& rom, const fs::path& replies, bool native) {
  std::vector<std::string> args{"corvsim", rom.string(), kBoard, "--events", "--replies", replies.string()};
  if (native) args.insert(args.end(), {"--firmware", (kRoad / "H8FUNC.H").string()});
  return events_of(run(corvsim::run_corvsim, args));
}

// The byte code has no inline assembly: its blocks are left out there.
std::string without_assembly(const std::string& program) {
  std::istringstream in(program);
  std::string text;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("#asm", 0) == 0) inside = true;
    if (!inside) text += line + "\n";
    if (line.rfind("#endasm", 0) == 0) inside = false;
  }
  return text;
}

Outcome byte_code(const fs::path& dir, const std::string& program, const fs::path& replies) {
  fs::create_directory(dir);
  corvel::testing::write_file(dir / "p.c", without_assembly(program));
  Run c = run(corvel::driver::run_corvel, {"corvel", (dir / "p.c").string(), kBoard});
  if (c.status != 0) return {"", "corvel refused the byte code:\n" + c.out, false};
  return {simulate(dir / "p.rom", replies, false), "", false};
}

Outcome native(const fs::path& dir, const std::string& program, const fs::path& replies, bool rules) {
  fs::create_directory(dir);
  corvel::testing::write_file(dir / "p.c", program);
  std::string asm_file = (dir / "p.asm").string();
  Run c = run(corvel::driver::run_corvel, {"corvel", (dir / "p.c").string(), kBoard, "-a"});
  if (c.status != 0) return {"", "corvel -a refused the program:\n" + c.out, false};
  Run t = rules ? run(trimmel::run_trimmel, {"trimmel", RULES_FILE, asm_file, (dir / "p.bak").string()}) : Run{0, ""};
  if (t.status != 0) return {"", "trimmel failed:\n" + t.out, false};
  Run l = run(corvlink::run_corvlink, {"corvlink", asm_file, "-I", kRoad.string()});
  if (l.status != 0) return {"", "corvlink failed:\n" + l.out, l.out.find("( max = 3500 )") != std::string::npos};
  return {simulate(dir / "p.rom", replies, true), "", false};
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Both streams in two columns, a mark where they differ.
std::string side_by_side(const std::string& left, const std::string& right, const std::string& right_title) {
  std::vector<std::string> a = lines_of(left), b = lines_of(right);
  char row[160];
  std::snprintf(row, sizeof row, "  %-40s   %s\n", "byte code", right_title.c_str());
  std::string text = row;
  for (size_t i = 0; i < std::max(a.size(), b.size()) && i < 400; ++i) {
    std::string l = i < a.size() ? a[i] : "", r = i < b.size() ? b[i] : "";
    std::snprintf(row, sizeof row, "  %-40.40s %c %.60s\n", l.c_str(), l == r ? ' ' : '|', r.c_str());
    text += row;
  }
  return text;
}

// Runs the three forms of one program; returns false when the native image is too big to compare.
bool expect_alike(const std::string& name, const std::string& program, const std::string& replies_text) {
  TempDir dir;
  fs::path replies = dir.path() / "replies.txt";
  corvel::testing::write_file(replies, replies_text);
  Outcome plain = byte_code(dir.path() / "bc", program, replies);
  Outcome linked = native(dir.path() / "native", program, replies, false);
  if (linked.too_big) return false;
  Outcome rewritten = native(dir.path() / "rules", program, replies, true);
  for (const Outcome* o : {&plain, &linked, &rewritten})
    if (!o->failure.empty()) ADD_FAILURE() << name << ": " << o->failure << "\nthe program:\n" << program;
  if (plain.events != linked.events)
    ADD_FAILURE() << name << ": byte code and native code differ\n"
                  << side_by_side(plain.events, linked.events, "native code") << "the program:\n" << program;
  else if (plain.events != rewritten.events)
    ADD_FAILURE() << name << ": byte code and native code after the rules differ\n"
                  << side_by_side(plain.events, rewritten.events, "native code, rules applied") << "the program:\n"
                  << program;
  return true;
}

int setting(const char* name, int otherwise) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : otherwise;
}

struct Program {
  const char* folder;
  const char* name;
};

class Written : public ::testing::TestWithParam<Program> {};

TEST_P(Written, BehavesAlikeInEveryForm) {
  const Program& p = GetParam();
  std::string text = read_file(fs::path(p.folder) / (std::string(p.name) + ".c"));
  EXPECT_TRUE(expect_alike(p.name, text, differential::generate_replies(1))) << p.name << " is too big to link";
}

INSTANTIATE_TEST_SUITE_P(Programs, Written,
                         ::testing::Values(Program{EXAMPLES_DIR, "eprom"}, Program{ROAD_PROGRAMS, "builtins"},
                                           Program{ROAD_PROGRAMS, "overlays"}, Program{ROAD_PROGRAMS, "statements"}),
                         [](const ::testing::TestParamInfo<Program>& p) { return std::string(p.param.name); });

class Generated : public ::testing::TestWithParam<int> {};

// Each shard takes every kShards-th seed; a shard stops after a few differences.
TEST_P(Generated, ProgramsBehaveAlike) {
  int count = setting("CORVEL_DIFFERENTIAL_PROGRAMS", 400), first = setting("CORVEL_DIFFERENTIAL_FIRST", 1);
  int ran = 0, too_big = 0;
  for (int seed = first + GetParam(); seed < first + count; seed += kShards) {
    std::string name = "seed " + std::to_string(seed);
    if (!expect_alike(name, "[CODE]\n" + differential::generate_program(seed), differential::generate_replies(seed)))
      ++too_big;
    ++ran;
    if (testing::Test::HasFailure()) break;
  }
  std::printf("%d programs, %d of them too big for the import and not compared\n", ran, too_big);
  EXPECT_LE(too_big * 20, ran) << "the generator makes too many programs that do not fit";
}

INSTANTIATE_TEST_SUITE_P(Shards, Generated, ::testing::Range(0, kShards));

}  // namespace
