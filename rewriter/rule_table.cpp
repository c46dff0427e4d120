#include "rule_table.hpp"

#include <algorithm>
#include <cstdio>

#include "console.hpp"
#include "key_table.hpp"
#include "line_reader.hpp"
#include "messages.hpp"
#include "normalize.hpp"
#include "state.hpp"

namespace trimmel {

namespace {

enum class Step { kOk, kEnd, kFailed };

struct Loader {
  std::FILE* in = nullptr;
  std::string line;     // the line being looked at
  std::string pattern;  // comparison texts of the rule's o lines, joined
  int o_lines = 0;
  bool has_binding = false;  // a binding line waits for the next action
  std::string binding;
};

// A table line is taken whole, however many pieces it is read in, so that
// the tail of a long line is never mistaken for a line of its own. Every
// piece still counts in the line counter.
bool next_line(Loader& l) {
  l.line.clear();
  std::string piece;
  bool continues = true;
  while (continues && read_piece(l.in, piece, continues)) {
    ++g.table_line;
    l.line += piece;
  }
  return !l.line.empty();
}

bool is_rule_line(const std::string& line) {
  return (line.size() >= 2 && line[1] == ':') || (!line.empty() && line[0] == '#');
}

bool next_rule_line(Loader& l) {
  while (next_line(l))
    if (is_rule_line(l.line)) return true;
  return false;
}

// kind is the lower-case letter before the colon.
bool is_kind(const std::string& line, char kind) {
  return line.size() >= 2 && line[1] == ':' && (line[0] == kind || line[0] == kind - 'a' + 'A');
}

bool fail(const char* format) {
  say_line_number(format, g.table_line);
  return false;
}

Step failed_step(const char* format) {
  fail(format);
  return Step::kFailed;
}

bool next_line_inside_rule(Loader& l) { return next_line(l) || fail(msg::kEndedInsideRule); }

bool add_pattern_line(Loader& l) {
  Normalized n = normalize(l.line);
  if (n.too_long()) return fail(msg::kLineTooLong);
  l.pattern += n.comparison.substr(std::min<size_t>(2, n.comparison.size()));
  ++l.o_lines;
  return true;
}

// Only one number can be bound, so the pattern may hold only one "#NUM".
bool pattern_has_two_numbers(const std::string& pattern) {
  size_t first = pattern.find('#');
  if (first == std::string::npos || pattern.compare(first, 4, "#NUM") != 0) return false;
  size_t second = pattern.find('#', first + 1);
  return second != std::string::npos && pattern.compare(second, 4, "#NUM") == 0;
}

Step read_pattern(Loader& l) {
  if (!next_rule_line(l)) return Step::kEnd;
  if (!is_kind(l.line, 'o')) return failed_step(msg::kNoOLine);
  l.pattern.clear();
  l.o_lines = 0;
  if (!add_pattern_line(l)) return Step::kFailed;
  for (;;) {
    if (!next_rule_line(l)) return failed_step(msg::kEndedInsideRule);
    if (!is_kind(l.line, 'o')) break;
    if (!add_pattern_line(l)) return Step::kFailed;
    if (l.o_lines > g.max_lines) g.max_lines = l.o_lines;
  }
  if (pattern_has_two_numbers(l.pattern)) return failed_step(msg::kTwoNumInPattern);
  return Step::kOk;
}

void set_length_flag(int o_lines) {
  if (o_lines <= kMaxPatternLines) g.length_flags[o_lines] = true;
}

// The waiting binding, if any, goes into this action's key and is used up.
bool add_action(Loader& l, const std::string& text, std::uint8_t code) {
  std::string key = l.has_binding ? "#" + l.binding + "#" + l.pattern : l.pattern;
  bool bound = l.has_binding;
  l.has_binding = false;
  l.binding.clear();
  return add_entry(key, bound, text, code);
}

bool replace_action(Loader& l) {
  std::string text = l.line.substr(2);
  for (;;) {
    if (!next_line_inside_rule(l)) return false;
    if (!is_rule_line(l.line)) continue;
    if (!is_kind(l.line, 'c')) break;
    text += l.line.substr(2);
  }
  if (l.o_lines < g.min_lines) g.min_lines = l.o_lines;
  if (!add_action(l, text, kActionReplace)) return false;
  set_length_flag(l.o_lines);
  return true;
}

bool delete_action(Loader& l) {
  if (!add_action(l, "##del##", kActionDelete)) return false;
  set_length_flag(l.o_lines);
  return next_line_inside_rule(l);
}

bool binding_line(Loader& l) {
  if (l.has_binding) return fail(msg::kTwoBindingLines);
  Normalized n = normalize(l.line);
  if (n.too_long()) return fail(msg::kLineTooLong);
  if (n.comparison == "#NUM = #NUM") l.binding = n.number;
  else if (n.comparison == "#NUM = *") l.binding = "*";
  else return fail(msg::kBadBindingLine);
  l.has_binding = true;
  return next_line_inside_rule(l);
}

bool read_actions(Loader& l) {
  do {
    bool ok;
    if (is_kind(l.line, 'c')) ok = replace_action(l);
    else if (is_kind(l.line, 'd')) ok = delete_action(l);
    else if (l.line[0] == '#') ok = binding_line(l);
    else ok = fail(msg::kAbnormalLine);
    if (!ok) return false;
  } while (l.line.compare(0, 4, "#END") != 0);
  return true;
}

bool read_rules(Loader& l) {
  for (;;) {
    Step step = read_pattern(l);
    if (step == Step::kEnd) return true;
    if (step == Step::kFailed || !read_actions(l)) return false;
  }
}

bool line_counts_usable() {
  if (g.min_lines == kNoMinimum) g.min_lines = g.max_lines;
  if (g.min_lines < 1 || g.max_lines < 1) {
    say(msg::kBadFormat);
    say(msg::kPatternTooShort);
    return false;
  }
  if (g.min_lines > kMaxPatternLines || g.max_lines > kMaxPatternLines) {
    say(msg::kBadFormat);
    say(msg::kPatternTooLong);
    return false;
  }
  if (g.min_lines > g.max_lines) {
    say(msg::kNoUsablePattern);
    return false;
  }
  return true;
}

}  // namespace

bool load_rule_table(const std::string& path) {
  Loader l;
  l.in = std::fopen(path.c_str(), "rb");
  if (!l.in) {
    say_path(msg::kFileOpenError, path);
    return false;
  }
  bool read = read_rules(l);
  bool read_error = std::ferror(l.in) != 0;
  std::fclose(l.in);
  if (!read) return false;
  if (read_error) {
    say_path(msg::kFileReadError, path);
    return false;
  }
  return line_counts_usable();
}

}  // namespace trimmel
