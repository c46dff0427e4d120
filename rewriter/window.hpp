// The window of the last ten lines read: lines enter it one by one, the rules
// are tried on its newest lines, and lines leave it oldest first.
#pragma once

#include <array>
#include <string_view>

#include "line_reader.hpp"
#include "normalize.hpp"
#include "rule_table.hpp"
#include "text_hash.hpp"

namespace trimmel {

inline constexpr int kWindowSize = 10;
inline constexpr size_t kLineCapacity = 256;  // a piece or a replacement, 255 bytes at most

// One line in the window: as read (or a replacement), and its normalized
// form with the hashes that the lookups start from. The buffers are reused
// from line to line, so taking a line allocates nothing.
struct Slot {
  std::array<char, kLineCapacity> line;
  std::array<char, kComparisonGrowth * kLineCapacity> comparison;
  std::array<char, kLineCapacity> number;
  size_t line_size = 0;
  size_t comparison_size = 0;
  size_t number_size = 0;
  TextHash comparison_hash;
  TextHash bound_prefix_hash;  // of "#", the number text and "#": how a bound key begins
  bool never_matches = false;  // an over-long line: it holds text but takes part in no match

  std::string_view line_text() const { return {line.data(), line_size}; }
  std::string_view comparison_text() const { return {comparison.data(), comparison_size}; }
  std::string_view number_text() const { return {number.data(), number_size}; }
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
void take_line(Window& window, const RuleTable& rules, std::string_view piece, bool long_line, LineWriter& out);

// Writes the lines still held, oldest first, and empties the window.
void flush_window(Window& window, LineWriter& out);

}  // namespace trimmel
