#include "machine.hpp"

#include "ground/limits.hpp"
#include "output/listing.hpp"

namespace corvsim {

namespace {

using codegen::Element;
using corvel::ground::kHeaderSize;

constexpr long kWordMask = 0xFFFF;

int block_of_register(int code) { return (code - codegen::kPortRegisters[0].code) / 2; }
bool is_direction_register(int code) { return (code - codegen::kPortRegisters[0].code) % 2 == 1; }

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
  return text;
}

bool is_unary(int op) {
  using codegen::Operator;
  for (Operator u : {Operator::Increment, Operator::Decrement, Operator::BitNot, Operator::LogicalNot})
    if (op == static_cast<int>(u)) return true;
  return false;
}

}  // namespace

Machine::Machine(corvel::ground::Image image, const corvel::ground::Board& board, Timeline& timeline, Replies& replies,
                 Limits limits, bool trace)
    : image_(std::move(image)),
      board_(board, [this](int signal, double v) { timeline_.change(time_, signal, v); }),
      timeline_(timeline),
      replies_(replies),
      limits_(limits),
      trace_(trace) {}

int Machine::code(long p) const {
  if (p < 0 || p >= image_.size) throw Stop(at_, "the code runs past the image at offset " + std::to_string(p));
  return image_.bytes[p];
}

long Machine::code_word(long p) const { return code(p) * 256 + code(p + 1); }

int Machine::data(long address) const {
  if (address < 0 || address >= image_.size) throw Stop(at_, "a read outside the image, at address " + std::to_string(address));
  return image_.bytes[address];
}

void Machine::store_data(long address, int byte) {
  if (address < kHeaderSize || address >= image_.size)
    throw Stop(at_, "a write outside the data area, at address " + std::to_string(address));
  image_.bytes[address] = static_cast<std::uint8_t>(byte);
}

// Frame number in the top four bits; the overlay area begins after frame 0.
long Machine::resolve(long address) const {
  int frame = static_cast<int>(address >> 12);
  long offset = address;
  if (frame > 0) {
    const corvel::ground::Frame& f = image_.frames[frame];
    offset = frame < image_.frame_count ? f.start + (address & 0xFFF) - image_.frames[0].size : -1;
    if (offset < f.start || offset >= f.start + f.size) offset = -1;
  }
  if (offset < 0 || offset >= image_.size)
    throw Stop(at_, "a jump outside the image, to address " + std::to_string(address));
  return offset;
}

Operand Machine::decode(long p) const {
  int first = code(p);
  const codegen::ElementDef& d = codegen::element_at(first);
  Operand o{d.element, first, 0, 0, d.length};
  switch (d.element) {
    case Element::Const1: o.address = code(p + 1); break;
    case Element::Const2:
    case Element::Val1:
    case Element::Val2: o.address = code_word(p + 1); break;
    case Element::Array:
    case Element::ArrayW: {
      o.address = code_word(p + 1);
      Operand index = decode(p + 3);
      if (index.element == Element::Array || index.element == Element::ArrayW)
        throw Stop(at_, "an array index that is itself an array element, at offset " + std::to_string(p + 3));
      o.index = value(index);
      o.length += index.length;
      break;
    }
    case Element::Bool:
    case Element::BoolDir:
    case Element::PortRegister: break;
    default: throw Stop(at_, "byte " + std::to_string(first) + " at offset " + std::to_string(p) + " is not an operand");
  }
  return o;
}

long Machine::value(const Operand& o) const {
  switch (o.element) {
    case Element::Bool:
      if (o.first >= kPortBits) throw Stop(at_, "there is no port bit " + std::to_string(o.first));
      return board_.data(o.first);
    case Element::BoolDir:
      if (o.first - codegen::kDirectionOffset >= kPortBits) throw Stop(at_, "there is no port bit " + std::to_string(o.first));
      return board_.direction(o.first - codegen::kDirectionOffset);
    case Element::Const1:
    case Element::Const2: return o.address;
    case Element::Val1: return data(o.address);
    case Element::Val2: return data(o.address) * 256 + data(o.address + 1);
    case Element::Array: return data(o.address + o.index);
    case Element::ArrayW: return data(o.address + 2 * o.index) * 256 + data(o.address + 2 * o.index + 1);
    case Element::PortRegister:
      return board_.block_word(image_, block_of_register(o.first), is_direction_register(o.first));
    default: return 0;
  }
}

void Machine::store(const Operand& o, long v) {
  switch (o.element) {
    case Element::Bool:
      if (o.first >= kPortBits) throw Stop(at_, "there is no port bit " + std::to_string(o.first));
      return write_bit(o.first, v != 0);
    case Element::BoolDir: {
      int bit = o.first - codegen::kDirectionOffset;
      if (bit >= kPortBits) throw Stop(at_, "there is no port bit " + std::to_string(o.first));
      if (board_.direction(bit) != (v != 0)) event(board_.bit_name(bit) + (v ? " output" : " input"));
      return board_.set_direction(bit, v != 0);
    }
    case Element::Val1: return store_data(o.address, static_cast<int>(v & 0xFF));
    case Element::Array: return store_data(o.address + o.index, static_cast<int>(v & 0xFF));
    case Element::Val2:
    case Element::ArrayW: {
      long a = o.element == Element::Val2 ? o.address : o.address + 2 * o.index;
      store_data(a, static_cast<int>((v >> 8) & 0xFF));
      return store_data(a + 1, static_cast<int>(v & 0xFF));
    }
    case Element::PortRegister: return write_block(block_of_register(o.first), is_direction_register(o.first), v);
    default: throw Stop(at_, "a constant cannot be assigned to");
  }
}

