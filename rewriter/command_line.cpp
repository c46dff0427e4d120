#include "command_line.hpp"

#include <filesystem>

#include "backup.hpp"
#include "messages.hpp"
#include "rewrite.hpp"
#include "state.hpp"

namespace trimmel {

namespace {

// A directory is never taken for a file.
bool is_file(const std::string& path) {
  std::error_code ignored;
  auto status = std::filesystem::status(path, ignored);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::string own_path(const char* argv0) {
  std::error_code failed;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", failed);
  if (!failed) return exe.string();
  return argv0 ? argv0 : "";
}

bool locate_table(const std::string& argument, const char* argv0, Console console, std::string& table) {
  if (is_file(argument)) {
    table = argument;
    return true;
  }
  table = path_beside_program(own_path(argv0), argument);
  if (is_file(table)) return true;
  console.say_path(msg::kFileNotFound, table);
  return false;
}

}  // namespace

std::string path_beside_program(const std::string& program, const std::string& table) {
  size_t slash = program.rfind('/');
  if (slash == std::string::npos) return table;
  return program.substr(0, slash + 1) + table;
}

int run_trimmel(int argc, const char* const* argv, std::FILE* console) {
  Run run(console);
  if (argc < 4) {
    run.console.say(msg::kUsage);
    return kExitFailure;
  }
  std::string table;
  if (!locate_table(argv[1], argv[0], run.console, table)) return kExitFailure;
  std::string target = argv[2];
  std::string backup = argv[3];
  if (!is_file(target)) {
    run.console.say_path(msg::kFileNotFound, target);
    return kExitFailure;
  }
  if (!move_target_to_backup(target, backup, table, run.console)) return kExitFailure;
  if (!load_rule_table(run.rules, table, run.console)) return kExitFailure;
  return rewrite_file(run, backup, target) ? 0 : kExitFailure;
}

}  // namespace trimmel
