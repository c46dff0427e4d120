// Loading the rule table: rules of o lines (the pattern) and their actions
// (c lines to replace, a d line to delete), each maybe bound to a number.
#pragma once

#include <string>

namespace trimmel {

// Fills the key table, the data area, the line-count flags and the minimum
// and maximum line counts. Prints the message and returns false on a failure.
bool load_rule_table(const std::string& path);

}  // namespace trimmel