// Every operator as the native code computes it, on unsigned 16-bit words.
long Machine::apply(int op, long a, long b, long p) {
  using codegen::Operator;
  switch (static_cast<Operator>(op)) {
    case Operator::BitNot: return ~a & kWordMask;
    case Operator::LogicalNot: return a == 0;
    case Operator::Plus: return (a + b) & kWordMask;
    case Operator::Minus: return (a - b) & kWordMask;
    case Operator::Multiply: return (a * b) & kWordMask;
    case Operator::Divide:
    case Operator::Remainder:
      if (b == 0) throw Stop(p, "division by zero: what the board computes then is not known to this system");
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
      throw Stop(p, "the operator " + std::string(codegen::operator_def(op).listing) +
                        "inside an expression has no meaning this system defines");
  }
}

long Machine::evaluate(long& p, int count) {
  std::vector<long> stack;
  auto pop = [&](long at) {
    if (stack.empty()) throw Stop(at, "an operator without enough values on the expression stack");
    long v = stack.back();
    stack.pop_back();
    return v;
  };
  for (int i = 0; i < count; ++i) {
    int first = code(p);
    codegen::Element e = codegen::element_at(first).element;
    if (e == Element::Operator) {
      int op = first - codegen::kOperatorBase;
      long right = is_unary(op) ? 0 : pop(p);
      stack.push_back(apply(op, pop(p), right, p));
      ++p;
    } else if (e == Element::CallIn) {
      stack.push_back(service(p));
    } else {
      Operand o = decode(p);
      stack.push_back(value(o));
      p += o.length;
    }
    if (static_cast<int>(stack.size()) > limits_.max_stack) throw Stop(p, "the expression stack overflows (" + std::to_string(limits_.max_stack) + " values)");
  }
  if (stack.size() != 1)
    throw Stop(at_, "an expression that leaves " + std::to_string(stack.size()) + " values instead of one");
  return stack.back();
}

void Machine::event(const std::string& text) { timeline_.event(steps_, at_, text); }

// The instruction in the listing's notation, with the items of its expression.
std::string Machine::trace_text(long p) const {
  int length = 0;
  std::string text = corvel::output::element_text(image_, p, length);
  Element e = codegen::element_at(image_.at(p)).element;
  if ((e != Element::Let && e != Element::Judge) || length <= 0) return trimmed(text);
  int count = image_.at(p + length - 1);
  for (long q = p + length; count-- > 0 && length > 0; q += length) text += corvel::output::element_text(image_, q, length);
  return trimmed(text);
}

void Machine::write_bit(int bit, int v) {
  if (board_.data(bit) == v) return;
  board_.set_data(bit, v);
  event(board_.bit_name(bit) + " " + std::to_string(v));
}

// Bit 15 first, in the order of the port's pin list.
void Machine::write_block(int block, bool direction, long word) {
  for (int i = 15; i >= 0; --i) {
    int bit = BoardModel::block_bit(image_, block, i);
    if (bit >= kPortBits) continue;
    int v = (word >> i) & 1;
    if (!direction) write_bit(bit, v);
    else if (board_.direction(bit) != v) event(board_.bit_name(bit) + (v ? " output" : " input")), board_.set_direction(bit, v);
  }
}

void Machine::set_supply(Supply s, double volts) {
  if (board_.supply(s) == volts) return;
  board_.set_supply(s, volts);
  char text[64];
  std::snprintf(text, sizeof text, "%s %.1f V", s == Supply::Vpp ? "Vpp" : "Vcc", volts);
  event(text);
}

void Machine::end(const std::string& why) {
  event(why);
  running_ = false;
}

void Machine::call(long return_to, long target) {
  if (static_cast<int>(returns_.size()) >= limits_.max_depth)
    throw Stop(at_, "calls nest deeper than " + std::to_string(limits_.max_depth));
  returns_.push_back(return_to);
  pc_ = resolve(target);
}

void Machine::step() {
  at_ = pc_;
  int first = code(pc_);
  const codegen::ElementDef& d = codegen::element_at(first);
  if (trace_) timeline_.trace(steps_, pc_, trace_text(pc_));
  switch (d.element) {
    case Element::Let: {
      Operand target = decode(pc_ + 1);
      long p = pc_ + 2 + target.length;
      long v = evaluate(p, code(pc_ + 1 + target.length));
      store(target, v);
      pc_ = p;
      break;
    }
    case Element::Judge: {
      long p = pc_ + 4;
      long v = evaluate(p, code(pc_ + 3));
      pc_ = v == 0 ? resolve(code_word(at_ + 1)) : p;
      break;
    }
    case Element::Goto: pc_ = resolve(code_word(pc_ + 1)); break;
    case Element::Call: call(pc_ + 3, code_word(pc_ + 1)); break;
    case Element::CallIn: service(pc_); break;
    case Element::FuncEnd: returned_ = true; break;
    case Element::ProgEnd: end("end of program"); break;
    default: throw Stop(at_, "byte " + std::to_string(first) + " is not an instruction");
  }
}

void Machine::run() {
  while (running_) {
    if (steps_ >= limits_.max_steps)
      throw Stop(pc_, "the step limit of " + std::to_string(limits_.max_steps) + " steps is reached (--max-steps)");
    step();
    ++steps_;
    ++time_;
    if (!returned_) continue;
    returned_ = false;
    if (returns_.empty()) {
      end("main returns: end of program");
    } else {
      pc_ = returns_.back();
      returns_.pop_back();
    }
  }
}

}  // namespace corvsim
