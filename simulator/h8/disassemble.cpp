// One instruction in the board assembler's notation, for --trace.
#include <cstdio>

#include "h8/core.hpp"
#include "h8/decode.hpp"

namespace corvsim::h8 {

namespace {

struct Name {
  Op op;
  const char* text;
  bool sized;  // written with .B, .W or .L
};

constexpr Name kNames[] = {
    {Op::Mov, "MOV", true},     {Op::Add, "ADD", true},     {Op::Adds, "ADDS", false},  {Op::Addx, "ADDX", false},
    {Op::Sub, "SUB", true},     {Op::Subs, "SUBS", false},  {Op::Subx, "SUBX", false},  {Op::Cmp, "CMP", true},
    {Op::Inc, "INC", true},     {Op::Dec, "DEC", true},     {Op::Neg, "NEG", true},     {Op::And, "AND", true},
    {Op::Or, "OR", true},       {Op::Xor, "XOR", true},     {Op::Not, "NOT", true},     {Op::Extu, "EXTU", true},
    {Op::Exts, "EXTS", true},   {Op::Mulxu, "MULXU", true}, {Op::Divxu, "DIVXU", true}, {Op::Shll, "SHLL", true},
    {Op::Shlr, "SHLR", true},   {Op::Shal, "SHAL", true},   {Op::Shar, "SHAR", true},   {Op::Rotl, "ROTL", true},
    {Op::Rotr, "ROTR", true},   {Op::Rotxl, "ROTXL", true}, {Op::Rotxr, "ROTXR", true}, {Op::Bcc, "B", false},
    {Op::Bsr, "BSR", false},    {Op::Jmp, "JMP", false},    {Op::Jsr, "JSR", false},    {Op::Rts, "RTS", false},
    {Op::Nop, "NOP", false},    {Op::Andc, "ANDC", false},  {Op::Orc, "ORC", false},    {Op::Xorc, "XORC", false},
    {Op::Ldc, "LDC", false},    {Op::Stc, "STC", false},
};

constexpr bool names_in_op_order() {
  for (int k = 0; k < static_cast<int>(std::size(kNames)); ++k)
    if (static_cast<int>(kNames[k].op) != k) return false;
  return std::size(kNames) == kOpCount;
}
static_assert(names_in_op_order(), "one row per operation, in the order of Op");

constexpr const char* kConditions[16] = {"RA", "RN", "HI", "LS", "CC", "CS", "NE", "EQ",
                                         "VC", "VS", "PL", "MI", "GE", "LT", "GT", "LE"};

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "H'%X", v);
  return text;
}

std::string register_name(Size s, int field) {
  std::string n = std::to_string(field & 7);
  if (s == Size::L) return "ER" + n;
  if (s == Size::W) return (field < 8 ? "R" : "E") + n;
  return "R" + n + (field < 8 ? "H" : "L");
}

// As encoded: a 16-bit address or displacement shows its 16 bits.
std::string sized_number(const Operand& o) {
  std::uint32_t mask = o.bits >= 24 ? kAddressMask : (1u << o.bits) - 1;
  return hex(o.value & mask) + ":" + std::to_string(o.bits);
}

std::string operand_text(const Operand& o, Size s) {
  std::string er = "ER" + std::to_string(o.reg & 7);
  switch (o.mode) {
    case Mode::Register: return register_name(s, o.reg);
    case Mode::Immediate: return "#" + hex(o.value);
    case Mode::Indirect: return "@" + er;
    case Mode::PostIncrement: return "@" + er + "+";
    case Mode::PreDecrement: return "@-" + er;
    case Mode::Displacement: return "@(" + sized_number(o) + "," + er + ")";
    case Mode::Absolute: return "@" + sized_number(o);
    case Mode::Target: return hex(o.value) + ":" + std::to_string(o.bits);  // the address, not the displacement
    case Mode::None: break;
  }
  return "";
}

// MULXU and DIVXU take a register of twice the size as their destination;
// the CCR moves take bytes.
Size destination_size(const Instruction& i) {
  if (i.op == Op::Mulxu || i.op == Op::Divxu) return i.size == Size::B ? Size::W : Size::L;
  return i.op == Op::Stc ? Size::B : i.size;
}

std::string mnemonic(const Instruction& i, const Name& name) {
  if (i.op == Op::Bcc) return name.text + std::string(kConditions[i.condition]);
  if (!name.sized) return name.text;
  return name.text + std::string(i.size == Size::B ? ".B" : i.size == Size::W ? ".W" : ".L");
}

// The CCR is the destination of ANDC, ORC, XORC and LDC, the source of STC.
std::string operands_text(const Instruction& i) {
  bool to_ccr = i.op == Op::Andc || i.op == Op::Orc || i.op == Op::Xorc || i.op == Op::Ldc;
  std::string src = i.op == Op::Stc ? "CCR" : operand_text(i.src, i.size);
  std::string dst = to_ccr ? "CCR" : operand_text(i.dst, destination_size(i));
  if (src.empty() || dst.empty()) return src + dst;
  return src + "," + dst;
}

}  // namespace

Disassembly disassemble(std::uint32_t address, const Memory& memory) {
  Instruction i = decode(address, memory);
  const Name& name = kNames[static_cast<int>(i.op)];
  std::string operands = operands_text(i);
  return {operands.empty() ? mnemonic(i, name) : mnemonic(i, name) + " " + operands, i.length};
}

}  // namespace corvsim::h8
