// Runs every case folder under the cases directory, cases/<group>/<case>/, as one test per line of its cmd:
//
//   cmd                 one run a line, its words split at blanks; commands joined by "&&" run in turn:
//                         corvel prog.c              the plain run: test <group>.<case>, checked against expected/
//                         native: corvel prog.c -a   a labelled run: test <group>.<case>_native, checked
//                                                    against expected.native/
//                       Only the first line may go without a label. A label holding a dot names the
//                       test in full, <group>.<name>, for a run that shares the case's inputs but not
//                       its name or group: "command_line.no_arguments: corvel" is command_line.no_arguments.
//   <any other file>    an input, copied (with its folders) into a fresh scratch folder for each run
//   expected/stdout     the exact bytes the program prints
//   expected/status     its exit status (0 when the file is missing)
//   expected/files/*    every file the run creates or changes, byte for byte
//   expected/gone       names of input files the run removes, one a line
//   expected.<label>/   the same for the run with that label
//
// With E2E_UPDATE=1 in the environment a failing run rewrites its own expected
// folder from what the run produced, for review before it is committed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

using Files = std::map<std::string, std::string>;

// One line of a case's cmd.
struct CaseRun {
  fs::path dir;                    // the case folder, whose inputs the run gets
  std::string label;               // empty for the plain run
  std::vector<std::string> words;  // the command line
  std::string suite, name;         // the test's name
  std::string error;               // a fault in cmd, reported by the run's test

  fs::path expected() const { return dir / (label.empty() ? "expected" : "expected." + label); }
};

struct Outcome {
  std::string out;
  int status = -1;
  Files produced;              // files the run created or changed
  std::set<std::string> gone;  // inputs the run removed
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
  if (name == "corvsim") return CORVSIM_BIN;
  return name;
}

// Runs the command in dir and returns its stdout and exit status.
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

// Commands joined by "&&" run one after another in the same folder, as long
// as each succeeds; what they print is kept in order.
Outcome run_chain(const fs::path& dir, const std::vector<std::string>& words) {
  Outcome all;
  all.status = 0;
  for (size_t start = 0; start < words.size() && all.status == 0;) {
    size_t end = std::find(words.begin() + start, words.end(), "&&") - words.begin();
    Outcome one = run_in(dir, std::vector<std::string>(words.begin() + start, words.begin() + end));
    all.out += one.out;
    all.status = one.status;
    start = end + 1;
  }
  return all;
}

Files files_in(const fs::path& dir) {
  Files files;
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

bool is_expected_folder(const std::string& name) { return name == "expected" || name.starts_with("expected."); }

// Copies the case's inputs, everything but cmd and the expected folders, into scratch.
Files copy_inputs(const fs::path& dir, const TempDir& scratch) {
  Files inputs;
  for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
    std::string name = fs::relative(it->path(), dir).string();
    if (name == "cmd" || is_expected_folder(name)) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_directory()) fs::create_directories(scratch.path() / name);
    if (!it->is_regular_file()) continue;
    inputs[name] = read_file(it->path());
    scratch.write(name, inputs[name]);
  }
  return inputs;
}

// Notes which files the run created or changed and which inputs it removed.
void compare_with_inputs(const TempDir& scratch, const Files& inputs, Outcome& outcome) {
  for (auto& [name, bytes] : files_in(scratch.path())) {
    auto it = inputs.find(name);
    if (it == inputs.end() || it->second != bytes) outcome.produced[name] = bytes;
  }
  for (const auto& [name, bytes] : inputs)
    if (!scratch.exists(name)) outcome.gone.insert(name);
}

class RunTest : public ::testing::Test {
 public:
  explicit RunTest(CaseRun run) : run_(std::move(run)) {}

  void TestBody() override {
    ASSERT_TRUE(run_.error.empty()) << run_.error << " (in " << run_.dir / "cmd" << ")";
    TempDir scratch;
    Files inputs = copy_inputs(run_.dir, scratch);
    Outcome outcome = run_chain(scratch.path(), run_.words);
    compare_with_inputs(scratch, inputs, outcome);
    if (std::getenv("E2E_UPDATE") && !matches(outcome)) update(outcome);
    check(outcome);
  }

 private:
  fs::path expected() const { return run_.expected(); }

  int expected_status() const {
    fs::path file = expected() / "status";
    return fs::exists(file) ? std::atoi(read_file(file).c_str()) : 0;
  }

  bool matches(const Outcome& o) const {
    return fs::exists(expected() / "stdout") && read_file(expected() / "stdout") == o.out &&
           expected_status() == o.status && files_in(expected() / "files") == o.produced &&
           lines_of(expected() / "gone") == o.gone;
  }

