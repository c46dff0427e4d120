#include "h8/core.hpp"

#include <cstdio>

#include "h8/decode.hpp"

namespace corvsim::h8 {

namespace {

// The processor while it runs one instruction.
struct Cpu {
  Registers& r;
  const Memory& m;
  std::uint32_t at;    // the instruction, for messages
  std::uint32_t next;  // where the run goes on; jumps change it
};

constexpr int bits_of(Size s) { return 8 * static_cast<int>(s); }
constexpr std::uint32_t mask_of(Size s) { return s == Size::L ? 0xFFFFFFFFu : (1u << bits_of(s)) - 1; }
constexpr std::uint32_t sign_of(Size s) { return 1u << (bits_of(s) - 1); }
constexpr Size wider(Size s) { return s == Size::B ? Size::W : Size::L; }

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "H'%X", v);
  return text;
}

// --- Registers by their field in the instruction.

std::uint32_t get(const Registers& r, Size s, int field) {
  int n = field & 7;
  if (s == Size::B) return field < 8 ? r.rh(n) : r.rl(n);
  if (s == Size::W) return field < 8 ? r.r(n) : r.e(n);
  return r.er[n];
}

void put(Registers& r, Size s, int field, std::uint32_t v) {
  int n = field & 7;
  auto byte = static_cast<std::uint8_t>(v);
  auto word = static_cast<std::uint16_t>(v);
  if (s == Size::B) return field < 8 ? r.set_rh(n, byte) : r.set_rl(n, byte);
  if (s == Size::W) return field < 8 ? r.set_r(n, word) : r.set_e(n, word);
  r.er[n] = v;
}

// --- Memory, big-endian.

// Words and longwords lie at even addresses; what the board does with an odd
// one is not this system's to guess.
void check_aligned(const Cpu& c, std::uint32_t address, Size s) {
  if (s == Size::B || !(address & 1)) return;
  std::string what = s == Size::W ? "word" : "longword";
  throw Fault(c.at, "a " + what + " access at the odd address " + hex(address));
}

std::uint32_t load(const Cpu& c, std::uint32_t address, Size s) {
  check_aligned(c, address, s);
  std::uint32_t v = 0;
  for (int k = 0; k < static_cast<int>(s); ++k) v = v << 8 | c.m.read((address + k) & kAddressMask);
  return v;
}

void store(const Cpu& c, std::uint32_t address, Size s, std::uint32_t v) {
  check_aligned(c, address, s);
  int n = static_cast<int>(s);
  for (int k = 0; k < n; ++k)
    c.m.write((address + k) & kAddressMask, static_cast<std::uint8_t>(v >> (8 * (n - 1 - k))));
}

// The operand's address; @ERn+ and @-ERn move ERn by the operand's size.
std::uint32_t address_of(Cpu& c, const Operand& o, Size s) {
  std::uint32_t& base = c.r.er[o.reg & 7];
  switch (o.mode) {
    case Mode::Indirect: return base & kAddressMask;
    case Mode::PostIncrement: {
      std::uint32_t a = base & kAddressMask;
      base += static_cast<std::uint32_t>(s);
      return a;
    }
    case Mode::PreDecrement: return (base -= static_cast<std::uint32_t>(s)) & kAddressMask;
    case Mode::Displacement: return (base + o.value) & kAddressMask;
    default: return o.value;
  }
}

std::uint32_t read(Cpu& c, const Operand& o, Size s) {
  if (o.mode == Mode::Register) return get(c.r, s, o.reg);
  if (o.mode == Mode::Immediate) return o.value & mask_of(s);
  return load(c, address_of(c, o, s), s);
}

void write(Cpu& c, const Operand& o, Size s, std::uint32_t v) {
  if (o.mode == Mode::Register) return put(c.r, s, o.reg, v);
  store(c, address_of(c, o, s), s, v);
}

std::uint32_t source(Cpu& c, const Instruction& i) { return read(c, i.src, i.size); }
std::uint32_t target(Cpu& c, const Instruction& i) { return read(c, i.dst, i.size); }
void result(Cpu& c, const Instruction& i, std::uint32_t v) { write(c, i.dst, i.size, v); }

void push(Cpu& c, std::uint32_t v) {
  c.r.er[7] -= 4;
  store(c, c.r.er[7] & kAddressMask, Size::L, v);
}

std::uint32_t pop(Cpu& c) {
  std::uint32_t v = load(c, c.r.er[7] & kAddressMask, Size::L);
  c.r.er[7] += 4;
  return v;
}

// --- Condition codes.

