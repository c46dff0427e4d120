#include "native.hpp"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "codegen/intermediate_code.hpp"
#include "ground/limits.hpp"

namespace corvsim {

namespace {

using codegen::Operator;
using corvel::ground::kNativeBase;

// The stack lies apart from the image, so that no program can overwrite
// its own code through it; the firmware's return address marks its bottom.
constexpr std::uint32_t kStackTop = 0x200000;
constexpr std::uint32_t kStackSize = 0x10000;
constexpr std::uint32_t kStackBottom = kStackTop - kStackSize;
constexpr std::uint32_t kBackToFirmware = 0xFFFF00;  // where main returns to
constexpr std::size_t kLongestString = 4096;

// The runtime routines the native code calls for operators: R0 op R1 into R0.
struct OperatorRoutine {
  const char* name;
  Operator op;
};
constexpr OperatorRoutine kOperatorRoutines[] = {
    {"H8_M_NOT", Operator::LogicalNot},     {"H8_M_MOD", Operator::Remainder}, {"H8_M_NEQ", Operator::NotEqual},
    {"H8_M_GEQ", Operator::GreaterEqual},   {"H8_M_GTR", Operator::Greater},   {"H8_M_CMP", Operator::Equal},
    {"H8_M_SHIFTL", Operator::ShiftLeft},   {"H8_M_SHIFTR", Operator::ShiftRight},
};

std::string hex(std::uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "H'%X", address);
  return text;
}

// The argument registers in parameter order.
long argument_register(const h8::Registers& r, std::size_t i) {
  return i < 4 ? r.r(static_cast<int>(2 + i)) : r.e(static_cast<int>(2 + (i - 4) % 2));
}

// An address the code passes in 16 bits, as an offset into the image.
long image_offset_of(long address16) { return (address16 - (kNativeBase & 0xFFFF)) & 0xFFFF; }

const codegen::Builtin* builtin_named(const std::string& name) {
  for (const codegen::Builtin& b : codegen::kBuiltins)
    if (name == b.name) return &b;
  return nullptr;
}

}  // namespace

void place_native_image(corvel::ground::Image& image) {
  long end = 0;
  for (int i = 0; i < corvel::ground::kMaxFrames; ++i) {
    corvel::ground::Frame& f = image.frames[i];
    f.start = i > 0 && f.size == 0 ? 0 : image_offset_of(f.start);
    end = std::max(end, f.start + f.size);
  }
  image.size = static_cast<int>(std::min<long>(end, corvel::ground::kImageCapacity));
}

NativeMachine::NativeMachine(Model& model, const Entries& entries, bool trace)
    : m_(model), entries_(entries), trace_(trace), stack_(kStackSize) {
  memory_.read = [this](std::uint32_t a) { return read(a); };
  memory_.write = [this](std::uint32_t a, std::uint8_t b) { write(a, b); };
  regs_.er[7] = kStackTop - 4;
  for (int i = 0; i < 4; ++i) write(kStackTop - 4 + i, static_cast<std::uint8_t>(kBackToFirmware >> (24 - 8 * i)));
  regs_.pc = kNativeBase + corvel::ground::kEntryByte;
}

bool NativeMachine::in_image(std::uint32_t address) const {
  return address >= kNativeBase && address < kNativeBase + static_cast<std::uint32_t>(m_.image().size);
}

std::uint8_t NativeMachine::read(std::uint32_t address) const {
  if (in_image(address)) return static_cast<std::uint8_t>(m_.data(address - kNativeBase));
  if (address >= kStackBottom && address < kStackTop) return stack_[address - kStackBottom];
  if (address >= kStackTop && address < kStackTop + 64)
    throw Stop(m_.at, "a pop from the empty stack: the code takes more values than it pushed");
  throw Stop(m_.at, "a read outside memory, at address " + hex(address));
}

void NativeMachine::write(std::uint32_t address, std::uint8_t byte) {
  if (in_image(address)) return m_.store_data(address - kNativeBase, byte);
  if (address >= kStackBottom && address < kStackTop) {
    stack_[address - kStackBottom] = byte;
    return;
  }
  if (address < kStackBottom && address + 64 >= kStackBottom)
    throw Stop(m_.at, "the stack overflows its " + std::to_string(kStackSize) + " bytes");
  throw Stop(m_.at, "a write outside memory, at address " + hex(address));
}

void NativeMachine::step() {
  m_.at = regs_.pc - kNativeBase;
  try {
    if (trace_) m_.timeline().trace(m_.steps, m_.at, h8::disassemble(regs_.pc, memory_).text);
    h8::step(regs_, memory_);
  } catch (const h8::Fault& f) {
    throw Stop(static_cast<long>(f.address) - static_cast<long>(kNativeBase), f.what());
  }
}