  void update(const Outcome& o) const {
    fs::remove_all(expected());
    fs::create_directories(expected() / "files");
    write_file(expected() / "stdout", o.out);
    if (o.status != 0) write_file(expected() / "status", std::to_string(o.status) + "\n");
    for (const auto& [name, bytes] : o.produced) write_file(expected() / "files" / name, bytes);
    std::string names;
    for (const std::string& name : o.gone) names += name + "\n";
    if (!names.empty()) write_file(expected() / "gone", names);
  }

  void check(const Outcome& o) const {
    const fs::path where = expected();
    ASSERT_TRUE(fs::exists(where / "stdout")) << "no " << where / "stdout";
    EXPECT_EQ(printable(read_file(where / "stdout")), printable(o.out)) << "stdout for " << where;
    EXPECT_EQ(expected_status(), o.status) << "exit status for " << where;
    Files want = files_in(where / "files");
    for (const auto& [name, bytes] : want) {
      auto it = o.produced.find(name);
      if (it == o.produced.end()) ADD_FAILURE() << name << " was not written, for " << where;
      else EXPECT_EQ(printable(bytes), printable(it->second)) << "file " << name << " for " << where;
    }
    for (const auto& [name, bytes] : o.produced)
      if (!want.count(name)) ADD_FAILURE() << "unexpected file " << name << ", for " << where;
    EXPECT_EQ(lines_of(where / "gone"), o.gone) << "removed inputs, for " << where;
  }

  CaseRun run_;
};

std::string test_name(const std::string& text) {
  std::string name = text;
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// Labels become folder names and test names, so they keep to a safe alphabet.
bool is_label(const std::string& text) {
  return !text.empty() && text.front() != '.' && text.back() != '.' &&
         text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.") ==
             std::string::npos;
}

// <group>.<case> for the plain run, <group>.<case>_<label> for a labelled one,
// or the label itself when it names the test in full.
void name_run(CaseRun& run) {
  run.suite = test_name(run.dir.parent_path().filename().string());
  run.name = test_name(run.dir.filename().string());
  size_t dot = run.label.find('.');
  if (dot != std::string::npos) {
    run.suite = test_name(run.label.substr(0, dot));
    run.name = test_name(run.label.substr(dot + 1));
  } else if (!run.label.empty()) {
    run.name += "_" + run.label;
  }
}

// Reads "label: command words..." or, without the label, just the command words.
CaseRun parse_line(const fs::path& dir, const std::string& line) {
  CaseRun run;
  run.dir = dir;
  run.words = split_words(line);
  if (!run.words.empty() && run.words[0].ends_with(':')) {
    run.label = run.words[0].substr(0, run.words[0].size() - 1);
    run.words.erase(run.words.begin());
    if (!is_label(run.label)) {
      run.error = "a label holds only letters, digits, _ and inner dots: " + line;
      run.label = test_name(run.label);  // still a safe name, so that the fault shows under this case
    }
  }
  name_run(run);
  if (run.words.empty()) run.error = "no command in the line \"" + line + "\"";
  return run;
}

std::vector<CaseRun> runs_of(const fs::path& dir) {
  std::vector<CaseRun> runs;
  std::istringstream in(read_file(dir / "cmd"));
  for (std::string line; std::getline(in, line);) {
    if (split_words(line).empty()) continue;
    runs.push_back(parse_line(dir, line));
    if (runs.size() > 1 && runs.back().label.empty()) runs.back().error = "a run after the first needs a label";
  }
  if (runs.empty()) runs.push_back(parse_line(dir, ""));
  return runs;
}

// The case folders, cases/<group>/<case>/ with a cmd file, in a stable order.
std::set<fs::path> case_dirs(const fs::path& root) {
  std::set<fs::path> cases;
  for (const auto& group : fs::directory_iterator(root))
    if (group.is_directory())
      for (const auto& entry : fs::directory_iterator(group.path()))
        if (fs::is_regular_file(entry.path() / "cmd")) cases.insert(entry.path());
  return cases;
}

void register_cases() {
  std::set<std::string> names;
  for (const fs::path& dir : case_dirs(E2E_CASES_DIR)) {
    for (CaseRun run : runs_of(dir)) {
      // Two runs under one name would share an expected folder or hide one another.
      if (!names.insert(run.suite + "." + run.name).second && run.error.empty())
        run.error = "two runs are named " + run.name;
      ::testing::RegisterTest(run.suite.c_str(), run.name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                              [run]() -> ::testing::Test* { return new RunTest(run); });
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  register_cases();
  return RUN_ALL_TESTS();
}
