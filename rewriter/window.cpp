#include "window.hpp"

#include <algorithm>
#include <cstring>

#include "key_index.hpp"

namespace trimmel {

namespace {

constexpr TextHash kAnyNumberPrefix = hash_text("#*#");

// The newest lines with text that one attempt compares, gathered walking back
// from the newest line; the passed-over empty lines among them are not counted.
struct Attempt {
  std::array<int, kMaxPatternLines> picked{};  // slot numbers, newest first
  int count = 0;
  TextHash text;        // of their comparison texts joined, oldest first
  int bound_slot = -1;  // the oldest of them that has a number text
};

// Counted back from the newest line: 0 is the newest, fill - 1 the oldest.
int slot_back(const Window& w, int steps) {
  int slot = w.head - 1 - steps;
  return slot < 0 ? slot + kWindowSize : slot;
}

int first_slot(const Attempt& a) { return a.picked[a.count - 1]; }

void add_older_line(Attempt& a, const Window& w, int slot_number) {
  const Slot& slot = w.slots[slot_number];
  a.picked[a.count++] = slot_number;
  a.text = join(slot.comparison_hash, a.text);
  if (slot.number_size > 0) a.bound_slot = slot_number;
}

// The search text, behind the bound number's prefix when there is one.
PiecedText search_text(const Window& w, const Attempt& a, std::string_view number) {
  PiecedText text;
  if (a.bound_slot >= 0) {
    text.add("#");
    text.add(number);
    text.add("#");
  }
  for (int i = a.count - 1; i >= 0; --i) text.add(w.slots[a.picked[i]].comparison_text());
  return text;
}

const KeyEntry* find_with_prefix(const Window& w, const RuleTable& rules, const Attempt& a, TextHash prefix,
                                 std::string_view number) {
  std::uint64_t hash = join(prefix, a.text).value;
  return find_key(rules.index, rules.keys, hash, a.bound_slot >= 0, search_text(w, a, number));
}

// Lines holding a number meet only bound rules: their own number first, then "*".
const KeyEntry* find_action(const Window& w, const RuleTable& rules, const Attempt& a) {
  if (a.bound_slot < 0) return find_with_prefix(w, rules, a, {}, {});
  const Slot& bound = w.slots[a.bound_slot];
  const KeyEntry* found = find_with_prefix(w, rules, a, bound.bound_prefix_hash, bound.number_text());
  return found ? found : find_with_prefix(w, rules, a, kAnyNumberPrefix, "*");
}

// Drops every line from the first slot to the newest, passed-over ones included.
void remove_from(Window& w, int first) {
  w.fill -= first < w.head ? w.head - first : w.head + kWindowSize - first;
  w.head = first;
}

Slot& next_slot(Window& w) {
  Slot& slot = w.slots[w.head];
  if (++w.head == kWindowSize) w.head = 0;
  ++w.fill;
  return slot;
}

void set_line(Slot& slot, std::string_view before, std::string_view number, std::string_view after) {
  char* end = std::copy(before.begin(), before.end(), slot.line.data());
  end = std::copy(number.begin(), number.end(), end);
  end = std::copy(after.begin(), after.end(), end);
  slot.line_size = end - slot.line.data();
}

// The replacement fills one slot whole. Its comparison text is the stored text
// up to the filled-in number; its number text is left from the line it
// replaces. A replacement that the number would make too long is not made.
bool replace(Window& w, const Attempt& a, std::string_view text) {
  std::string_view number = a.bound_slot >= 0 ? w.slots[a.bound_slot].number_text() : std::string_view{};
  size_t at = number.empty() ? std::string_view::npos : text.find("#NUM");
  if (at == std::string_view::npos) {
    at = text.size();
    number = {};
  } else if (text.size() - 4 + number.size() > static_cast<size_t>(kTextLimit)) {
    return false;
  }
  remove_from(w, first_slot(a));
  Slot& slot = next_slot(w);  // the first slot: its number text is not touched
  set_line(slot, text.substr(0, at), number, text.substr(std::min(at + 4, text.size())));
  std::memcpy(slot.comparison.data(), text.data(), at);
  slot.comparison_size = at;
  slot.comparison_hash = hash_text(slot.comparison_text());
  slot.never_matches = false;
  return true;
}

bool rewrite_if_found(Window& w, const RuleTable& rules, const Attempt& a) {
  const KeyEntry* entry = find_action(w, rules, a);
  if (!entry) return false;
  if (entry->action == kActionDelete) {
    remove_from(w, first_slot(a));
    return true;
  }
  std::string_view text(rules.keys.data.data() + entry->data_offset, entry->data_length);
  return entry->action == kActionReplace && replace(w, a, text);
}

// Whether some key made the way this attempt looks up (bound or not) may
// be the lines gathered; the exact lookup tells for sure.
bool worth_looking_up(const RuleTable& rules, const Attempt& a, int n, std::uint8_t ending) {
  if (a.count < n || !rules.length_flags[a.count]) return false;
  return ending & (a.bound_slot >= 0 ? kIsABoundPattern : kIsAnUnboundKey);
}

// One walk back from the newest line tries every length from n on, and
// stops where no key ends with the lines gathered: no longer run can match
// then. After a rewrite the next length is tried on the changed window.
int try_lengths_from(Window& w, const RuleTable& rules, int n) {
  Attempt a;
  for (int i = 0; i < w.fill && a.count < rules.max_lines; ++i) {
    int slot_number = slot_back(w, i);
    const Slot& slot = w.slots[slot_number];
    if (slot.never_matches || (i == 0 && slot.comparison_size == 0)) break;
    if (slot.comparison_size == 0) continue;
    add_older_line(a, w, slot_number);
    std::uint8_t ending = ending_flags(rules.index, a.text.value);
    if (ending == 0) break;
    if (worth_looking_up(rules, a, n, ending) && rewrite_if_found(w, rules, a)) return a.count + 1;
  }
  return rules.max_lines + 1;
}

void try_rules(Window& w, const RuleTable& rules) {
  for (int n = rules.min_lines; n <= rules.max_lines;) n = try_lengths_from(w, rules, n);
}

// Only a line that can match needs its hashes.
void fill_slot(Slot& slot, std::string_view piece, bool long_line) {
  std::memcpy(slot.line.data(), piece.data(), piece.size());
  slot.line_size = piece.size();
  NormalizedSizes sizes = normalize_into(piece, slot.comparison.data());
  slot.comparison_size = sizes.comparison;
  slot.number_size = sizes.number;
  copy_number(piece, sizes, slot.number.data());
  slot.never_matches = long_line || sizes.comparison > static_cast<size_t>(kNormalizedLimit) ||
                       sizes.number > static_cast<size_t>(kNormalizedLimit);
  if (slot.never_matches) return;
  slot.comparison_hash = hash_text(slot.comparison_text());
  if (sizes.number > 0) slot.bound_prefix_hash = hash_text("#", hash_text(slot.number_text(), hash_text("#")));
}

}  // namespace

void take_line(Window& window, const RuleTable& rules, std::string_view piece, bool long_line, LineWriter& out) {
  if (window.fill == kWindowSize) {
    out.write(window.slots[slot_back(window, window.fill - 1)].line_text());
    --window.fill;
  }
  fill_slot(next_slot(window), piece, long_line);
  if (window.fill >= rules.min_lines) try_rules(window, rules);
}

void flush_window(Window& window, LineWriter& out) {
  for (int i = window.fill - 1; i >= 0; --i) out.write(window.slots[slot_back(window, i)].line_text());
  window.fill = 0;
}

}  // namespace trimmel
