#include "tools.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace corvlink {

namespace {

// Both streams go to one file in the folder, read back after the tool ends.
std::string read_and_remove(const std::string& path) {
  std::string text;
  int fd = open(path.c_str(), O_RDONLY);
  char buffer[4096];
  for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  if (fd >= 0) close(fd);
  unlink(path.c_str());
  return text;
}

std::vector<char*> argv_of(const std::string& program, std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

int wait_for(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ToolRun run_tool(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder) {
  std::vector<std::string> args = arguments;
  std::vector<char*> argv = argv_of(program, args);
  std::string log = folder + "/tool-output.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ToolRun run;
  if (spawned != 0) {
    run.found = spawned != ENOENT;
    return run;
  }
  run.status = wait_for(pid);
  run.output = read_and_remove(log);
  return run;
}

}  // namespace corvlink