void set_nz(Registers& r, Size s, std::uint32_t v) {
  r.set_flag(Flag::N, (v & sign_of(s)) != 0);
  r.set_flag(Flag::Z, (v & mask_of(s)) == 0);
}

// MOV and the logical operations: N and Z of the value, V cleared, H and C kept.
void set_logical(Registers& r, Size s, std::uint32_t v) {
  set_nz(r, s, v);
  r.set_flag(Flag::V, false);
}

// H is the carry out of bit 3, 11 or 27: out of the lower nibble of the top byte.
std::uint32_t nibble_mask(Size s) { return mask_of(s) >> 4; }

std::uint32_t add(Registers& r, Size s, std::uint32_t a, std::uint32_t b, std::uint32_t carry) {
  std::uint64_t sum = std::uint64_t{a} + b + carry;
  auto v = static_cast<std::uint32_t>(sum) & mask_of(s);
  std::uint32_t h = nibble_mask(s);
  r.set_flag(Flag::H, (a & h) + (b & h) + carry > h);
  r.set_flag(Flag::V, ((a ^ v) & (b ^ v) & sign_of(s)) != 0);
  r.set_flag(Flag::C, sum > mask_of(s));
  set_nz(r, s, v);
  return v;
}

std::uint32_t subtract(Registers& r, Size s, std::uint32_t a, std::uint32_t b, std::uint32_t borrow) {
  std::uint32_t v = (a - b - borrow) & mask_of(s);
  std::uint32_t h = nibble_mask(s);
  r.set_flag(Flag::H, (b & h) + borrow > (a & h));
  r.set_flag(Flag::V, ((a ^ b) & (a ^ v) & sign_of(s)) != 0);
  r.set_flag(Flag::C, std::uint64_t{b} + borrow > a);
  set_nz(r, s, v);
  return v;
}

// Even conditions are the branches on a truth, odd ones on its negation.
bool holds(const Registers& r, int condition) {
  bool c = r.flag(Flag::C), v = r.flag(Flag::V), z = r.flag(Flag::Z), n = r.flag(Flag::N);
  const bool kinds[8] = {true, !(c || z), !c, !z, !v, !n, n == v, !z && n == v};
  return kinds[condition >> 1] != ((condition & 1) != 0);
}

// --- The operations.

void move(Cpu& c, const Instruction& i) {
  std::uint32_t v = source(c, i);
  result(c, i, v);
  set_logical(c.r, i.size, v);
}

void do_add(Cpu& c, const Instruction& i) { result(c, i, add(c.r, i.size, target(c, i), source(c, i), 0)); }
void do_sub(Cpu& c, const Instruction& i) { result(c, i, subtract(c.r, i.size, target(c, i), source(c, i), 0)); }
void compare(Cpu& c, const Instruction& i) { subtract(c.r, i.size, target(c, i), source(c, i), 0); }
void negate(Cpu& c, const Instruction& i) { result(c, i, subtract(c.r, i.size, 0, target(c, i), 0)); }

// ADDX and SUBX chain bytes into a wider sum: Z is only ever cleared, so that
// after the chain it says whether the whole value is zero.
void with_carry(Cpu& c, const Instruction& i, bool down) {
  bool was_zero = c.r.flag(Flag::Z);
  std::uint32_t carry = c.r.flag(Flag::C) ? 1 : 0;
  std::uint32_t a = target(c, i), b = source(c, i);
  result(c, i, down ? subtract(c.r, i.size, a, b, carry) : add(c.r, i.size, a, b, carry));
  c.r.set_flag(Flag::Z, was_zero && c.r.flag(Flag::Z));
}
void add_extended(Cpu& c, const Instruction& i) { with_carry(c, i, false); }
void sub_extended(Cpu& c, const Instruction& i) { with_carry(c, i, true); }

// ADDS and SUBS step an address register and touch no flag.
void add_address(Cpu& c, const Instruction& i) { c.r.er[i.dst.reg & 7] += i.src.value; }
void sub_address(Cpu& c, const Instruction& i) { c.r.er[i.dst.reg & 7] -= i.src.value; }

// INC and DEC set N, Z and V as the addition would, and keep H and C.
void count(Cpu& c, const Instruction& i, bool down) {
  const auto kept = static_cast<std::uint8_t>(Flag::H) | static_cast<std::uint8_t>(Flag::C);
  std::uint8_t before = c.r.ccr;
  std::uint32_t by = i.src.mode == Mode::Immediate ? i.src.value : 1;  // INC.B has no operand
  std::uint32_t a = target(c, i);
  result(c, i, down ? subtract(c.r, i.size, a, by, 0) : add(c.r, i.size, a, by, 0));
  c.r.ccr = static_cast<std::uint8_t>((c.r.ccr & ~kept) | (before & kept));
}
void increment(Cpu& c, const Instruction& i) { count(c, i, false); }
void decrement(Cpu& c, const Instruction& i) { count(c, i, true); }

