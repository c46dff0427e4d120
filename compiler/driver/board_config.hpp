// The board configuration file: which port bit drives each board pin and
// supply line, voltage calibration tables, and #define lines.
#pragma once

#include <string>
#include <string_view>

namespace corvel::driver {

// 0, or -1 when the file cannot be read or one of its #define lines fails.
int read_board_config(const std::string& path);
// Index 1..40 board pins, 41..80 Vpp lines, 81..120 Vcc, 121..160 GND; 255 when unconnected.
int pin_lookup(long index);
// Port-bit code of processor port `port` (1..6, 8, 10, 11) and bit 0..7, or -1.
int port_bit_code(int port, int bit);
// Port-bit code of a port written as a character ('1'..'6', '8', 'A', 'B' in
// either case) and a bit digit '0'..'7', or -1.
int port_bit_code_of_chars(int port_char, int bit_char);
// A voltage text in hundredths of a volt: two decimals kept, the rest dropped.
long voltage_hundredths(std::string_view text);
// Tenths of a volt for 0 V or 5.00..21.00 V, else -1.
int voltage_conversion(int board, int supply, std::string_view text);

}  // namespace corvel::driver
