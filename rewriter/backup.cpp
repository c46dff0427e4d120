#include "backup.hpp"

#include <cstdio>
#include <filesystem>

#include "messages.hpp"

namespace trimmel {

namespace {

// Links count: a backup name that leads to the same file is the same file.
bool same_file(const std::string& a, const std::string& b) {
  std::error_code ignored;
  return std::filesystem::equivalent(a, b, ignored);
}

}  // namespace

bool move_target_to_backup(const std::string& target, const std::string& backup, const std::string& table,
                           Console console) {
  if (same_file(backup, target) || same_file(backup, table)) {
    console.say_path(msg::kBackupIsInput, backup);
    return false;
  }
  // The rename itself replaces an old backup, so when it fails the old backup
  // is still there. A directory is never replaced: the rename fails on it.
  if (std::rename(target.c_str(), backup.c_str()) != 0) {
    console.say_path(msg::kFileRenameError, target);
    return false;
  }
  return true;
}

}  // namespace trimmel
