// The example and the test programs run as byte code: their transcripts are
// kept as golden files (E2E_UPDATE=1 rewrites a differing one), and the
// waveform they write reads back in a logic analyser's tools (sigrok-cli,
// when it is installed) with every pin change of the transcript in it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "support/temp_dir.hpp"

namespace fs = std::filesystem;
using corvel::testing::read_file;
using corvel::testing::TempDir;
using corvel::testing::write_file;

namespace {

struct Program {
  const char* folder;
  const char* name;
};

std::string shell(const fs::path& dir, const std::string& command) {
  std::system(("cd '" + dir.string() + "' && " + command + " > run.out 2>&1").c_str());
  return read_file(dir / "run.out");
}

// The values each pin takes in the transcript ("pin17 1").
std::map<std::string, std::set<std::string>> pin_values(const std::string& transcript) {
  std::map<std::string, std::set<std::string>> values;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line.size() > 19 ? line.substr(19) : "");
    std::string name, value, more;
    if (words >> name >> value && !(words >> more) && name.rfind("pin", 0) == 0) values[name].insert(value);
  }
  return values;
}

// The values each channel takes in sigrok-cli's CSV of the dump.
std::map<std::string, std::set<std::string>> csv_values(const std::string& csv) {
  std::map<std::string, std::set<std::string>> values;
  std::istringstream in(csv);
  std::vector<std::string> names;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("; Channels", 0) == 0) {
      std::istringstream list(line.substr(line.find(':') + 1));
      for (std::string name; std::getline(list, name, ',');) names.push_back(name.substr(name.find_first_not_of(' ')));
    }
    if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0]))) continue;
    std::istringstream row(line);
    for (size_t i = 0; i < names.size(); ++i) {
      std::string v;
      if (std::getline(row, v, ',')) values[names[i]].insert(v);
    }
  }
  return values;
}

class Simulated : public ::testing::TestWithParam<Program> {};

TEST_P(Simulated, KeepsItsTranscriptAndWaveform) {
  TempDir dir;
  const std::string name = GetParam().name;
  fs::copy_file(fs::path(GetParam().folder) / (name + ".c"), dir.path() / "prog.c");
  fs::copy_file(fs::path(GetParam().folder) / "control.dat", dir.path() / "control.dat");
  shell(dir.path(), "'" CORVEL_BIN "' prog.c");
  std::string transcript = shell(dir.path(), "'" CORVSIM_BIN "' prog.rom --vcd prog.vcd --svg prog.svg");
  fs::path golden = fs::path(GOLDEN_DIR) / (name + ".txt");
  if (std::getenv("E2E_UPDATE") && (!fs::exists(golden) || read_file(golden) != transcript)) write_file(golden, transcript);
  EXPECT_EQ(read_file(golden), transcript);
  EXPECT_NE(dir.read("prog.svg").find("</svg>"), std::string::npos);
  if (name == "eprom") {  // the simulator's guide shows this picture
    fs::path picture = fs::path(DOCS_DIR) / "images" / "eprom.svg";
    if (std::getenv("E2E_UPDATE") && read_file(picture) != dir.read("prog.svg")) write_file(picture, dir.read("prog.svg"));
    EXPECT_EQ(read_file(picture), dir.read("prog.svg"));
  }
  if (std::system("command -v sigrok-cli > /dev/null") != 0) GTEST_SKIP() << "sigrok-cli is not installed";
  std::map<std::string, std::set<std::string>> seen = csv_values(shell(dir.path(), "sigrok-cli -I vcd -i prog.vcd -O csv"));
  for (const auto& [pin, values] : pin_values(transcript))
    for (const std::string& v : values) EXPECT_TRUE(seen[pin].count(v)) << pin << " never reads " << v << " in the dump";
}

INSTANTIATE_TEST_SUITE_P(Programs, Simulated,
                         ::testing::Values(Program{EXAMPLES_DIR, "eprom"}, Program{ROAD_PROGRAMS, "builtins"},
                                           Program{ROAD_PROGRAMS, "overlays"}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