void NativeMachine::back_to_caller() {
  try {
    h8::return_from_call(regs_, memory_);
  } catch (const h8::Fault& f) {
    throw Stop(m_.at, f.what());
  }
}

std::string NativeMachine::string_at(std::uint32_t address) const {
  std::string text;
  for (std::uint8_t c; (c = read(address++)) != 0;) {
    if (text.size() >= kLongestString) throw Stop(m_.at, "a string without its end byte in " + std::to_string(kLongestString) + " bytes");
    text.push_back(static_cast<char>(c));
  }
  return text;
}

// A string from ER2; a port code from a register's low byte; addresses as offsets into the image.
std::vector<ServiceArgument> NativeMachine::arguments(const codegen::Builtin& b) const {
  std::vector<ServiceArgument> args;
  std::string_view letters = codegen::parameter_letters(b);
  for (std::size_t i = 0; i < letters.size(); ++i) {
    ServiceArgument a;
    a.letter = letters[i];
    a.is_string = a.letter == 'S';
    if (a.is_string) a.text = string_at(regs_.er[2]);
    long v = argument_register(regs_, i);
    a.value = a.letter == 'C' ? v & 0xFF : passes_address(b, i) ? image_offset_of(v) : v;
    args.push_back(a);
  }
  return args;
}

void NativeMachine::service(const codegen::Builtin& b) {
  long result = call_service(m_, b, arguments(b));
  if (codegen::result_letter(b) != ' ') regs_.set_r(0, static_cast<std::uint16_t>(result));
  if (m_.running) back_to_caller();
}

// ER2 holds the frame number in bits 20 to 23 and the place in the overlay
// area below them; the frame's code runs where the image holds it.
void NativeMachine::overlay() {
  const corvel::ground::Image& image = m_.image();
  std::uint32_t target = regs_.er[2];
  int frame = static_cast<int>((target >> 20) & 0xF);
  long place = static_cast<long>(target & 0xFFFFF) - static_cast<long>(kNativeBase);
  long offset = place;
  if (frame > 0) {
    const corvel::ground::Frame& f = image.frames[frame];
    offset = frame < image.frame_count ? f.start + place - image.frames[1].start : -1;
    if (offset < f.start || offset >= f.start + f.size) offset = -1;
  }
  if (offset < 0 || offset >= image.size) throw Stop(m_.at, "an overlay call outside the image, to " + hex(target));
  regs_.pc = static_cast<std::uint32_t>(kNativeBase + offset);
}

void NativeMachine::get_data() {
  regs_.set_r(0, static_cast<std::uint16_t>(m_.port(regs_.rl(0))));
  back_to_caller();
}

void NativeMachine::set_data() {
  m_.set_port(regs_.rl(1), regs_.r(0));
  back_to_caller();
}

void NativeMachine::operator_routine(int op) {
  regs_.set_r(0, static_cast<std::uint16_t>(operate(op, regs_.r(0), regs_.r(1), m_.at)));
  back_to_caller();
}

// A firmware entry reached by JSR (a routine, which returns) or by JMP (USERRET).
void NativeMachine::enter(const std::string& name) {
  if (name == "fGetData") return get_data();
  if (name == "fSetData") return set_data();
  if (name == "fOverlay") return overlay();
  if (name == "USERRET") return service(*builtin_named("exit"));
  for (const OperatorRoutine& r : kOperatorRoutines)
    if (name == r.name) return operator_routine(static_cast<int>(r.op));
  const codegen::Builtin* b = name.size() > 1 && name[0] == 'f' ? builtin_named(name.substr(1)) : nullptr;
  if (!b) throw Stop(m_.at, "a call of the firmware's " + name + ", which this system does not model");
  service(*b);
}

void NativeMachine::run() {
  while (m_.running) {
    if (m_.steps >= m_.limits().max_steps)
      throw Stop(m_.at, "the step limit of " + std::to_string(m_.limits().max_steps) + " steps is reached (--max-steps)");
    std::uint32_t pc = regs_.pc;
    if (in_image(pc)) {
      step();
    } else if (auto entry = entries_.find(pc); entry != entries_.end()) {
      enter(entry->second);
    } else if (pc == kBackToFirmware) {
      m_.end("main returns: end of program");
    } else {
      throw Stop(m_.at, "a jump outside the image, to address " + hex(pc));
    }
    ++m_.steps;
    ++m_.time;
  }
}

}  // namespace corvsim
