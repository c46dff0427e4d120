// The pass over the file: the backup is read through the window into a new
// file under the target name.
#pragma once

#include <cstdio>
#include <string>

#include "rule_table.hpp"
#include "state.hpp"
#include "window.hpp"

namespace trimmel {

enum class StreamResult { kOk, kReadFailed, kWriteFailed };

// Streams every piece of in through an emptied window into out and flushes out.
StreamResult stream_through_window(Window& window, const RuleTable& rules, std::FILE* in, std::FILE* out);

// Rewrites backup into a newly created target. On a failure it prints the
// message and removes the unfinished target; the backup stays as it was.
bool rewrite_file(Run& run, const std::string& backup, const std::string& target);

}  // namespace trimmel
