// Loading the rule table: rules of o lines (the pattern) and their actions
// (c lines to replace, a d line to delete), each maybe bound to a number.
#pragma once

#include <array>
#include <string>

#include "console.hpp"
#include "key_index.hpp"
#include "key_table.hpp"

namespace trimmel {

inline constexpr int kMaxPatternLines = 9;
inline constexpr int kNoMinimum = 999;  // minimum line count before any replace rule

// The loaded rules: their keys, and which numbers of lines are worth trying.
struct RuleTable {
  KeyTable keys;
  KeyIndex index;  // the keys by hash, built when the table is loaded
  std::array<bool, kMaxPatternLines + 1> length_flags{};  // index: number of o lines
  int min_lines = kNoMinimum;
  int max_lines = 0;
};

// Adds the rules of the file at path to rules, which start empty in a run.
// Prints the message on the console and returns false on a failure.
bool load_rule_table(RuleTable& rules, const std::string& path, Console console);

}  // namespace trimmel
