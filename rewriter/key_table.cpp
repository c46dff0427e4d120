#include "key_table.hpp"

#include <algorithm>
#include <cstring>
#include <new>

#include "console.hpp"
#include "messages.hpp"
#include "state.hpp"

namespace trimmel {

namespace {

std::vector<KeyEntry>::iterator position_of(const std::string& key) {
  return std::lower_bound(g.keys.begin(), g.keys.end(), key,
                          [](const KeyEntry& entry, const std::string& k) { return entry.key < k; });
}

// Lengths first, then room, then the duplicate: the order the messages come in.
bool entry_fits(const std::string& key, const std::string& text) {
  if (key.size() > static_cast<size_t>(kTextLimit)) {
    say_line_number(msg::kKeyTooLong, g.table_line);
    return false;
  }
  if (text.size() > static_cast<size_t>(kTextLimit)) {
    say_line_number(msg::kReplacementTooLong, g.table_line);
    return false;
  }
  if (g.data_fill + text.size() + 1 >= static_cast<size_t>(kDataAreaSize)) {
    say(msg::kDataAreaOverflow);
    return false;
  }
  if (g.keys.size() >= static_cast<size_t>(kMaxKeys)) {
    say(msg::kKeyTableOverflow);
    return false;
  }
  return true;
}

}  // namespace

bool add_entry(const std::string& key, bool bound, const std::string& text, std::uint8_t code) {
  if (!entry_fits(key, text)) return false;
  auto at = position_of(key);
  if (at != g.keys.end() && at->key == key) {
    say_line_number(msg::kDuplicateKey, g.table_line);
    return false;
  }
  KeyEntry entry;
  entry.data_offset = static_cast<std::uint16_t>(g.data_fill);
  entry.data_length = static_cast<std::uint16_t>(text.size());
  entry.action = code;
  entry.bound = bound;
  try {
    entry.key = key;
    g.keys.insert(at, std::move(entry));
  } catch (const std::bad_alloc&) {
    say(msg::kNoMemory);
    return false;
  }
  std::memcpy(g.data.data() + g.data_fill, text.data(), text.size());
  g.data[g.data_fill + text.size()] = '\0';
  g.data_fill += static_cast<int>(text.size()) + 1;
  return true;
}

bool look_up(const std::string& key, bool bound, Action& found) {
  auto at = position_of(key);
  if (at == g.keys.end() || at->key != key || at->bound != bound) return false;
  found.code = at->action;
  found.text.assign(g.data.data() + at->data_offset, at->data_length);
  return true;
}

}  // namespace trimmel
