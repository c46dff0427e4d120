#include "rule_table.hpp"

#include <algorithm>
#include <cstdio>

#include "console.hpp"
#include "key_table.hpp"
#include "line_reader.hpp"
#include "messages.hpp"
#include "normalize.hpp"

namespace trimmel {

namespace {

enum class Step { kOk, kEnd, kFailed };

struct Loader {
  Loader(std::FILE* file, RuleTable& table, Console out) : in(file), rules(table), console(out) {}

  LineReader in;
  RuleTable& rules;
  Console console;
  int table_line = 0;   // every line read, for the messages
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
  std::string_view piece;
  bool continues = true;
  while (continues && l.in.next(piece, continues)) {
    ++l.table_line;
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

bool fail(const Loader& l, const char* format) {
  l.console.say_line_number(format, l.table_line);
  return false;
}

bool fail_without_line(Console console, const char* text) {
  console.say(text);
  return false;
}

Step failed_step(const Loader& l, const char* format) {
  fail(l, format);
  return Step::kFailed;
}

bool next_line_inside_rule(Loader& l) { return next_line(l) || fail(l, msg::kEndedInsideRule); }

bool add_pattern_line(Loader& l) {
  Normalized n = normalize(l.line);
  if (n.too_long()) return fail(l, msg::kLineTooLong);
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
  if (!is_kind(l.line, 'o')) return failed_step(l, msg::kNoOLine);
  l.pattern.clear();
  l.o_lines = 0;
  if (!add_pattern_line(l)) return Step::kFailed;
  for (;;) {
    if (!next_rule_line(l)) return failed_step(l, msg::kEndedInsideRule);
    if (!is_kind(l.line, 'o')) break;
    if (!add_pattern_line(l)) return Step::kFailed;
    if (l.o_lines > l.rules.max_lines) l.rules.max_lines = l.o_lines;
  }
  if (pattern_has_two_numbers(l.pattern)) return failed_step(l, msg::kTwoNumInPattern);
  return Step::kOk;
}

void set_length_flag(Loader& l) {
  if (l.o_lines <= kMaxPatternLines) l.rules.length_flags[l.o_lines] = true;
}

// The key table tells why it refused an entry; the loader knows the line.
bool report(const Loader& l, Added result) {
  switch (result) {
    case Added::kOk: return true;
    case Added::kKeyTooLong: return fail(l, msg::kKeyTooLong);
    case Added::kTextTooLong: return fail(l, msg::kReplacementTooLong);
    case Added::kDuplicateKey: return fail(l, msg::kDuplicateKey);
    case Added::kDataAreaFull: return fail_without_line(l.console, msg::kDataAreaOverflow);
    case Added::kKeyTableFull: return fail_without_line(l.console, msg::kKeyTableOverflow);
    case Added::kNoMemory: return fail_without_line(l.console, msg::kNoMemory);
  }
  return false;
}

// The waiting binding, if any, goes into this action's key and is used up.
bool add_action(Loader& l, const std::string& text, std::uint8_t code) {
  std::string key = l.has_binding ? "#" + l.binding + "#" + l.pattern : l.pattern;
  bool bound = l.has_binding;
  l.has_binding = false;
  l.binding.clear();
  return report(l, add_entry(l.rules.keys, key, bound, text, code));
}

bool replace_action(Loader& l) {
  std::string text = l.line.substr(2);
  for (;;) {
    if (!next_line_inside_rule(l)) return false;
    if (!is_rule_line(l.line)) continue;
    if (!is_kind(l.line, 'c')) break;
    text += l.line.substr(2);
  }
  if (l.o_lines < l.rules.min_lines) l.rules.min_lines = l.o_lines;
  if (!add_action(l, text, kActionReplace)) return false;
  set_length_flag(l);
  return true;
}

bool delete_action(Loader& l) {
  if (!add_action(l, "##del##", kActionDelete)) return false;
  set_length_flag(l);
  return next_line_inside_rule(l);
}

bool binding_line(Loader& l) {
  if (l.has_binding) return fail(l, msg::kTwoBindingLines);
  Normalized n = normalize(l.line);
  if (n.too_long()) return fail(l, msg::kLineTooLong);
  if (n.comparison == "#NUM = #NUM") l.binding = n.number;
  else if (n.comparison == "#NUM = *") l.binding = "*";
  else return fail(l, msg::kBadBindingLine);
  l.has_binding = true;
  return next_line_inside_rule(l);
}

bool read_actions(Loader& l) {
  do {
    bool ok;
    if (is_kind(l.line, 'c')) ok = replace_action(l);
    else if (is_kind(l.line, 'd')) ok = delete_action(l);
    else if (l.line[0] == '#') ok = binding_line(l);
    else ok = fail(l, msg::kAbnormalLine);
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

bool line_counts_usable(RuleTable& rules, Console console) {
  if (rules.min_lines == kNoMinimum) rules.min_lines = rules.max_lines;
  if (rules.min_lines < 1 || rules.max_lines < 1) {
    console.say(msg::kBadFormat);
    return fail_without_line(console, msg::kPatternTooShort);
  }
  if (rules.min_lines > kMaxPatternLines || rules.max_lines > kMaxPatternLines) {
    console.say(msg::kBadFormat);
    return fail_without_line(console, msg::kPatternTooLong);
  }
  if (rules.min_lines > rules.max_lines) return fail_without_line(console, msg::kNoUsablePattern);
  return true;
}

}  // namespace

bool load_rule_table(RuleTable& rules, const std::string& path, Console console) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) {
    console.say_path(msg::kFileOpenError, path);
    return false;
  }
  Loader l(in, rules, console);
  bool read = read_rules(l);
  bool read_error = l.in.failed();
  std::fclose(in);
  if (!read) return false;
  if (read_error) {
    console.say_path(msg::kFileReadError, path);
    return false;
  }
  if (!line_counts_usable(rules, console)) return false;
  build_key_index(rules.index, rules.keys);
  return true;
}

}  // namespace trimmel
