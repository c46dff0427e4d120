// An H8/300H processor in advanced mode (24-bit addresses, ER7 the stack
// pointer): its registers, its condition codes and one instruction at a
// time, over memory that the caller provides. It knows nothing of the board
// or its firmware. The instructions it knows are the table in decode.cpp;
// any other stops the run.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace corvsim::h8 {

// The bits of the condition-code register.
enum class Flag : std::uint8_t { C = 0x01, V = 0x02, Z = 0x04, N = 0x08, U = 0x10, H = 0x20, UI = 0x40, I = 0x80 };

struct Registers {
  std::array<std::uint32_t, 8> er{};
  std::uint32_t pc = 0;
  std::uint8_t ccr = 0;

  // Rn is the lower half of ERn and En the upper; RnH and RnL are the bytes of Rn.
  std::uint16_t r(int n) const { return static_cast<std::uint16_t>(er[n]); }
  std::uint16_t e(int n) const { return static_cast<std::uint16_t>(er[n] >> 16); }
  std::uint8_t rh(int n) const { return static_cast<std::uint8_t>(er[n] >> 8); }
  std::uint8_t rl(int n) const { return static_cast<std::uint8_t>(er[n]); }
  void set_r(int n, std::uint16_t v) { er[n] = (er[n] & 0xFFFF0000u) | v; }
  void set_e(int n, std::uint16_t v) { er[n] = (er[n] & 0x0000FFFFu) | std::uint32_t{v} << 16; }
  void set_rh(int n, std::uint8_t v) { er[n] = (er[n] & 0xFFFF00FFu) | std::uint32_t{v} << 8; }
  void set_rl(int n, std::uint8_t v) { er[n] = (er[n] & 0xFFFFFF00u) | v; }

  bool flag(Flag f) const { return (ccr & static_cast<std::uint8_t>(f)) != 0; }
  void set_flag(Flag f, bool on) {
    auto bit = static_cast<std::uint8_t>(f);
    ccr = static_cast<std::uint8_t>(on ? ccr | bit : ccr & ~bit);
  }
};

// One byte at a 24-bit address. Either callback may throw to refuse an
// access; the exception reaches the caller of step unchanged.
struct Memory {
  std::function<std::uint8_t(std::uint32_t address)> read;
  std::function<void(std::uint32_t address, std::uint8_t byte)> write;
};

// What the processor cannot run: the address of the instruction, and why.
struct Fault : std::runtime_error {
  Fault(std::uint32_t at, const std::string& why) : std::runtime_error(why), address(at) {}
  std::uint32_t address;
};

// Runs the instruction at pc. Throws Fault, with pc left at the instruction,
// for an opcode outside the table, an odd pc, a word or longword access at
// an odd address, a division by zero and a quotient too wide for its register.
void step(Registers& registers, const Memory& memory);

// What RTS does: pops the 32-bit return address into pc. For a caller that
// stands in for a routine the program calls.
void return_from_call(Registers& registers, const Memory& memory);

struct Disassembly {
  std::string text;  // in the board assembler's notation: "MOV.W @ER7+,R0"
  int length;        // bytes
};

// The instruction at `address`; throws Fault as step does for what it cannot decode.
Disassembly disassemble(std::uint32_t address, const Memory& memory);

}  // namespace corvsim::h8
