#include "board_model.hpp"

#include "ground/limits.hpp"

namespace corvsim {

namespace {

using corvel::ground::Board;
using corvel::ground::Image;

constexpr const char* kPortLetters = "1234568AB";

struct PinTableName {
  corvel::ground::PinTable table;
  const char* prefix;
};

constexpr PinTableName kPinTables[] = {{corvel::ground::kBoardPins, "pin"},
                                       {corvel::ground::kVppPins, "Vpp"},
                                       {corvel::ground::kVccPins, "Vcc"},
                                       {corvel::ground::kGndPins, "GND"}};

// The byte of the pin map that holds bit `i` (0..15) of a block word.
int map_byte(const Image& image, int block, int i) {
  return image.at(block * corvel::ground::kPortBlockSize + corvel::ground::kPinMapOffset + 15 - i);
}

}  // namespace

std::string port_name(int bit) { return std::string("P") + kPortLetters[bit / 8] + std::to_string(bit % 8); }

BoardModel::BoardModel(const Board& board, Listener listener) : listener_(std::move(listener)) {
  for (const PinTableName& t : kPinTables)
    for (int n = 1; n < corvel::ground::kPinTableSize; ++n)
      if (int code = board.pins[t.table][n]; code < kPortBits) signals_.push_back({t.prefix + std::to_string(n), code});
  signals_.push_back({"Vpp", -1});
  signals_.push_back({"Vcc", -1});
}

void BoardModel::set_data(int bit, int value) {
  value = value ? 1 : 0;
  if (data_[bit] == value) return;
  data_[bit] = value;
  for (size_t s = 0; s < signals_.size(); ++s)
    if (signals_[s].port_bit == bit) listener_(static_cast<int>(s), value);
}

long BoardModel::block_word(const Image& image, int block, bool direction) const {
  long word = 0;
  for (int i = 0; i < 16; ++i) {
    int bit = map_byte(image, block, i);
    if (bit < kPortBits && (direction ? direction_[bit] : data_[bit])) word |= 1L << i;
  }
  return word;
}

int BoardModel::block_bit(const Image& image, int block, int i) { return map_byte(image, block, i); }

void BoardModel::set_supply(Supply s, double volts) {
  if (volts_[static_cast<int>(s)] == volts) return;
  volts_[static_cast<int>(s)] = volts;
  listener_(static_cast<int>(signals_.size()) - 2 + static_cast<int>(s), volts);
}

std::string BoardModel::bit_name(int bit) const {
  for (const Signal& s : signals_)
    if (s.port_bit == bit) return s.name;
  return port_name(bit);
}

}  // namespace corvsim
