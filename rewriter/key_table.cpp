#include "key_table.hpp"

#include <algorithm>
#include <cstring>
#include <new>

namespace trimmel {

namespace {

std::vector<KeyEntry>::const_iterator position_of(const std::vector<KeyEntry>& entries, const std::string& key) {
  return std::lower_bound(entries.begin(), entries.end(), key,
                          [](const KeyEntry& entry, const std::string& k) { return entry.key < k; });
}

Added room_for(const KeyTable& table, const std::string& key, const std::string& text) {
  if (key.size() > static_cast<size_t>(kTextLimit)) return Added::kKeyTooLong;
  if (text.size() > static_cast<size_t>(kTextLimit)) return Added::kTextTooLong;
  if (table.data_fill + text.size() + 1 >= static_cast<size_t>(kDataAreaSize)) return Added::kDataAreaFull;
  if (table.entries.size() >= static_cast<size_t>(kMaxKeys)) return Added::kKeyTableFull;
  return Added::kOk;
}

void store_text(KeyTable& table, const std::string& text) {
  std::memcpy(table.data.data() + table.data_fill, text.data(), text.size());
  table.data[table.data_fill + text.size()] = '\0';
  table.data_fill += static_cast<int>(text.size()) + 1;
}

}  // namespace

Added add_entry(KeyTable& table, const std::string& key, bool bound, const std::string& text, std::uint8_t code) {
  if (Added room = room_for(table, key, text); room != Added::kOk) return room;
  auto at = position_of(table.entries, key);
  if (at != table.entries.end() && at->key == key) return Added::kDuplicateKey;
  KeyEntry entry;
  entry.data_offset = static_cast<std::uint16_t>(table.data_fill);
  entry.data_length = static_cast<std::uint16_t>(text.size());
  entry.action = code;
  entry.bound = bound;
  try {
    entry.key = key;
    table.entries.insert(at, std::move(entry));
  } catch (const std::bad_alloc&) {
    return Added::kNoMemory;
  }
  store_text(table, text);
  return Added::kOk;
}

bool look_up(const KeyTable& table, const std::string& key, bool bound, Action& found) {
  auto at = position_of(table.entries, key);
  if (at == table.entries.end() || at->key != key || at->bound != bound) return false;
  found.code = at->action;
  found.text.assign(table.data.data() + at->data_offset, at->data_length);
  return true;
}

}  // namespace trimmel
