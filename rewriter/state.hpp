// Everything trimmel remembers during one run, in one place: the console,
// the rule table with its data area and line counts, and the window of lines.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace trimmel {

inline constexpr int kExitFailure = 255;      // what a process ending with exit(-1) reports
inline constexpr int kPieceSize = 255;        // lines are read in pieces of at most this many bytes
inline constexpr int kNormalizedLimit = 79;   // longest comparison text or number text that can match
inline constexpr int kTextLimit = 255;        // longest key, replacement or slot text
inline constexpr int kMaxKeys = 500;
inline constexpr int kDataAreaSize = 10000;
inline constexpr int kMaxPatternLines = 9;
inline constexpr int kWindowSize = 10;
inline constexpr int kNoMinimum = 999;        // minimum line count before any replace rule

inline constexpr std::uint8_t kActionReplace = 99;
inline constexpr std::uint8_t kActionDelete = 100;

struct KeyEntry {
  std::string key;
  std::uint16_t data_offset = 0;
  std::uint16_t data_length = 0;  // texts may hold 0 bytes, so the length is kept
  std::uint8_t action = 0;
  bool bound = false;  // made under a number binding; looked up only with a bound number
};

// One line in the window: as read (or a replacement), and its normalized form.
struct Slot {
  std::string line;
  std::string comparison;
  std::string number;
  bool never_matches = false;  // an over-long line: it holds text but takes part in no match
};

struct TrimmelState {
  std::FILE* console = stdout;

  std::vector<KeyEntry> keys;
  std::array<char, kDataAreaSize> data{};
  int data_fill = 0;
  std::array<bool, kMaxPatternLines + 1> length_flags{};  // index: number of o lines
  int min_lines = kNoMinimum;
  int max_lines = 0;
  int table_line = 0;  // every line read from the rule table, for the messages

  std::array<Slot, kWindowSize> window;
  int head = 0;
  int fill = 0;
};

extern TrimmelState g;

// Empties the state for a new run; the console stays where it was pointed.
void reset_state();

}  // namespace trimmel
