// Moving the target file to the backup name before anything is rewritten.
#pragma once

#include <string>

#include "console.hpp"

namespace trimmel {

// Renames target to backup, replacing an old backup. Refuses a backup name
// that is the target or the table itself, and reports a failed rename; in
// both cases nothing has been changed.
bool move_target_to_backup(const std::string& target, const std::string& backup, const std::string& table,
                           Console console);

}  // namespace trimmel
