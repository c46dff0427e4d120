#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "backup.hpp"
#include "messages.hpp"
#include "rewrite.hpp"
#include "rewriter/trimmel_session.hpp"

namespace trimmel {
namespace {

namespace fs = std::filesystem;
using corvel::testing::TempDir;
using testing::Outcome;
using testing::run;
using testing::with_path;

const std::string kRules = "o: A\no: B\nd:\n#END\n";
const std::string kProgram = "\tA\n\tB\n\tRTS\n";

// A scratch folder holding a valid table and a target that the table changes.
struct Scene {
  TempDir dir;
  Scene() {
    dir.write("rules.rul", kRules);
    dir.write("prog.asm", kProgram);
  }
  Outcome trimmel(const std::string& backup = "prog.bak") const {
    return run({dir.at("rules.rul"), dir.at("prog.asm"), dir.at(backup)});
  }
};

TEST(CommandLine, TakesNoDirectoryForAFile) {
  EXPECT_EQ("/usr/bin/rules.rul", path_beside_program("/usr/bin/trimmel", "rules.rul"));
  EXPECT_EQ("rules.rul", path_beside_program("trimmel", "rules.rul"));
  Scene s;
  std::string folder = s.dir.path().string();
  std::string beside = fs::read_symlink("/proc/self/exe").parent_path().string() + "/" + folder;
  EXPECT_EQ((Outcome{kExitFailure, with_path(msg::kFileNotFound, beside)}),
            run({folder, s.dir.at("prog.asm"), s.dir.at("prog.bak")}));
  EXPECT_EQ((Outcome{kExitFailure, with_path(msg::kFileNotFound, folder)}),
            run({s.dir.at("rules.rul"), folder, s.dir.at("prog.bak")}));
  EXPECT_EQ(kProgram, s.dir.read("prog.asm"));
  EXPECT_FALSE(s.dir.exists("prog.bak"));
}

TEST(Backup, RefusesANameThatIsTheTargetOrTheTable) {
  Scene s;
  fs::create_symlink(s.dir.at("prog.asm"), s.dir.at("link.bak"));
  fs::create_hard_link(s.dir.at("rules.rul"), s.dir.at("hard.bak"));
  for (const char* backup : {"prog.asm", "rules.rul", "link.bak", "hard.bak"}) {
    EXPECT_EQ((Outcome{kExitFailure, with_path(msg::kBackupIsInput, s.dir.at(backup))}), s.trimmel(backup));
    EXPECT_EQ(kProgram, s.dir.read("prog.asm"));
    EXPECT_EQ(kRules, s.dir.read("rules.rul"));
  }
}

TEST(Backup, ReplacesAnOldBackupButNeverADirectory) {
  Scene s;
  s.dir.write("prog.bak", "old backup\n");
  // Arguments after the third are ignored.
  EXPECT_EQ((Outcome{0, ""}), run({s.dir.at("rules.rul"), s.dir.at("prog.asm"), s.dir.at("prog.bak"), "more"}));
  EXPECT_EQ(kProgram, s.dir.read("prog.bak"));
  EXPECT_EQ((Outcome{0, ""}), s.trimmel());  // again: the first result is now the backup
  EXPECT_EQ("\tRTS\n", s.dir.read("prog.bak"));
  fs::create_directory(s.dir.path() / "folder.bak");
  s.dir.write("rules.rul", "broken\n");  // the rename is reported first
  EXPECT_EQ((Outcome{kExitFailure, with_path(msg::kFileRenameError, s.dir.at("prog.asm"))}), s.trimmel("folder.bak"));
  EXPECT_TRUE(fs::is_directory(s.dir.path() / "folder.bak"));
  EXPECT_EQ("\tRTS\n", s.dir.read("prog.asm"));
}

TEST(Backup, KeepsTheTextWhenTheTableFails) {
  Scene s;
  s.dir.write("rules.rul", "o: A\n");
  EXPECT_EQ(kExitFailure, s.trimmel().status);
  EXPECT_EQ(kProgram, s.dir.read("prog.bak"));
  EXPECT_FALSE(s.dir.exists("prog.asm"));
}

TEST(Backup, KeepsTheOldBackupWhenTheTargetVanishes) {
  Scene s;
  s.dir.write("prog.bak", "old backup\n");
  fs::remove(s.dir.at("prog.asm"));  // gone between the check and the rename
  testing::ConsoleCapture console;
  EXPECT_FALSE(
      move_target_to_backup(s.dir.at("prog.asm"), s.dir.at("prog.bak"), s.dir.at("rules.rul"), console.console()));
  EXPECT_EQ(with_path(msg::kFileRenameError, s.dir.at("prog.asm")), console.text());
  EXPECT_EQ("old backup\n", s.dir.read("prog.bak"));
}

// Runs trimmel in a child process that cannot override file permissions.
Outcome run_unprivileged(const Scene& s) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {-1, ""};
  pid_t pid = fork();
  if (pid == 0) {
    close(pipe_fds[0]);
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    std::string table = s.dir.at("rules.rul"), target = s.dir.at("prog.asm"), backup = s.dir.at("prog.bak");
    const char* argv[] = {"trimmel", table.c_str(), target.c_str(), backup.c_str()};
    std::FILE* console = fdopen(pipe_fds[1], "w");
    int status = run_trimmel(4, argv, console);
    std::fflush(console);
    _exit(status);
  }
  close(pipe_fds[1]);
  Outcome outcome;
  char buffer[512];
  for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) outcome.out.append(buffer, n);
  close(pipe_fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(Backup, StopsBeforeWritingWhenTheFolderIsReadOnly) {
  Scene s;
  fs::permissions(s.dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
  Outcome outcome = run_unprivileged(s);
  if (outcome.status == 99) GTEST_SKIP() << "cannot drop privileges";
  EXPECT_EQ((Outcome{kExitFailure, with_path(msg::kFileRenameError, s.dir.at("prog.asm"))}), outcome);
  EXPECT_EQ(kProgram, s.dir.read("prog.asm"));
  EXPECT_FALSE(s.dir.exists("prog.bak"));
}

TEST(Rewrite, ReportsReadAndWriteFailures) {
  RuleTable rules;
  Window window;
  TempDir dir;
  dir.write("prog.asm", kProgram);
  std::FILE* in = std::fopen(dir.at("prog.asm").c_str(), "rb");
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_TRUE(in && full);
  EXPECT_EQ(StreamResult::kWriteFailed, stream_through_window(window, rules, in, full));
  std::fclose(in);
  std::fclose(full);
  std::FILE* folder = std::fopen(dir.path().c_str(), "rb");
  std::FILE* out = std::fopen(dir.at("out.asm").c_str(), "wb");
  ASSERT_TRUE(folder && out);
  EXPECT_EQ(StreamResult::kReadFailed, stream_through_window(window, rules, folder, out));
  std::fclose(folder);
  std::fclose(out);
}

}  // namespace
}  // namespace trimmel
