// Running the GNU tools for the H8/300H: found on PATH under a prefix, their
// output caught so that it can be passed on with the step that failed.
#pragma once

#include <string>
#include <vector>

namespace corvlink {

struct ToolRun {
  bool found = true;  // false when the tool is not on PATH
  int status = -1;    // its exit status; -1 when it did not exit normally
  std::string output;  // what it printed on both streams
};

// Runs `program` with `args` in `folder`.
ToolRun run_tool(const std::string& program, const std::vector<std::string>& args, const std::string& folder);

}  // namespace corvlink
