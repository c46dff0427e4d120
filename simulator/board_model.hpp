// What the program drives: the processor's 72 port bits (data and direction),
// the three port blocks that map a WORD onto up to 16 of them, the board's
// pins and supply switch lines named by the board file, and the two supply
// voltages.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ground/board.hpp"
#include "ground/image.hpp"

namespace corvsim {

inline constexpr int kPortBits = 72;

// A signal of the waveform: a board pin or switch line (following one port
// bit), or a supply voltage.
struct Signal {
  std::string name;
  int port_bit = -1;  // -1 for a supply
};

enum class Supply { Vpp, Vcc };

class BoardModel {
 public:
  // Called with a signal's index and its new value (0/1, or volts).
  using Listener = std::function<void(int signal, double value)>;

  BoardModel(const corvel::ground::Board& board, Listener listener);

  const std::vector<Signal>& signals() const { return signals_; }
  int data(int bit) const { return data_[bit]; }
  int direction(int bit) const { return direction_[bit]; }
  void set_data(int bit, int value);
  void set_direction(int bit, int value) { direction_[bit] = value ? 1 : 0; }
  // A port block's data or direction word, through its pin map in the image.
  long block_word(const corvel::ground::Image& image, int block, bool direction) const;
  // The port bit behind bit i (0..15) of a port block's word; kPortBits or more when none.
  static int block_bit(const corvel::ground::Image& image, int block, int i);
  void set_supply(Supply s, double volts);
  double supply(Supply s) const { return volts_[static_cast<int>(s)]; }
  // The name of a port bit: the board's pin, else the port and bit (P17).
  std::string bit_name(int bit) const;

 private:
  std::vector<Signal> signals_;
  std::array<int, kPortBits> data_{};
  std::array<int, kPortBits> direction_{};
  std::array<double, 2> volts_{};
  Listener listener_;
};

// P17 for port 1 bit 7: the port of a port-bit code, then its bit.
std::string port_name(int bit);

}  // namespace corvsim
