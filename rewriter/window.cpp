#include "window.hpp"

#include <vector>

#include "key_table.hpp"
#include "normalize.hpp"

namespace trimmel {

namespace {

// The lines that one attempt compares, and what the lookup needs of them.
struct Search {
  std::string text;   // their comparison texts, oldest first
  std::string bound;  // number text of the oldest of them that has one
  int first_slot = 0;
};

// Counted back from the newest line: 0 is the newest, fill - 1 the oldest.
int slot_back(const Window& w, int steps) { return (w.head - 1 - steps + 2 * kWindowSize) % kWindowSize; }

const Slot& back(const Window& w, int steps) { return w.slots[slot_back(w, steps)]; }

void write_slot(const Slot& slot, std::FILE* out) { std::fwrite(slot.line.data(), 1, slot.line.size(), out); }

// Empty and comment-only lines are passed over; they do not count among the n.
bool build_search(const Window& w, int n, Search& s) {
  if (back(w, 0).comparison.empty()) return false;
  std::vector<int> picked;  // newest first
  for (int i = 0; i < w.fill && static_cast<int>(picked.size()) < n; ++i) {
    if (back(w, i).never_matches) return false;
    if (!back(w, i).comparison.empty()) picked.push_back(slot_back(w, i));
  }
  if (static_cast<int>(picked.size()) < n) return false;
  s.text.clear();
  s.bound.clear();
  for (auto it = picked.rbegin(); it != picked.rend(); ++it) {
    const Slot& slot = w.slots[*it];
    s.text += slot.comparison;
    if (s.bound.empty()) s.bound = slot.number;
  }
  s.first_slot = picked.back();
  return true;
}

// Lines holding a number meet only bound rules: their own number first, then "*".
bool find_action(const KeyTable& keys, const Search& s, Action& found) {
  if (s.bound.empty()) return look_up(keys, s.text, false, found);
  return look_up(keys, "#" + s.bound + "#" + s.text, true, found) || look_up(keys, "#*#" + s.text, true, found);
}

// Drops every line from the first slot to the newest, passed-over ones included.
void remove_from(Window& w, int first_slot) {
  w.fill -= first_slot < w.head ? w.head - first_slot : w.head + kWindowSize - first_slot;
  w.head = first_slot;
}

Slot& next_slot(Window& w) {
  Slot& slot = w.slots[w.head];
  w.head = (w.head + 1) % kWindowSize;
  ++w.fill;
  return slot;
}

// The replacement fills one slot whole. Its comparison text is the stored text
// up to the filled-in number; its number text is left from the line it replaces.
void replace(Window& w, const Search& s, const Action& action) {
  std::string line = action.text;
  std::string comparison = action.text;
  size_t at = s.bound.empty() ? std::string::npos : line.find("#NUM");
  if (at != std::string::npos) {
    if (line.size() - 4 + s.bound.size() > static_cast<size_t>(kTextLimit)) return;
    line.replace(at, 4, s.bound);
    comparison.resize(at);
  }
  remove_from(w, s.first_slot);
  Slot& slot = next_slot(w);
  slot.line = std::move(line);
  slot.comparison = std::move(comparison);
  slot.never_matches = false;
}

void try_rules(Window& w, const RuleTable& rules) {
  for (int n = rules.min_lines; n <= rules.max_lines && n <= w.fill; ++n) {
    if (n > kMaxPatternLines || !rules.length_flags[n]) continue;
    Search s;
    Action action;
    if (!build_search(w, n, s) || !find_action(rules.keys, s, action)) continue;
    if (action.code == kActionReplace) replace(w, s, action);
    else if (action.code == kActionDelete) remove_from(w, s.first_slot);
  }
}

}  // namespace

void take_line(Window& window, const RuleTable& rules, const std::string& piece, bool long_line, std::FILE* out) {
  if (window.fill == kWindowSize) {
    write_slot(back(window, window.fill - 1), out);
    --window.fill;
  }
  Normalized n = normalize(piece);
  Slot& slot = next_slot(window);
  slot.line = piece;
  slot.comparison = std::move(n.comparison);
  slot.number = std::move(n.number);
  slot.never_matches = long_line || n.too_long();
  if (window.fill >= rules.min_lines) try_rules(window, rules);
}

void flush_window(Window& window, std::FILE* out) {
  for (int i = window.fill - 1; i >= 0; --i) write_slot(back(window, i), out);
  window.fill = 0;
}

}  // namespace trimmel
