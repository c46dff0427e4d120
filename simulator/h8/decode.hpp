// An instruction as its bytes decode: the operation, the operand size and
// the operands. Shared by the execution and the disassembly.
#pragma once

#include <cstdint>

#include "h8/core.hpp"

namespace corvsim::h8 {

inline constexpr std::uint32_t kAddressMask = 0xFFFFFF;

enum class Size : std::uint8_t { B = 1, W = 2, L = 4 };  // the value's bytes

enum class Op : std::uint8_t {
  Mov, Add, Adds, Addx, Sub, Subs, Subx, Cmp, Inc, Dec, Neg,
  And, Or, Xor, Not, Extu, Exts, Mulxu, Divxu,
  Shll, Shlr, Shal, Shar, Rotl, Rotr, Rotxl, Rotxr,
  Bcc, Bsr, Jmp, Jsr, Rts, Nop, Andc, Orc, Xorc, Ldc, Stc,
};
inline constexpr int kOpCount = static_cast<int>(Op::Stc) + 1;

enum class Mode : std::uint8_t {
  None,
  Register,       // the register field as encoded: bytes 0-7 RnH, 8-15 RnL; words 0-7 Rn, 8-15 En; ERn n & 7
  Immediate,      // value
  Indirect,       // @ERn
  PostIncrement,  // @ERn+
  PreDecrement,   // @-ERn
  Displacement,   // @(value,ERn), value already sign-extended to 32 bits
  Absolute,       // @value, a 24-bit address
  Target,         // a branch's destination, a 24-bit address
};

struct Operand {
  Mode mode = Mode::None;
  std::uint8_t reg = 0;
  std::uint8_t bits = 0;  // of the address or displacement as encoded (8, 16, 24)
  std::uint32_t value = 0;
};

struct Form;

struct Instruction {
  const Form* form = nullptr;  // the table's row; null for bytes it does not know
  Op op = Op::Nop;
  Size size = Size::B;
  Operand src, dst;            // an operation on one operand has it in dst
  std::uint8_t condition = 0;  // of Bcc: 0 BRA ... 15 BLE
  std::uint8_t length = 0;
};

// The instruction at `address`; throws Fault for bytes outside the table or an odd address.
Instruction decode(std::uint32_t address, const Memory& memory);

}  // namespace corvsim::h8