template <std::uint32_t (*F)(std::uint32_t, std::uint32_t)>
void logical(Cpu& c, const Instruction& i) {
  std::uint32_t v = F(target(c, i), source(c, i)) & mask_of(i.size);
  set_logical(c.r, i.size, v);
  result(c, i, v);
}
std::uint32_t and_of(std::uint32_t a, std::uint32_t b) { return a & b; }
std::uint32_t or_of(std::uint32_t a, std::uint32_t b) { return a | b; }
std::uint32_t xor_of(std::uint32_t a, std::uint32_t b) { return a ^ b; }

void invert(Cpu& c, const Instruction& i) {
  std::uint32_t v = ~target(c, i) & mask_of(i.size);
  set_logical(c.r, i.size, v);
  result(c, i, v);
}

// EXTU and EXTS widen the lower half of the register to the whole.
void extend(Cpu& c, const Instruction& i, bool sign) {
  Size half = i.size == Size::L ? Size::W : Size::B;
  std::uint32_t v = target(c, i) & mask_of(half);
  if (sign && (v & sign_of(half))) v |= mask_of(i.size) & ~mask_of(half);
  set_logical(c.r, i.size, v);
  result(c, i, v);
}
void extend_unsigned(Cpu& c, const Instruction& i) { extend(c, i, false); }
void extend_signed(Cpu& c, const Instruction& i) { extend(c, i, true); }

// MULXU.B: RdL x Rs into Rd; MULXU.W: Rd x Rs into ERd. No flag changes.
void multiply(Cpu& c, const Instruction& i) {
  Size wide = wider(i.size);
  std::uint32_t a = get(c.r, wide, i.dst.reg) & mask_of(i.size);
  put(c.r, wide, i.dst.reg, a * get(c.r, i.size, i.src.reg));
}

// DIVXU.B: Rd / Rs, the quotient into RdL and the remainder into RdH;
// DIVXU.W: ERd / Rs into Rd and Ed. N is the divisor's sign bit, Z says it is zero.
void divide(Cpu& c, const Instruction& i) {
  Size wide = wider(i.size);
  std::uint32_t divisor = get(c.r, i.size, i.src.reg);
  if (divisor == 0) throw Fault(c.at, "division by zero: what the board computes then is not known to this system");
  std::uint32_t dividend = get(c.r, wide, i.dst.reg);
  std::uint32_t quotient = dividend / divisor;
  if (quotient > mask_of(i.size))
    throw Fault(c.at, "a quotient wider than " + std::to_string(bits_of(i.size)) +
                          " bits: what the board computes then is not known to this system");
  put(c.r, wide, i.dst.reg, (dividend % divisor) << bits_of(i.size) | quotient);
  c.r.set_flag(Flag::N, (divisor & sign_of(i.size)) != 0);
  c.r.set_flag(Flag::Z, false);
}

// One bit shifted or rotated: the value before masking, and the bit that left into C.
struct Shifted {
  std::uint32_t value;
  bool carry;
  bool overflow = false;  // SHAL only: the sign changed
};

template <Shifted (*F)(std::uint32_t v, std::uint32_t sign, bool carry)>
void shift(Cpu& c, const Instruction& i) {
  Shifted s = F(target(c, i), sign_of(i.size), c.r.flag(Flag::C));
  std::uint32_t v = s.value & mask_of(i.size);
  set_nz(c.r, i.size, v);
  c.r.set_flag(Flag::V, s.overflow);
  c.r.set_flag(Flag::C, s.carry);
  result(c, i, v);
}

Shifted shll(std::uint32_t v, std::uint32_t sign, bool) { return {v << 1, (v & sign) != 0}; }
Shifted shal(std::uint32_t v, std::uint32_t sign, bool) {
  return {v << 1, (v & sign) != 0, ((v ^ v << 1) & sign) != 0};
}
Shifted shlr(std::uint32_t v, std::uint32_t, bool) { return {v >> 1, (v & 1) != 0}; }
Shifted shar(std::uint32_t v, std::uint32_t sign, bool) { return {v >> 1 | (v & sign), (v & 1) != 0}; }
Shifted rotl(std::uint32_t v, std::uint32_t sign, bool) { return {v << 1 | ((v & sign) ? 1 : 0), (v & sign) != 0}; }
Shifted rotr(std::uint32_t v, std::uint32_t sign, bool) { return {v >> 1 | ((v & 1) ? sign : 0), (v & 1) != 0}; }
Shifted rotxl(std::uint32_t v, std::uint32_t sign, bool carry) { return {v << 1 | (carry ? 1 : 0), (v & sign) != 0}; }
Shifted rotxr(std::uint32_t v, std::uint32_t sign, bool carry) { return {v >> 1 | (carry ? sign : 0), (v & 1) != 0}; }

