#include "h8/decode.hpp"

#include <cstdio>

namespace corvsim::h8 {

namespace {

// The instruction's bytes, read as they are needed: a two-byte instruction
// at the end of memory must not read past it.
class Bytes {
 public:
  Bytes(const Memory& memory, std::uint32_t at) : memory_(memory), at_(at) {}
  std::uint8_t operator[](int i) const { return memory_.read((at_ + i) & kAddressMask); }
  std::uint16_t word(int i) const { return static_cast<std::uint16_t>((*this)[i] << 8 | (*this)[i + 1]); }
  std::uint32_t longword(int i) const { return std::uint32_t{word(i)} << 16 | word(i + 2); }
  std::uint32_t at() const { return at_; }
  Bytes after(int n) const { return Bytes(memory_, (at_ + n) & kAddressMask); }

 private:
  const Memory& memory_;
  std::uint32_t at_;
};

using Fields = void (*)(const Bytes&, Instruction&);

std::uint32_t sign_extend8(std::uint32_t v) { return static_cast<std::uint32_t>(static_cast<std::int8_t>(v)); }
std::uint32_t sign_extend16(std::uint32_t v) { return static_cast<std::uint32_t>(static_cast<std::int16_t>(v)); }

Operand reg(int field) { return {Mode::Register, static_cast<std::uint8_t>(field & 15)}; }
Operand immediate(std::uint32_t v) { return {Mode::Immediate, 0, 0, v}; }
// The address register of a memory operand: bits 4-6 of the second byte.
std::uint8_t base(std::uint8_t byte) { return static_cast<std::uint8_t>((byte >> 4) & 7); }

// --- Where the operands stand in the bytes; each sets the length too.

void none(const Bytes&, Instruction& i) { i.length = 2; }
void reg_reg(const Bytes& b, Instruction& i) { i.src = reg(b[1] >> 4), i.dst = reg(b[1]), i.length = 2; }
void one_reg(const Bytes& b, Instruction& i) { i.dst = reg(b[1]), i.length = 2; }
void from_reg(const Bytes& b, Instruction& i) { i.src = reg(b[1]), i.length = 2; }
void imm8_reg(const Bytes& b, Instruction& i) { i.src = immediate(b[1]), i.dst = reg(b[0]), i.length = 2; }
void imm16_reg(const Bytes& b, Instruction& i) { i.src = immediate(b.word(2)), i.dst = reg(b[1]), i.length = 4; }
void imm32_reg(const Bytes& b, Instruction& i) { i.src = immediate(b.longword(2)), i.dst = reg(b[1]), i.length = 6; }
void imm8(const Bytes& b, Instruction& i) { i.src = immediate(b[1]), i.length = 2; }

// ADDS, SUBS, INC.W/L and DEC.W/L: the high nibble of the second byte gives
// the amount: 0, 5, 7 add 1; 8, D, F add 2; 9 adds 4.
void amount_reg(const Bytes& b, Instruction& i) {
  int high = b[1] >> 4;
  i.src = immediate(high == 9 ? 4 : (high & 8) ? 2 : 1);
  i.dst = reg(b[1]);
  i.length = 2;
}

// Bit 7 of the second byte: 1 stores the register to memory, 0 loads it.
void place(Instruction& i, Operand memory, std::uint8_t second, int length) {
  bool store = (second & 0x80) != 0;
  i.src = store ? reg(second) : memory;
  i.dst = store ? memory : reg(second);
  i.length = static_cast<std::uint8_t>(length);
}

void at_register(const Bytes& b, Instruction& i) { place(i, {Mode::Indirect, base(b[1])}, b[1], 2); }
void stack(const Bytes& b, Instruction& i) {
  place(i, {(b[1] & 0x80) ? Mode::PreDecrement : Mode::PostIncrement, base(b[1])}, b[1], 2);
}
void displacement16(const Bytes& b, Instruction& i) {
  place(i, {Mode::Displacement, base(b[1]), 16, sign_extend16(b.word(2))}, b[1], 4);
}
// @aa:16 reaches the lowest and the highest 32 KB: it is sign-extended.
void absolute16(const Bytes& b, Instruction& i) {
  place(i, {Mode::Absolute, 0, 16, sign_extend16(b.word(2)) & kAddressMask}, b[1], 4);
}
// The address takes four bytes, of which the processor uses the lower 24 bits.
void absolute24(const Bytes& b, Instruction& i) {
  place(i, {Mode::Absolute, 0, 24, b.longword(2) & kAddressMask}, b[1], 6);
}
// @aa:8 is the last 256 bytes of the address space, where the I/O registers lie.
void absolute8_load(const Bytes& b, Instruction& i) {
  i.src = {Mode::Absolute, 0, 8, 0xFFFF00u | b[1]}, i.dst = reg(b[0]), i.length = 2;
}
void absolute8_store(const Bytes& b, Instruction& i) {
  i.src = reg(b[0]), i.dst = {Mode::Absolute, 0, 8, 0xFFFF00u | b[1]}, i.length = 2;
}

// Displacements count from the next instruction.
Operand target(const Bytes& b, std::uint32_t displacement, int length, int bits) {
  return {Mode::Target, 0, static_cast<std::uint8_t>(bits), (b.at() + length + displacement) & kAddressMask};
}
void branch8(const Bytes& b, Instruction& i) {
  i.condition = b[0] & 15, i.dst = target(b, sign_extend8(b[1]), 2, 8), i.length = 2;
}
void branch16(const Bytes& b, Instruction& i) {
  i.condition = b[1] >> 4, i.dst = target(b, sign_extend16(b.word(2)), 4, 16), i.length = 4;
}
void jump_register(const Bytes& b, Instruction& i) { i.dst = {Mode::Indirect, base(b[1])}, i.length = 2; }
void jump_absolute(const Bytes& b, Instruction& i) {
  i.dst = {Mode::Absolute, 0, 24, b.longword(0) & kAddressMask}, i.length = 4;
}

// --- The table.

// Prefixes a form takes: 01 00 makes a MOV.W to or from memory MOV.L; 01 F0
// makes AND.W, OR.W, XOR.W of registers the .L ones; 78 r0 turns @aa:24
// into @(d:24,ERr).
constexpr std::uint8_t kLong = 1, kLogic = 2, kBased = 4;

}  // namespace

struct Form {
  std::uint16_t mask, value;  // over the first two bytes
  Op op;
  Size size;
  Fields fields;
  std::uint8_t prefixes = 0;
};

namespace {

constexpr Size B = Size::B, W = Size::W, L = Size::L;

// Where each form comes from: c = corvel's native output (codegen), r = a
// replacement line of rewriter/rules/corvel.rul, a = what the assembler makes
// of corvel's text when the address is a number below H'8000 (an #asm line),
// n = a neighbour that an #asm block may use.
constexpr Form kForms[] = {
    {0xFF00, 0x0C00, Op::Mov, B, reg_reg},                         // n  MOV.B Rs,Rd
    {0xFF00, 0x0D00, Op::Mov, W, reg_reg},                         // cr MOV.W R0,R1
    {0xFF88, 0x0F80, Op::Mov, L, reg_reg},                         // n  MOV.L ERs,ERd
    {0xF000, 0xF000, Op::Mov, B, imm8_reg},                        // c  MOV.B #xx,R0L
    {0xFFF0, 0x7900, Op::Mov, W, imm16_reg},                       // cr MOV.W #xx,R0 / E2
    {0xFFF8, 0x7A00, Op::Mov, L, imm32_reg},                       // c  MOV.L #xx:32,ER1
    {0xFF00, 0x6800, Op::Mov, B, at_register},                     // c  MOV.B @ER1,R0L / R0L,@ER1
    {0xFF00, 0x6900, Op::Mov, W, at_register, kLong},              // c  MOV.W @ER1,R0 / R0,@ER1
    {0xFF00, 0x6C00, Op::Mov, B, stack},                           // n  MOV.B @ERs+,Rd / Rs,@-ERd
    {0xFF00, 0x6D00, Op::Mov, W, stack, kLong},                    // cr POP.W R0 / PUSH.W R0
    {0xFF00, 0x6E00, Op::Mov, B, displacement16},                  // n  MOV.B @(d:16,ERs)
    {0xFF00, 0x6F00, Op::Mov, W, displacement16, kLong},           // n  MOV.W @(d:16,ERs)
    {0xFF70, 0x6A00, Op::Mov, B, absolute16},                      // a  MOV.B @aa:16
    {0xFF70, 0x6B00, Op::Mov, W, absolute16, kLong},               // a  MOV.W @aa:16
    {0xFF70, 0x6A20, Op::Mov, B, absolute24, kBased},              // c  MOV.B @_x,R0L / R0L,@_x
    {0xFF70, 0x6B20, Op::Mov, W, absolute24, kLong | kBased},      // c  MOV.W @_x,R0 / R0,@_x
    {0xF000, 0x2000, Op::Mov, B, absolute8_load},                  // n  MOV.B @aa:8,Rd
    {0xF000, 0x3000, Op::Mov, B, absolute8_store},                 // n  MOV.B Rs,@aa:8
    {0xF000, 0x8000, Op::Add, B, imm8_reg},                        // n  ADD.B #xx,Rd
    {0xFF00, 0x0800, Op::Add, B, reg_reg},                         // n  ADD.B Rs,Rd
    {0xFF00, 0x0900, Op::Add, W, reg_reg},                         // c  ADD.W R1,R0
    {0xFFF0, 0x7910, Op::Add, W, imm16_reg},                       // r  ADD.W #xx,R0
    {0xFF88, 0x0A80, Op::Add, L, reg_reg},                         // c  ADD.L ER0,ER1
    {0xFFF8, 0x7A10, Op::Add, L, imm32_reg},                       // n  ADD.L #xx,ERd
    {0xFFF8, 0x0B00, Op::Adds, L, amount_reg},                     // n  ADDS #1,ERd
    {0xFFF8, 0x0B80, Op::Adds, L, amount_reg},                     // n  ADDS #2,ERd
    {0xFFF8, 0x0B90, Op::Adds, L, amount_reg},                     // n  ADDS #4,ERd
    {0xF000, 0x9000, Op::Addx, B, imm8_reg},                       // n  ADDX #xx,Rd
    {0xFF00, 0x0E00, Op::Addx, B, reg_reg},                        // n  ADDX Rs,Rd
    {0xFF00, 0x1800, Op::Sub, B, reg_reg},                         // n  SUB.B Rs,Rd
    {0xFF00, 0x1900, Op::Sub, W, reg_reg},                         // c  SUB.W R1,R0
    {0xFFF0, 0x7930, Op::Sub, W, imm16_reg},                       // n  SUB.W #xx,Rd
    {0xFF88, 0x1A80, Op::Sub, L, reg_reg},                         // n  SUB.L ERs,ERd
    {0xFFF8, 0x7A30, Op::Sub, L, imm32_reg},                       // n  SUB.L #xx,ERd
    {0xFFF8, 0x1B00, Op::Subs, L, amount_reg},                     // n  SUBS #1,ERd
    {0xFFF8, 0x1B80, Op::Subs, L, amount_reg},                     // n  SUBS #2,ERd
    {0xFFF8, 0x1B90, Op::Subs, L, amount_reg},                     // n  SUBS #4,ERd
    {0xF000, 0xB000, Op::Subx, B, imm8_reg},                       // n  SUBX #xx,Rd
    {0xFF00, 0x1E00, Op::Subx, B, reg_reg},                        // n  SUBX Rs,Rd
    {0xF000, 0xA000, Op::Cmp, B, imm8_reg},                        // n  CMP.B #xx,Rd
    {0xFF00, 0x1C00, Op::Cmp, B, reg_reg},                         // n  CMP.B Rs,Rd
    {0xFF00, 0x1D00, Op::Cmp, W, reg_reg},                         // n  CMP.W Rs,Rd
    {0xFFF0, 0x7920, Op::Cmp, W, imm16_reg},                       // n  CMP.W #xx,Rd
    {0xFF88, 0x1F80, Op::Cmp, L, reg_reg},                         // n  CMP.L ERs,ERd
    {0xFFF8, 0x7A20, Op::Cmp, L, imm32_reg},                       // n  CMP.L #xx,ERd
    {0xFFF0, 0x0A00, Op::Inc, B, one_reg},                         // c  INC.B R2L
    {0xFFF0, 0x0B50, Op::Inc, W, amount_reg},                      // c  INC.W #1,R2
    {0xFFF0, 0x0BD0, Op::Inc, W, amount_reg},                      // n  INC.W #2,Rd
    {0xFFF8, 0x0B70, Op::Inc, L, amount_reg},                      // n  INC.L #1,ERd
    {0xFFF8, 0x0BF0, Op::Inc, L, amount_reg},                      // n  INC.L #2,ERd
    {0xFFF0, 0x1A00, Op::Dec, B, one_reg},                         // c  DEC.B R2L
    {0xFFF0, 0x1B50, Op::Dec, W, amount_reg},                      // c  DEC.W #1,R2
    {0xFFF0, 0x1BD0, Op::Dec, W, amount_reg},                      // n  DEC.W #2,Rd
    {0xFFF8, 0x1B70, Op::Dec, L, amount_reg},                      // n  DEC.L #1,ERd
    {0xFFF8, 0x1BF0, Op::Dec, L, amount_reg},                      // n  DEC.L #2,ERd
    {0xFFF0, 0x1780, Op::Neg, B, one_reg},                         // n  NEG.B Rd
    {0xFFF0, 0x1790, Op::Neg, W, one_reg},                         // n  NEG.W Rd
    {0xFFF8, 0x17B0, Op::Neg, L, one_reg},                         // n  NEG.L ERd
    {0xF000, 0xE000, Op::And, B, imm8_reg},                        // n  AND.B #xx,Rd
    {0xFF00, 0x1600, Op::And, B, reg_reg},                         // n  AND.B Rs,Rd
    {0xFF00, 0x6600, Op::And, W, reg_reg, kLogic},                 // c  AND.W R1,R0 / R0,R0
    {0xFFF0, 0x7960, Op::And, W, imm16_reg},                       // r  AND.W #xx,R0
    {0xFFF8, 0x7A60, Op::And, L, imm32_reg},                       // n  AND.L #xx,ERd
    {0xF000, 0xC000, Op::Or, B, imm8_reg},                         // n  OR.B #xx,Rd
    {0xFF00, 0x1400, Op::Or, B, reg_reg},                          // n  OR.B Rs,Rd
    {0xFF00, 0x6400, Op::Or, W, reg_reg, kLogic},                  // c  OR.W R1,R0 / E0,R0
    {0xFFF0, 0x7940, Op::Or, W, imm16_reg},                        // r  OR.W #xx,R0
    {0xFFF8, 0x7A40, Op::Or, L, imm32_reg},                        // n  OR.L #xx,ERd
    {0xF000, 0xD000, Op::Xor, B, imm8_reg},                        // n  XOR.B #xx,Rd
    {0xFF00, 0x1500, Op::Xor, B, reg_reg},                         // c  XOR.B R0H,R0H
    {0xFF00, 0x6500, Op::Xor, W, reg_reg, kLogic},                 // cr XOR.W E0,E0 / R0,R0
    {0xFFF0, 0x7950, Op::Xor, W, imm16_reg},                       // n  XOR.W #xx,Rd
    {0xFFF8, 0x7A50, Op::Xor, L, imm32_reg},                       // n  XOR.L #xx,ERd
    {0xFFF0, 0x1700, Op::Not, B, one_reg},                         // n  NOT.B Rd
    {0xFFF0, 0x1710, Op::Not, W, one_reg},                         // c  NOT.W R0
    {0xFFF8, 0x1730, Op::Not, L, one_reg},                         // n  NOT.L ERd
    {0xFFF0, 0x1750, Op::Extu, W, one_reg},                        // r  EXTU.W R0
    {0xFFF8, 0x1770, Op::Extu, L, one_reg},                        // n  EXTU.L ERd
    {0xFFF0, 0x17D0, Op::Exts, W, one_reg},                        // n  EXTS.W Rd
    {0xFFF8, 0x17F0, Op::Exts, L, one_reg},                        // n  EXTS.L ERd
    {0xFF00, 0x5000, Op::Mulxu, B, reg_reg},                       // n  MULXU.B Rs,Rd
    {0xFF08, 0x5200, Op::Mulxu, W, reg_reg},                       // c  MULXU.W R1,ER0
    {0xFF00, 0x5100, Op::Divxu, B, reg_reg},                       // n  DIVXU.B Rs,Rd
    {0xFF08, 0x5300, Op::Divxu, W, reg_reg},                       // c  DIVXU.W R1,ER0
    {0xFFF0, 0x1000, Op::Shll, B, one_reg},                        // n  SHLL.B Rd
    {0xFFF0, 0x1010, Op::Shll, W, one_reg},                        // c  SHLL.W R0
    {0xFFF8, 0x1030, Op::Shll, L, one_reg},                        // n  SHLL.L ERd
    {0xFFF0, 0x1100, Op::Shlr, B, one_reg},                        // n  SHLR.B Rd
    {0xFFF0, 0x1110, Op::Shlr, W, one_reg},                        // n  SHLR.W Rd
    {0xFFF8, 0x1130, Op::Shlr, L, one_reg},                        // n  SHLR.L ERd
    {0xFFF0, 0x1080, Op::Shal, B, one_reg},                        // n  SHAL.B Rd
    {0xFFF0, 0x1090, Op::Shal, W, one_reg},                        // n  SHAL.W Rd
    {0xFFF8, 0x10B0, Op::Shal, L, one_reg},                        // n  SHAL.L ERd
    {0xFFF0, 0x1180, Op::Shar, B, one_reg},                        // n  SHAR.B Rd
    {0xFFF0, 0x1190, Op::Shar, W, one_reg},                        // n  SHAR.W Rd
    {0xFFF8, 0x11B0, Op::Shar, L, one_reg},                        // n  SHAR.L ERd
    {0xFFF0, 0x1280, Op::Rotl, B, one_reg},                        // n  ROTL.B Rd
    {0xFFF0, 0x1290, Op::Rotl, W, one_reg},                        // n  ROTL.W Rd
    {0xFFF8, 0x12B0, Op::Rotl, L, one_reg},                        // n  ROTL.L ERd
    {0xFFF0, 0x1380, Op::Rotr, B, one_reg},                        // n  ROTR.B Rd
    {0xFFF0, 0x1390, Op::Rotr, W, one_reg},                        // n  ROTR.W Rd
    {0xFFF8, 0x13B0, Op::Rotr, L, one_reg},                        // n  ROTR.L ERd
    {0xFFF0, 0x1200, Op::Rotxl, B, one_reg},                       // n  ROTXL.B Rd
    {0xFFF0, 0x1210, Op::Rotxl, W, one_reg},                       // n  ROTXL.W Rd
    {0xFFF8, 0x1230, Op::Rotxl, L, one_reg},                       // n  ROTXL.L ERd
    {0xFFF0, 0x1300, Op::Rotxr, B, one_reg},                       // n  ROTXR.B Rd
    {0xFFF0, 0x1310, Op::Rotxr, W, one_reg},                       // n  ROTXR.W Rd
    {0xFFF8, 0x1330, Op::Rotxr, L, one_reg},                       // n  ROTXR.L ERd
    {0xF000, 0x4000, Op::Bcc, B, branch8},                         // n  Bcc d:8 (a label without :16)
    {0xFF0F, 0x5800, Op::Bcc, B, branch16},                        // c  BRA/BEQ/BNE d:16
    {0xFF00, 0x5500, Op::Bsr, B, branch8},                         // n  BSR d:8
    {0xFFFF, 0x5C00, Op::Bsr, B, branch16},                        // n  BSR d:16
    {0xFF8F, 0x5900, Op::Jmp, B, jump_register},                   // n  JMP @ERn
    {0xFF00, 0x5A00, Op::Jmp, B, jump_absolute},                   // c  JMP @_main:24, @USERRET:24
    {0xFF8F, 0x5D00, Op::Jsr, B, jump_register},                   // n  JSR @ERn
    {0xFF00, 0x5E00, Op::Jsr, B, jump_absolute},                   // c  JSR @fGetData:24, @_f, @fOverlay
    {0xFFFF, 0x5470, Op::Rts, B, none},                            // c  RTS
    {0xFFFF, 0x0000, Op::Nop, B, none},                            // n  NOP
    {0xFF00, 0x0600, Op::Andc, B, imm8},                           // n  ANDC #xx,CCR
    {0xFF00, 0x0400, Op::Orc, B, imm8},                            // n  ORC #xx,CCR
    {0xFF00, 0x0500, Op::Xorc, B, imm8},                           // n  XORC #xx,CCR
    {0xFF00, 0x0700, Op::Ldc, B, imm8},                            // n  LDC #xx,CCR
    {0xFFF0, 0x0300, Op::Ldc, B, from_reg},                        // n  LDC Rs,CCR
    {0xFFF0, 0x0200, Op::Stc, B, one_reg},                         // n  STC CCR,Rd
};

constexpr int kFormCount = static_cast<int>(std::size(kForms));
static_assert(kFormCount < 256, "rows are indexed by a byte");

// The rows that may match each first byte, so that a step tries a few rows, not all.
struct Candidates {
  std::uint8_t rows[12]{};
  std::uint8_t count = 0;
};

constexpr std::array<Candidates, 256> make_index() {
  std::array<Candidates, 256> index{};
  for (int first = 0; first < 256; ++first) {
    for (int row = 0; row < kFormCount; ++row) {
      if (((first << 8) & kForms[row].mask) != (kForms[row].value & kForms[row].mask & 0xFF00)) continue;
      Candidates& c = index[first];
      if (c.count == std::size(c.rows)) throw "more rows share a first byte than Candidates holds";
      c.rows[c.count++] = static_cast<std::uint8_t>(row);
    }
  }
  return index;
}

constexpr std::array<Candidates, 256> kIndex = make_index();

// The instruction after its prefixes, if its form takes them all; else one
// whose form is null. The operands are read only then, so that no byte
// beyond a shorter instruction is read.
Instruction plain(const Bytes& b, std::uint8_t prefixes) {
  std::uint16_t opcode = b.word(0);
  const Candidates& c = kIndex[opcode >> 8];
  for (int k = 0; k < c.count; ++k) {
    const Form& f = kForms[c.rows[k]];
    if ((opcode & f.mask) != f.value) continue;
    if ((f.prefixes & prefixes) != prefixes) return {};
    Instruction i;
    i.form = &f, i.op = f.op, i.size = f.size;
    f.fields(b, i);
    return i;
  }
  return {};
}

// 78 r0 before a MOV @aa:24: the address becomes a displacement from ERr.
// In a longword store the assembler sets bit 7 of r0 as well.
Instruction based_or_plain(const Bytes& b, std::uint8_t prefixes) {
  if (b[0] != 0x78) return plain(b, prefixes);
  if ((b[1] & 0x0F) != 0) return {};
  Instruction i = plain(b.after(2), prefixes | kBased);
  bool long_store = (prefixes & kLong) && i.dst.mode == Mode::Absolute;
  if (!i.form || ((b[1] & 0x80) != 0) != long_store) return {};
  Operand& memory = i.dst.mode == Mode::Absolute ? i.dst : i.src;
  memory.mode = Mode::Displacement;
  memory.reg = base(b[1]);
  i.length += 2;
  return i;
}

// A longword register operand is ER0-ER7: register fields of 8 and above name none.
bool long_registers(const Instruction& i) {
  for (const Operand* o : {&i.src, &i.dst})
    if (o->mode == Mode::Register && o->reg >= 8) return false;
  return true;
}

// 01 00 and 01 F0 make the word form that follows a longword one.
Instruction widened(const Bytes& b) {
  std::uint8_t prefix = b[1] == 0x00 ? kLong : b[1] == 0xF0 ? kLogic : 0;
  if (!prefix) return {};
  Instruction i = prefix == kLong ? based_or_plain(b.after(2), kLong) : plain(b.after(2), kLogic);
  if (!i.form || !long_registers(i)) return {};
  i.size = Size::L;
  i.length += 2;
  return i;
}

std::string hex(std::uint32_t v, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "H'%0*X", digits, v);
  return text;
}

[[noreturn]] void unknown(const Bytes& b) {
  bool prefixed = b[0] == 0x01 || b[0] == 0x78;
  std::string bytes = prefixed ? hex(b.longword(0), 8) : hex(b.word(0), 4);
  throw Fault(b.at(), "an instruction this simulator does not know: " + bytes + " at " + hex(b.at(), 1));
}

}  // namespace

Instruction decode(std::uint32_t address, const Memory& memory) {
  Bytes b(memory, address & kAddressMask);
  // Instructions lie at even addresses; an odd pc is a jump into data.
  if (address & 1) throw Fault(address, "an instruction at the odd address " + hex(address, 1));
  Instruction i = b[0] == 0x01 ? widened(b) : based_or_plain(b, 0);
  if (!i.form) unknown(b);
  return i;
}

}  // namespace corvsim::h8
