#include "model.hpp"

#include <iterator>

#include "codegen/intermediate_code.hpp"
#include "ground/limits.hpp"

namespace corvsim {

namespace {

constexpr long kWordMask = 0xFFFF;

void check_bit(int bit, long at) {
  if (bit < 0 || bit >= kPortBits) throw Stop(at, "there is no port bit " + std::to_string(bit));
}

int block_of_register(int code) { return (code - codegen::kPortRegisters[0].code) / 2; }
bool is_direction_register(int code) { return (code - codegen::kPortRegisters[0].code) % 2 == 1; }
bool is_register(int code) {
  return code >= codegen::kPortRegisters[0].code && code < codegen::kPortRegisters[0].code + static_cast<int>(std::size(codegen::kPortRegisters));
}

}  // namespace

Model::Model(corvel::ground::Image image, const corvel::ground::Board& board, Timeline& timeline, Replies& replies,
             Limits limits)
    : image_(std::move(image)),
      board_(board, [this](int signal, double v) { timeline_.change(time, signal, v); }),
      timeline_(timeline),
      replies_(replies),
      limits_(limits) {}

int Model::data(long offset) const {
  if (offset < 0 || offset >= image_.size) throw Stop(at, "a read outside the image, at address " + std::to_string(offset));
  return image_.bytes[offset];
}

void Model::store_data(long offset, int byte) {
  if (offset < corvel::ground::kHeaderSize || offset >= image_.size)
    throw Stop(at, "a write outside the data area, at address " + std::to_string(offset));
  image_.bytes[offset] = static_cast<std::uint8_t>(byte);
}

int Model::bit(int bit) const {
  check_bit(bit, at);
  return board_.data(bit);
}

void Model::write_bit(int bit, int value) {
  check_bit(bit, at);
  value = value != 0;
  if (board_.data(bit) == value) return;
  board_.set_data(bit, value);
  event(board_.bit_name(bit) + " " + std::to_string(value));
  canonical("pin " + board_.bit_name(bit) + " " + std::to_string(value));
}

void Model::write_direction(int bit, int value) {
  check_bit(bit, at);
  value = value != 0;
  if (board_.direction(bit) == value) return;
  board_.set_direction(bit, value);
  event(board_.bit_name(bit) + (value ? " output" : " input"));
}

// Bit 15 first, in the order of the port's pin list.
void Model::write_block(int block, bool direction, long word) {
  for (int i = 15; i >= 0; --i) {
    int bit = BoardModel::block_bit(image_, block, i);
    if (bit >= kPortBits) continue;
    if (direction) write_direction(bit, (word >> i) & 1);
    else write_bit(bit, (word >> i) & 1);
  }
}

long Model::port(int code) const {
  if (is_register(code)) return block_word(block_of_register(code), is_direction_register(code));
  if (code >= codegen::kDirectionOffset) {
    check_bit(code - codegen::kDirectionOffset, at);
    return direction(code - codegen::kDirectionOffset);
  }
  return bit(code);
}

void Model::set_port(int code, long value) {
  if (is_register(code)) return write_block(block_of_register(code), is_direction_register(code), value);
  if (code >= codegen::kDirectionOffset) return write_direction(code - codegen::kDirectionOffset, value != 0);
  write_bit(code, value != 0);
}

void Model::set_supply(Supply s, int tenths) {
  if (board_.supply(s) == tenths / 10.0) return;
  board_.set_supply(s, tenths / 10.0);
  const char* name = s == Supply::Vpp ? "Vpp" : "Vcc";
  char text[64];
  std::snprintf(text, sizeof text, "%s %.1f V", name, tenths / 10.0);
  event(text);
  canonical(std::string(name) + " " + std::to_string(tenths));
}

// The firmware waits a time this system does not know: a marked gap.
void Model::wait(const std::string& service) {
  timeline_.gap(time, limits_.wait_gap, service);
  time += limits_.wait_gap;
}

void Model::end(const std::string& why) {
  event(why);
  running = false;
}

long operate(int op, long a, long b, long at) {
  using codegen::Operator;
  switch (static_cast<Operator>(op)) {
    case Operator::BitNot: return ~a & kWordMask;
    case Operator::LogicalNot: return a == 0;
    case Operator::Plus: return (a + b) & kWordMask;
    case Operator::Minus: return (a - b) & kWordMask;
    case Operator::Multiply: return (a * b) & kWordMask;
    case Operator::Divide:
    case Operator::Remainder:
      if (b == 0) throw Stop(at, "division by zero: what the board computes then is not known to this system");
      return static_cast<Operator>(op) == Operator::Divide ? a / b : a % b;
    case Operator::NotEqual: return a != b;
    case Operator::GreaterEqual: return a >= b;
    case Operator::Greater: return a > b;
    case Operator::LessEqual: return a <= b;
    case Operator::Less: return a < b;
    case Operator::Equal: return a == b;
    case Operator::ShiftLeft: return b >= 16 ? 0 : (a << b) & kWordMask;
    case Operator::ShiftRight: return b >= 16 ? 0 : a >> b;
    // Both operands multiplied into 32 bits, the halves ORed: non-zero when both are.
    case Operator::LogicalAnd: return (((a * b) >> 16) | (a * b)) & kWordMask;
    case Operator::BitAnd: return a & b;
    case Operator::LogicalOr:
    case Operator::BitOr: return a | b;
    default:
      throw Stop(at, "the operator " + std::string(codegen::operator_def(op).listing) +
                         "inside an expression has no meaning this system defines");
  }
}

}  // namespace corvsim