std::uint32_t destination(const Cpu& c, const Instruction& i) {
  return i.dst.mode == Mode::Indirect ? c.r.er[i.dst.reg] & kAddressMask : i.dst.value;
}

void branch(Cpu& c, const Instruction& i) {
  if (holds(c.r, i.condition)) c.next = i.dst.value;
}
void jump(Cpu& c, const Instruction& i) { c.next = destination(c, i); }
// JSR and BSR push the return address as a longword: advanced mode.
void call(Cpu& c, const Instruction& i) {
  push(c, c.next);
  c.next = destination(c, i);
}
void return_(Cpu& c, const Instruction&) { c.next = pop(c) & kAddressMask; }
void nothing(Cpu&, const Instruction&) {}

void and_ccr(Cpu& c, const Instruction& i) { c.r.ccr &= static_cast<std::uint8_t>(i.src.value); }
void or_ccr(Cpu& c, const Instruction& i) { c.r.ccr |= static_cast<std::uint8_t>(i.src.value); }
void xor_ccr(Cpu& c, const Instruction& i) { c.r.ccr ^= static_cast<std::uint8_t>(i.src.value); }
void load_ccr(Cpu& c, const Instruction& i) { c.r.ccr = static_cast<std::uint8_t>(read(c, i.src, Size::B)); }
void store_ccr(Cpu& c, const Instruction& i) { put(c.r, Size::B, i.dst.reg, c.r.ccr); }

using Action = void (*)(Cpu&, const Instruction&);

struct Run {
  Op op;
  Action action;
};

constexpr Run kRuns[] = {
    {Op::Mov, move},
    {Op::Add, do_add},
    {Op::Adds, add_address},
    {Op::Addx, add_extended},
    {Op::Sub, do_sub},
    {Op::Subs, sub_address},
    {Op::Subx, sub_extended},
    {Op::Cmp, compare},
    {Op::Inc, increment},
    {Op::Dec, decrement},
    {Op::Neg, negate},
    {Op::And, logical<and_of>},
    {Op::Or, logical<or_of>},
    {Op::Xor, logical<xor_of>},
    {Op::Not, invert},
    {Op::Extu, extend_unsigned},
    {Op::Exts, extend_signed},
    {Op::Mulxu, multiply},
    {Op::Divxu, divide},
    {Op::Shll, shift<shll>},
    {Op::Shlr, shift<shlr>},
    {Op::Shal, shift<shal>},
    {Op::Shar, shift<shar>},
    {Op::Rotl, shift<rotl>},
    {Op::Rotr, shift<rotr>},
    {Op::Rotxl, shift<rotxl>},
    {Op::Rotxr, shift<rotxr>},
    {Op::Bcc, branch},
    {Op::Bsr, call},
    {Op::Jmp, jump},
    {Op::Jsr, call},
    {Op::Rts, return_},
    {Op::Nop, nothing},
    {Op::Andc, and_ccr},
    {Op::Orc, or_ccr},
    {Op::Xorc, xor_ccr},
    {Op::Ldc, load_ccr},
    {Op::Stc, store_ccr},
};

constexpr bool runs_in_op_order() {
  for (int k = 0; k < static_cast<int>(std::size(kRuns)); ++k)
    if (static_cast<int>(kRuns[k].op) != k) return false;
  return std::size(kRuns) == kOpCount;
}
static_assert(runs_in_op_order(), "one row per operation, in the order of Op");

}  // namespace

void step(Registers& registers, const Memory& memory) {
  Instruction i = decode(registers.pc, memory);
  Cpu c{registers, memory, registers.pc, (registers.pc + i.length) & kAddressMask};
  kRuns[static_cast<int>(i.op)].action(c, i);
  registers.pc = c.next;
}

void return_from_call(Registers& registers, const Memory& memory) {
  Cpu c{registers, memory, registers.pc, registers.pc};
  registers.pc = pop(c) & kAddressMask;
}

}  // namespace corvsim::h8
