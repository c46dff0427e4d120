#include "support/corvel_session.hpp"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "driver/command_line.hpp"

namespace corvel::testing {

const char* const kTestBoard =
    "; test board\n"
    "#1 10\n#2 11\n#3 12\n#4 13\n#5 14\n#6 15\n#7 16\n#8 17\n"
    "#9 20\n#10 21\n#11 22\n#12 23\n#13 24\n#14 25\n#15 26\n#16 27\n"
    "#VPP1 30\n#VPP2 31\n#VPP3 32\n#VPP4 33\n"
    "#VCC1 40\n#VCC2 41\n#VCC3 42\n#VCC4 43\n"
    "#GND1 50\n#GND2 51\n";

// corvel names its files relative to the working folder, so it runs inside `dir`.
Outcome run_corvel_in(const TempDir& dir, const std::vector<std::string>& args) {
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  std::FILE* console = std::tmpfile();
  std::vector<const char*> argv{"corvel"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  Outcome outcome;
  outcome.status = driver::run_corvel(static_cast<int>(argv.size()), argv.data(), console);
  std::rewind(console);
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, console)) > 0;) outcome.out.append(buffer, n);
  std::fclose(console);
  std::filesystem::current_path(old);
  return outcome;
}

Outcome compile_in(const TempDir& dir, const std::string& program, const std::vector<std::string>& extra,
                   const std::string& board) {
  dir.write("prog.c", "[CODE]\n" + program);
  dir.write("control.dat", board);
  std::vector<std::string> args{"prog.c"};
  args.insert(args.end(), extra.begin(), extra.end());
  return run_corvel_in(dir, args);
}

// Data records (type 0) and the segment base (type 2); checksums are not checked.
std::vector<int> hex_bytes(const std::string& text) {
  std::vector<int> bytes;
  std::istringstream lines(text);
  long base = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.size() < 11 || line[0] != ':') continue;
    auto at = [&](size_t i) { return std::stoi(line.substr(1 + 2 * i, 2), nullptr, 16); };
    int count = at(0), type = at(3);
    long address = base + at(1) * 256 + at(2);
    if (type == 2) base = (at(4) * 256 + at(5)) * 16L;
    if (type != 0) continue;
    if (bytes.size() < static_cast<size_t>(address + count)) bytes.resize(address + count, 255);
    for (int i = 0; i < count; ++i) bytes[address + i] = at(4 + i);
  }
  return bytes;
}

std::vector<int> rom_image(const TempDir& dir, int from, int to, const std::string& name) {
  std::vector<int> rom = hex_bytes(dir.read(name));
  std::vector<int> bytes;
  for (int k = from; k < to; ++k) bytes.push_back(64 + k < static_cast<int>(rom.size()) ? rom[64 + k] : 255);
  return bytes;
}

std::vector<int> rom_frame(const TempDir& dir, int n, const std::string& name) {
  std::vector<int> rom = hex_bytes(dir.read(name));
  rom.resize(64, 255);
  return {rom[4 * n] * 256 + rom[4 * n + 1], rom[4 * n + 2] * 256 + rom[4 * n + 3]};
}

// Lines read "key = decimal (hexH)"; the first line with the key counts.
long info_value(const TempDir& dir, const std::string& key, const std::string& name) {
  std::istringstream lines(dir.read(name));
  for (std::string line; std::getline(lines, line);)
    if (line.compare(0, key.size() + 3, key + " = ") == 0) return std::stol(line.substr(key.size() + 3));
  ADD_FAILURE() << key << " is not in " << name;
  return -1;
}

Outcome MainBodyTest::run(const std::string& statements, const std::vector<std::string>& extra) {
  return compile_in(dir_, declarations_ + "main() {\n" + statements + "\n}\n", extra);
}

// main is the last function: its body ends before its FUNC_END and the program's end byte.
std::vector<int> MainBodyTest::body(const std::string& statements) {
  Outcome o = run(statements);
  EXPECT_EQ(o.status, 0) << o.out;
  if (o.status != 0) return {};
  return rom_image(dir_, info_value(dir_, "main"), info_value(dir_, "size") - 2);
}

std::string MainBodyTest::refusal(const std::string& statements, const std::vector<std::string>& extra) {
  Outcome o = run(statements, extra);
  EXPECT_EQ(o.status, 1);
  std::string out = o.out.substr(o.out.find('\n') + 1);
  size_t at = out.find("\nline ");
  if (at == std::string::npos) return out;
  std::string trace = out.find("SymRc") == 0 ? out.substr(0, out.find('\n') + 1) : "";
  return trace + out.substr(at + 1, out.find('\n', at + 1) - at - 1);
}

std::string MainBodyTest::assembly(const std::string& statements) {
  Outcome o = run(statements, {"-a"});
  EXPECT_EQ(o.status, 0) << o.out;
  std::string text = dir_.read("prog.asm");
  size_t at = text.find("\n_main:\n");
  return at == std::string::npos ? text : text.substr(at + 8);
}

}  // namespace corvel::testing
