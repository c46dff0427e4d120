#include "support/corvel_session.hpp"

#include <cstdio>
#include <filesystem>

#include "driver/command_line.hpp"
#include "driver/state.hpp"

namespace corvel::testing {

const char* const kTestBoard =
    "; test board\n"
    "#1 10\n#2 11\n#3 12\n#4 13\n#5 14\n#6 15\n#7 16\n#8 17\n"
    "#9 20\n#10 21\n#11 22\n#12 23\n#13 24\n#14 25\n#15 26\n#16 27\n"
    "#VPP1 30\n#VPP2 31\n#VPP3 32\n#VPP4 33\n"
    "#VCC1 40\n#VCC2 41\n#VCC3 42\n#VCC4 43\n"
    "#GND1 50\n#GND2 51\n";

Outcome run_corvel_in(const TempDir& dir, const std::vector<std::string>& args) {
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  std::FILE* console = std::tmpfile();
  driver::g.console = console;
  std::vector<const char*> argv{"corvel"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  Outcome outcome;
  outcome.status = driver::run_corvel(static_cast<int>(argv.size()), argv.data());
  std::rewind(console);
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, console)) > 0;) outcome.out.append(buffer, n);
  std::fclose(console);
  driver::g.console = stdout;
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

std::vector<int> image_bytes(int from, int to) {
  std::vector<int> bytes;
  for (int i = from; i < to; ++i) bytes.push_back(driver::g.image[i]);
  return bytes;
}

Outcome MainBodyTest::run(const std::string& statements, const std::vector<std::string>& extra) {
  return compile_in(dir_, declarations_ + "main() {\n" + statements + "\n}\n", extra);
}

std::vector<int> MainBodyTest::body(const std::string& statements) {
  Outcome o = run(statements);
  EXPECT_EQ(o.status, 0) << o.out;
  if (o.status != 0) return {};
  return image_bytes(driver::g.code_start, driver::g.byte_counter - 2);
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
