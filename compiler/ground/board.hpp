// The board configuration file: which port bit drives each board pin and
// supply line, the voltage calibration tables, and its #define lines.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ground/limits.hpp"

namespace corvel::ground {

inline constexpr int kPinTableSize = 41;  // index 0 stays unconnected
inline constexpr int kCalibrationEntries = 30;
inline constexpr int kBoards = 3;

enum PinTable : int { kBoardPins = 0, kVppPins = 1, kVccPins = 2, kGndPins = 3, kPinTableCount = 4 };

struct Calibration {
  long hundredths = 0;
  std::uint8_t code = 0;
};

struct Board {
  std::array<std::array<std::uint8_t, kPinTableSize>, kPinTableCount> pins{};
  std::array<std::array<std::array<Calibration, kCalibrationEntries>, 2>, kBoards> calibration{};
  std::array<std::array<int, 2>, kBoards> calibration_count{};
  int number = 0;  // the board of the compilation; nothing changes it
  // The text after "#define" of each definition line, in file order: the
  // front end compiles them, since they are source text.
  std::vector<std::string> defines;

  Board();
  // Index 1..40 board pins, 41..80 Vpp lines, 81..120 Vcc, 121..160 GND; 255 when unconnected.
  int pin_lookup(long index) const;
};

// Reads the file into a fresh board; false when it cannot be opened.
bool read_board(const std::string& path, Board& board);

// Port-bit code of processor port `port` (1..6, 8, 10, 11) and bit 0..7, or -1.
int port_bit_code(int port, int bit);
// Port-bit code of a port written as a character ('1'..'6', '8', 'A', 'B' in
// either case) and a bit digit '0'..'7', or -1.
int port_bit_code_of_chars(int port_char, int bit_char);
// A voltage text in hundredths of a volt: two decimals kept, the rest dropped.
long voltage_hundredths(std::string_view text);
// Tenths of a volt for 0 V or 5.00..21.00 V, else -1.
int voltage_conversion(int board, int supply, std::string_view text);

}  // namespace corvel::ground
