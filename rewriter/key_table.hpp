// The sorted key table and the data area that holds the actions' texts.
#pragma once

#include <cstdint>
#include <string>

namespace trimmel {

struct Action {
  std::uint8_t code = 0;
  std::string text;
};

// Adds a key with its action; prints the message and returns false when the
// key or text is too long, a table is full, or the key is already there.
bool add_entry(const std::string& key, bool bound, const std::string& text, std::uint8_t code);

// Finds the action of an equal key that was made the same way: a bound lookup
// never finds an unbound rule and the other way round, even if the texts agree.
bool look_up(const std::string& key, bool bound, Action& found);

}  // namespace trimmel
