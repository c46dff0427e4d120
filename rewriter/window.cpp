#include "window.hpp"

#include <vector>

#include "key_table.hpp"
#include "normalize.hpp"
#include "state.hpp"

namespace trimmel {

namespace {

// The lines that one attempt compares, and what the lookup needs of them.
struct Search {
  std::string text;   // their comparison texts, oldest first
  std::string bound;  // number text of the oldest of them that has one
  int first_slot = 0;
};

int slot_back(int steps) { return (g.head - 1 - steps + 2 * kWindowSize) % kWindowSize; }

void write_slot(const Slot& slot, std::FILE* out) { std::fwrite(slot.line.data(), 1, slot.line.size(), out); }

// Empty and comment-only lines are passed over; they do not count among the n.
bool build_search(int n, Search& s) {
  if (g.window[slot_back(0)].comparison.empty()) return false;
  std::vector<int> picked;  // newest first
  for (int i = 0; i < g.fill && static_cast<int>(picked.size()) < n; ++i) {
    const Slot& slot = g.window[slot_back(i)];
    if (slot.never_matches) return false;
    if (!slot.comparison.empty()) picked.push_back(slot_back(i));
  }
  if (static_cast<int>(picked.size()) < n) return false;
  s.text.clear();
  s.bound.clear();
  for (auto it = picked.rbegin(); it != picked.rend(); ++it) {
    const Slot& slot = g.window[*it];
    s.text += slot.comparison;
    if (s.bound.empty()) s.bound = slot.number;
  }
  s.first_slot = picked.back();
  return true;
}

// Lines holding a number meet only bound rules: their own number first, then "*".
bool find_action(const Search& s, Action& found) {
  if (s.bound.empty()) return look_up(s.text, false, found);
  return look_up("#" + s.bound + "#" + s.text, true, found) || look_up("#*#" + s.text, true, found);
}

// Drops every line from the first slot to the newest, passed-over ones included.
void remove_from(int first_slot) {
  g.fill -= first_slot < g.head ? g.head - first_slot : g.head + kWindowSize - first_slot;
  g.head = first_slot;
}

// The replacement fills one slot whole. Its comparison text is the stored text
// up to the filled-in number; its number text is left from the line it replaces.
void replace(const Search& s, const Action& action) {
  std::string line = action.text;
  std::string comparison = action.text;
  size_t at = s.bound.empty() ? std::string::npos : line.find("#NUM");
  if (at != std::string::npos) {
    if (line.size() - 4 + s.bound.size() > static_cast<size_t>(kTextLimit)) return;
    line.replace(at, 4, s.bound);
    comparison.resize(at);
  }
  remove_from(s.first_slot);
  Slot& slot = g.window[g.head];
  slot.line = std::move(line);
  slot.comparison = std::move(comparison);
  slot.never_matches = false;
  g.head = (g.head + 1) % kWindowSize;
  ++g.fill;
}

void try_rules() {
  for (int n = g.min_lines; n <= g.max_lines && n <= g.fill; ++n) {
    if (n > kMaxPatternLines || !g.length_flags[n]) continue;
    Search s;
    Action action;
    if (!build_search(n, s) || !find_action(s, action)) continue;
    if (action.code == kActionReplace) replace(s, action);
    else if (action.code == kActionDelete) remove_from(s.first_slot);
  }
}

}  // namespace

void take_line(const std::string& piece, bool long_line, std::FILE* out) {
  if (g.fill == kWindowSize) {
    write_slot(g.window[slot_back(g.fill - 1)], out);
    --g.fill;
  }
  Slot& slot = g.window[g.head];
  Normalized n = normalize(piece);
  slot.line = piece;
  slot.comparison = std::move(n.comparison);
  slot.number = std::move(n.number);
  slot.never_matches = long_line || n.too_long();
  g.head = (g.head + 1) % kWindowSize;
  ++g.fill;
  if (g.fill >= g.min_lines) try_rules();
}

void flush_window(std::FILE* out) {
  for (int i = g.fill - 1; i >= 0; --i) write_slot(g.window[slot_back(i)], out);
  g.fill = 0;
}

}  // namespace trimmel
