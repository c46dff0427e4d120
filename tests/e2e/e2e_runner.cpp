// Runs every case folder under the cases directory as a test:
//
//   cmd                 the command line: "corvel ..." or "trimmel ...", words split at blanks
//   <any other file>    an input, copied (with its folders) into a scratch folder where the command runs
//   expected/stdout     the exact bytes the program prints
//   expected/status     its exit status (0 when the file is missing)
//   expected/files/*    every file the run creates or changes, byte for byte
//   expected/gone       names of input files the run removes, one a line
//
// With E2E_UPDATE=1 in the environment a failing case rewrites its expected
// folder from what the run produced, for review before it is committed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.hpp"

namespace fs = std::filesystem;
using corvel::testing::read_file;
using corvel::testing::TempDir;
using corvel::testing::write_file;

namespace {

struct Outcome {
  std::string out;
  int status = -1;
};

std::vector<std::string> split_words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string program_path(const std::string& name) {
  if (name == "corvel") return CORVEL_BIN;
  if (name == "trimmel") return TRIMMEL_BIN;
  return name;
}

Outcome run_in(const fs::path& dir, std::vector<std::string> args) {
  args[0] = program_path(args[0]);
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    dup2(pipe_fds[1], 1);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  Outcome outcome;
  char buffer[4096];
  for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) outcome.out.append(buffer, static_cast<size_t>(n));
  close(pipe_fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

std::map<std::string, std::string> files_in(const fs::path& dir) {
  std::map<std::string, std::string> files;
  if (!fs::exists(dir)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), dir).string()] = read_file(entry.path());
  return files;
}

std::set<std::string> lines_of(const fs::path& file) {
  std::set<std::string> lines;
  if (!fs::exists(file)) return lines;
  std::istringstream in(read_file(file));
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.insert(line);
  return lines;
}

std::string printable(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (c == '\n' || (c >= 0x20 && c < 0x7F)) text.push_back(static_cast<char>(c));
    else text += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
  }
  return text;
}

class CaseTest : public ::testing::Test {
 public:
  explicit CaseTest(fs::path dir) : dir_(std::move(dir)) {}

  void TestBody() override {
    TempDir scratch;
    std::map<std::string, std::string> inputs;
    for (auto it = fs::recursive_directory_iterator(dir_); it != fs::recursive_directory_iterator(); ++it) {
      std::string name = fs::relative(it->path(), dir_).string();
      if (name == "cmd" || name == "expected") {
        it.disable_recursion_pending();
        continue;
      }
      if (it->is_directory()) fs::create_directories(scratch.path() / name);
      if (!it->is_regular_file()) continue;
      inputs[name] = read_file(it->path());
      scratch.write(name, inputs[name]);
    }
    std::string cmd = read_file(dir_ / "cmd");
    Outcome outcome = run_in(scratch.path(), split_words(cmd.substr(0, cmd.find('\n'))));
    std::map<std::string, std::string> produced;
    std::set<std::string> gone;
    for (auto& [name, bytes] : files_in(scratch.path()))
      if (!inputs.count(name) || inputs[name] != bytes) produced[name] = bytes;
    for (const auto& [name, bytes] : inputs)
      if (!scratch.exists(name)) gone.insert(name);
    if (std::getenv("E2E_UPDATE") && !matches(outcome, produced, gone)) update(outcome, produced, gone);
    check(outcome, produced, gone);
  }

 private:
  fs::path expected() const { return dir_ / "expected"; }

  int expected_status() const {
    fs::path file = expected() / "status";
    return fs::exists(file) ? std::atoi(read_file(file).c_str()) : 0;
  }

  bool matches(const Outcome& o, const std::map<std::string, std::string>& produced,
               const std::set<std::string>& gone) const {
    return fs::exists(expected() / "stdout") && read_file(expected() / "stdout") == o.out &&
           expected_status() == o.status && files_in(expected() / "files") == produced &&
           lines_of(expected() / "gone") == gone;
  }

  void update(const Outcome& o, const std::map<std::string, std::string>& produced,
              const std::set<std::string>& gone) const {
    fs::remove_all(expected());
    fs::create_directories(expected() / "files");
    write_file(expected() / "stdout", o.out);
    if (o.status != 0) write_file(expected() / "status", std::to_string(o.status) + "\n");
    for (const auto& [name, bytes] : produced) write_file(expected() / "files" / name, bytes);
    std::string names;
    for (const std::string& name : gone) names += name + "\n";
    if (!names.empty()) write_file(expected() / "gone", names);
  }

  void check(const Outcome& o, const std::map<std::string, std::string>& produced,
             const std::set<std::string>& gone) const {
    ASSERT_TRUE(fs::exists(expected() / "stdout")) << "no expected/stdout in " << dir_;
    EXPECT_EQ(printable(read_file(expected() / "stdout")), printable(o.out)) << "stdout of " << dir_;
    EXPECT_EQ(expected_status(), o.status) << "exit status of " << dir_;
    std::map<std::string, std::string> want = files_in(expected() / "files");
    for (const auto& [name, bytes] : want) {
      auto it = produced.find(name);
      if (it == produced.end()) ADD_FAILURE() << name << " was not written in " << dir_;
      else EXPECT_EQ(printable(bytes), printable(it->second)) << "file " << name << " of " << dir_;
    }
    for (const auto& [name, bytes] : produced)
      if (!want.count(name)) ADD_FAILURE() << "unexpected file " << name << " in " << dir_;
    EXPECT_EQ(lines_of(expected() / "gone"), gone) << "removed inputs of " << dir_;
  }

  fs::path dir_;
};

std::string test_name(const fs::path& path) {
  std::string name = path.filename().string();
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

void register_cases() {
  fs::path root = E2E_CASES_DIR;
  std::set<fs::path> cases;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file() && entry.path().filename() == "cmd") cases.insert(entry.path().parent_path());
  for (const fs::path& dir : cases) {
    std::string suite = test_name(dir.parent_path());
    ::testing::RegisterTest(suite.c_str(), test_name(dir).c_str(), nullptr, nullptr, __FILE__, __LINE__,
                            [dir]() -> ::testing::Test* { return new CaseTest(dir); });
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  register_cases();
  return RUN_ALL_TESTS();
}
