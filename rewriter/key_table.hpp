// The sorted key table and the data area that holds the actions' texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trimmel {

inline constexpr int kTextLimit = 255;  // longest key, replacement or slot text
inline constexpr int kMaxKeys = 500;
inline constexpr int kDataAreaSize = 10000;

inline constexpr std::uint8_t kActionReplace = 99;
inline constexpr std::uint8_t kActionDelete = 100;

struct KeyEntry {
  std::string key;
  std::uint16_t data_offset = 0;
  std::uint16_t data_length = 0;  // texts may hold 0 bytes, so the length is kept
  std::uint8_t action = 0;
  bool bound = false;  // made under a number binding; looked up only with a bound number
};

struct KeyTable {
  std::vector<KeyEntry> entries;  // sorted by key
  std::array<char, kDataAreaSize> data{};
  int data_fill = 0;
};

struct Action {
  std::uint8_t code = 0;
  std::string text;
};

// Why an entry was not added, in the order the checks are made; the loader
// knows the line and prints the message.
enum class Added { kOk, kKeyTooLong, kTextTooLong, kDataAreaFull, kKeyTableFull, kDuplicateKey, kNoMemory };

// Adds a key with its action, unless the key or text is too long, a table is
// full, or the key is already there.
Added add_entry(KeyTable& table, const std::string& key, bool bound, const std::string& text, std::uint8_t code);

// Finds the action of an equal key that was made the same way: a bound lookup
// never finds an unbound rule and the other way round, even if the texts agree.
bool look_up(const KeyTable& table, const std::string& key, bool bound, Action& found);

}  // namespace trimmel
