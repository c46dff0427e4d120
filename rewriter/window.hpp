// The window of the last ten lines read: lines enter it one by one, the rules
// are tried on its newest lines, and lines leave it oldest first.
#pragma once

#include <array>
#include <cstdio>
#include <string>

#include "rule_table.hpp"

namespace trimmel {

inline constexpr int kWindowSize = 10;

// One line in the window: as read (or a replacement), and its normalized form.
struct Slot {
  std::string line;
  std::string comparison;
  std::string number;
  bool never_matches = false;  // an over-long line: it holds text but takes part in no match
};

// A ring: head is the slot the next line goes into, fill the lines held.
struct Window {
  std::array<Slot, kWindowSize> slots;
  int head = 0;
  int fill = 0;
};

// Takes one piece of the file into the window, writing the oldest line to out
// when the window is full, then tries the rules. long_line marks a piece of a
// line longer than one piece: it holds text but matches nothing.
void take_line(Window& window, const RuleTable& rules, const std::string& piece, bool long_line, std::FILE* out);

// Writes the lines still held, oldest first, and empties the window.
void flush_window(Window& window, std::FILE* out);

}  // namespace trimmel
