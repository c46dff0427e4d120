// The H8/300H core run on the bytes the GNU assembler makes of each line
// (h8300-hms-as in .h8300h mode, linked at kCode; pasted here so that the
// tests need no tools). Expected values and flags follow the processor's
// instruction set, worked out by hand on edge values; the last test checks,
// when the assembler is installed, that the pasted bytes are still what it
// makes and that the core decodes each line to its length.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "h8/core.hpp"
#include "support/temp_dir.hpp"

namespace {

using namespace corvsim::h8;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t C = 0x01, V = 0x02, Z = 0x04, N = 0x08, H = 0x20;
constexpr std::uint32_t kCode = 0x10000;  // where each case's bytes lie
constexpr std::uint32_t kStack = 0xFFF00;

// Bytes that were put there; reading any other address throws out_of_range,
// so a core that reads past an instruction or beside its operand fails.
struct Ram {
  std::map<std::uint32_t, std::uint8_t> bytes;
  Memory memory = {[this](std::uint32_t a) { return bytes.at(a); },
                   [this](std::uint32_t a, std::uint8_t b) { bytes[a] = b; }};
  void put(std::uint32_t at, const Bytes& b) {
    for (std::uint8_t byte : b) bytes[at++] = byte;
  }
  void put_long(std::uint32_t at, std::uint32_t v) { put(at, {Bytes::value_type(v >> 24), Bytes::value_type(v >> 16), Bytes::value_type(v >> 8), Bytes::value_type(v)}); }
  std::uint32_t long_at(std::uint32_t at) const {
    return bytes.at(at) << 24 | bytes.at(at + 1) << 16 | bytes.at(at + 2) << 8 | bytes.at(at + 3);
  }
};

// The bytes of a line of the tables below.
Bytes bytes_of(const std::string& line);

// One instruction on ER0 and ER1: values before, values after.
struct Case {
  const char* line;
  Bytes bytes;
  std::uint32_t er0, er1;
  std::uint8_t ccr;
  std::uint32_t want_er0, want_er1;
  std::uint8_t want_ccr;
};

const Case kRegisterCases[] = {
    {"mov.b r1l,r0h", {0x0C, 0x90}, 0x11223344, 0x80, Z | C, 0x11228044, 0x80, N | C},
    {"mov.w r1,e0", {0x0D, 0x18}, 0x11223344, 0, V | C, 0x3344, 0, Z | C},
    {"mov.l er1,er0", {0x0F, 0x90}, 0, 0x80000000, V, 0x80000000, 0x80000000, N},
    {"mov.b #0x7f,r0l", {0xF8, 0x7F}, 0xFFFFFFFF, 0, N | Z | V, 0xFFFFFF7F, 0, 0},
    {"mov.w #0x8000,r0", {0x79, 0x00, 0x80, 0x00}, 0x12345678, 0, 0, 0x12348000, 0, N},
    {"mov.w #0x1234,e0", {0x79, 0x08, 0x12, 0x34}, 0x5678, 0, Z, 0x12345678, 0, 0},
    {"mov.l #0xfefea,er1", {0x7A, 0x01, 0x00, 0x0F, 0xEF, 0xEA}, 0, 0, Z, 0, 0xFEFEA, 0},
    {"add.b #0x01,r0l", {0x88, 0x01}, 0x7F, 0, 0, 0x80, 0, H | N | V},
    {"add.b #0x01,r0l", {0x88, 0x01}, 0xFF, 0, 0, 0, 0, H | Z | C},
    {"add.b r1h,r0l", {0x08, 0x18}, 0x80, 0x8000, 0, 0, 0x8000, Z | V | C},
    {"add.w r1,r0", {0x09, 0x10}, 0x7FFF, 1, 0, 0x8000, 1, H | N | V},
    {"add.w r1,r0", {0x09, 0x10}, 0xAAAAFFFF, 1, 0, 0xAAAA0000, 1, H | Z | C},
    {"add.w #0x1234,r0", {0x79, 0x10, 0x12, 0x34}, 0xEDCC, 0, 0, 0, 0, H | Z | C},
    {"add.l er0,er1", {0x0A, 0x81}, 1, 0x7FFFFFFF, 0, 1, 0x80000000, H | N | V},
    {"add.l er0,er1", {0x0A, 0x81}, 1, 0xFFFFFFFF, 0, 1, 0, H | Z | C},
    {"add.l #0x12345678,er0", {0x7A, 0x10, 0x12, 0x34, 0x56, 0x78}, 8, 0, Z, 0x12345680, 0, 0},
    {"adds #1,er0", {0x0B, 0x00}, 0xFFFFFFFF, 0, N, 0, 0, N},
    {"adds #2,er0", {0x0B, 0x80}, 0xFFFF, 0, 0, 0x10001, 0, 0},
    {"adds #4,er0", {0x0B, 0x90}, 0xFFFFFC, 0, 0, 0x1000000, 0, 0},
    {"addx #0x01,r0l", {0x98, 0x01}, 0xFE, 0, Z | C, 0, 0, H | Z | C},
    {"addx r1l,r0l", {0x0E, 0x98}, 0, 0, 0, 0, 0, 0},
    {"sub.b r1l,r0l", {0x18, 0x98}, 0x80, 1, 0, 0x7F, 1, H | V},
    {"sub.w r1,r0", {0x19, 0x10}, 0, 1, 0, 0xFFFF, 1, H | N | C},
    {"sub.w r1,r0", {0x19, 0x10}, 0x8000, 1, 0, 0x7FFF, 1, H | V},
    {"sub.w r1,r0", {0x19, 0x10}, 0x1234, 0x1234, 0, 0, 0x1234, Z},
    {"sub.w #0x0001,r0", {0x79, 0x30, 0x00, 0x01}, 0x1000, 0, 0, 0x0FFF, 0, H},
    {"sub.l er1,er0", {0x1A, 0x90}, 0x80000000, 1, 0, 0x7FFFFFFF, 1, H | V},
    {"sub.l er1,er0", {0x1A, 0x90}, 0, 1, 0, 0xFFFFFFFF, 1, H | N | C},
    {"sub.l #0x12345678,er0", {0x7A, 0x30, 0x12, 0x34, 0x56, 0x78}, 0x12345678, 0, 0, 0, 0, Z},
    {"subs #1,er0", {0x1B, 0x00}, 0, 0, Z, 0xFFFFFFFF, 0, Z},
    {"subs #2,er0", {0x1B, 0x80}, 0x10000, 0, 0, 0xFFFE, 0, 0},
    {"subs #4,er0", {0x1B, 0x90}, 4, 0, 0, 0, 0, 0},
    {"subx #0x01,r0l", {0xB8, 0x01}, 0, 0, C, 0xFE, 0, H | N | C},
    {"subx r1l,r0l", {0x1E, 0x98}, 5, 4, Z | C, 0, 4, Z},
    {"cmp.b #0x80,r0l", {0xA8, 0x80}, 0x7F, 0, 0, 0x7F, 0, N | V | C},
    {"cmp.b r1l,r0l", {0x1C, 0x98}, 0x42, 0x42, 0, 0x42, 0x42, Z},
    {"cmp.w r1,r0", {0x1D, 0x10}, 0x8000, 0x7FFF, 0, 0x8000, 0x7FFF, H | V},
    {"cmp.w #0xffff,r0", {0x79, 0x20, 0xFF, 0xFF}, 0, 0, 0, 0, 0, H | C},
    {"cmp.l er1,er0", {0x1F, 0x90}, 1, 2, 0, 1, 2, H | N | C},
    {"cmp.l #0x80000000,er0", {0x7A, 0x20, 0x80, 0x00, 0x00, 0x00}, 0x80000000, 0, 0, 0x80000000, 0, Z},
    {"inc.b r0l", {0x0A, 0x08}, 0x7F, 0, C, 0x80, 0, N | V | C},
    {"inc.b r0l", {0x0A, 0x08}, 0xFF, 0, H, 0, 0, H | Z},
    {"inc.w #1,r0", {0x0B, 0x50}, 0x7FFF, 0, 0, 0x8000, 0, N | V},
    {"inc.w #2,r0", {0x0B, 0xD0}, 0xFFFF, 0, C, 1, 0, C},
    {"inc.l #1,er0", {0x0B, 0x70}, 0xFFFFFFFF, 0, 0, 0, 0, Z},
    {"inc.l #2,er0", {0x0B, 0xF0}, 0x7FFFFFFE, 0, 0, 0x80000000, 0, N | V},
    {"dec.b r0l", {0x1A, 0x08}, 0x80, 0, 0, 0x7F, 0, V},
    {"dec.b r0l", {0x1A, 0x08}, 0, 0, 0, 0xFF, 0, N},
    {"dec.w #1,r0", {0x1B, 0x50}, 1, 0, 0, 0, 0, Z},
    {"dec.w #2,r0", {0x1B, 0xD0}, 0x8001, 0, 0, 0x7FFF, 0, V},
    {"dec.l #1,er0", {0x1B, 0x70}, 0, 0, 0, 0xFFFFFFFF, 0, N},
    {"dec.l #2,er0", {0x1B, 0xF0}, 0x80000000, 0, 0, 0x7FFFFFFE, 0, V},
    {"neg.b r0l", {0x17, 0x88}, 0x80, 0, 0, 0x80, 0, N | V | C},
    {"neg.b r0l", {0x17, 0x88}, 0, 0, 0, 0, 0, Z},
    {"neg.w r0", {0x17, 0x90}, 1, 0, 0, 0xFFFF, 0, H | N | C},
    {"neg.l er0", {0x17, 0xB0}, 0x80000000, 0, 0, 0x80000000, 0, N | V | C},
    {"and.b #0x0f,r0l", {0xE8, 0x0F}, 0xF0, 0, V | C, 0, 0, Z | C},
    {"and.b r1l,r0l", {0x16, 0x98}, 0xFF, 0x80, 0, 0x80, 0x80, N},
    {"and.w r1,r0", {0x66, 0x10}, 0xFFFF, 0x8001, C, 0x8001, 0x8001, N | C},
    {"and.w #0x00ff,r0", {0x79, 0x60, 0x00, 0xFF}, 0x1234, 0, 0, 0x34, 0, 0},
    {"and.l er1,er0", {0x01, 0xF0, 0x66, 0x10}, 0xFFFF0000, 0xFFFF, 0, 0, 0xFFFF, Z},
    {"and.l #0x80000000,er0", {0x7A, 0x60, 0x80, 0x00, 0x00, 0x00}, 0xFFFFFFFF, 0, 0, 0x80000000, 0, N},
    {"or.b #0x80,r0l", {0xC8, 0x80}, 1, 0, 0, 0x81, 0, N},
    {"or.b r1l,r0l", {0x14, 0x98}, 0, 0, V, 0, 0, Z},
    {"or.w r1,r0", {0x64, 0x10}, 1, 0x8000, 0, 0x8001, 0x8000, N},
    {"or.w e0,r0", {0x64, 0x80}, 0x12340000, 0, Z, 0x12341234, 0, 0},
    {"or.w #0x8000,r0", {0x79, 0x40, 0x80, 0x00}, 0, 0, 0, 0x8000, 0, N},
    {"or.l er1,er0", {0x01, 0xF0, 0x64, 0x10}, 0x80000000, 1, 0, 0x80000001, 1, N},
    {"or.l #0x00000001,er0", {0x7A, 0x40, 0x00, 0x00, 0x00, 0x01}, 0, 0, 0, 1, 0, 0},
    {"xor.b r0h,r0h", {0x15, 0x00}, 0x1234, 0, C, 0x34, 0, Z | C},
    {"xor.b #0xff,r0l", {0xD8, 0xFF}, 0x7F, 0, 0, 0x80, 0, N},
    {"xor.w e0,e0", {0x65, 0x88}, 0xFFFF1234, 0, 0, 0x1234, 0, Z},
    {"xor.w r0,r0", {0x65, 0x00}, 0x5678, 0, N, 0, 0, Z},
    {"xor.w #0xffff,r0", {0x79, 0x50, 0xFF, 0xFF}, 0x00FF, 0, 0, 0xFF00, 0, N},
    {"xor.l er1,er0", {0x01, 0xF0, 0x65, 0x10}, 0xF0F0F0F0, 0xF0F0F0F0, 0, 0, 0xF0F0F0F0, Z},
    {"xor.l #0x80000000,er0", {0x7A, 0x50, 0x80, 0x00, 0x00, 0x00}, 0, 0, 0, 0x80000000, 0, N},
    {"not.b r0l", {0x17, 0x08}, 0x7F, 0, 0, 0x80, 0, N},
    {"not.w r0", {0x17, 0x10}, 0xFFFF, 0, V | C, 0, 0, Z | C},
    {"not.l er0", {0x17, 0x30}, 0, 0, 0, 0xFFFFFFFF, 0, N},
    {"extu.w r0", {0x17, 0x50}, 0x1234FF80, 0, N, 0x12340080, 0, 0},
    {"extu.w r0", {0x17, 0x50}, 0xFF00, 0, 0, 0, 0, Z},
    {"extu.l er0", {0x17, 0x70}, 0xFFFF8000, 0, 0, 0x8000, 0, 0},
    {"exts.w r0", {0x17, 0xD0}, 0x80, 0, 0, 0xFF80, 0, N},
    {"exts.l er0", {0x17, 0xF0}, 0x8000, 0, 0, 0xFFFF8000, 0, N},
    {"mulxu.b r1l,r0", {0x50, 0x90}, 0x1234AB10, 0xFF, Z | C, 0x12340FF0, 0xFF, Z | C},
    {"mulxu.w r1,er0", {0x52, 0x10}, 0x1234FFFF, 0xFFFF, N, 0xFFFE0001, 0xFFFF, N},
    {"divxu.b r1l,r0", {0x51, 0x90}, 0x12340107, 0x10, Z | C, 0x12340710, 0x10, C},
    {"divxu.b r1l,r0", {0x51, 0x90}, 0x0100, 0x80, 0, 0x0002, 0x80, N},
    {"divxu.w r1,er0", {0x53, 0x10}, 0xFFFF, 0x10, 0, 0x000F0FFF, 0x10, 0},
    {"divxu.w r1,er0", {0x53, 0x10}, 0x10000, 0x8000, 0, 2, 0x8000, N},
    {"shll.b r0l", {0x10, 0x08}, 0x81, 0, V, 0x02, 0, C},
    {"shll.w r0", {0x10, 0x10}, 0x8000, 0, 0, 0, 0, Z | C},
    {"shll.l er0", {0x10, 0x30}, 0x40000000, 0, 0, 0x80000000, 0, N},
    {"shlr.b r0l", {0x11, 0x08}, 0x01, 0, 0, 0, 0, Z | C},
    {"shlr.w r0", {0x11, 0x10}, 0x8000, 0, 0, 0x4000, 0, 0},
    {"shlr.l er0", {0x11, 0x30}, 0x80000001, 0, 0, 0x40000000, 0, C},
    {"shal.b r0l", {0x10, 0x88}, 0x40, 0, 0, 0x80, 0, N | V},
    {"shal.w r0", {0x10, 0x90}, 0xC000, 0, 0, 0x8000, 0, N | C},
    {"shal.l er0", {0x10, 0xB0}, 0x80000000, 0, 0, 0, 0, Z | V | C},
    {"shar.b r0l", {0x11, 0x88}, 0x81, 0, 0, 0xC0, 0, N | C},
    {"shar.w r0", {0x11, 0x90}, 0x4001, 0, 0, 0x2000, 0, C},
    {"shar.l er0", {0x11, 0xB0}, 0x80000000, 0, 0, 0xC0000000, 0, N},
    {"rotl.b r0l", {0x12, 0x88}, 0x81, 0, 0, 0x03, 0, C},
    {"rotl.w r0", {0x12, 0x90}, 0x4000, 0, 0, 0x8000, 0, N},
    {"rotl.l er0", {0x12, 0xB0}, 0x80000000, 0, 0, 1, 0, C},
    {"rotr.b r0l", {0x13, 0x88}, 0x01, 0, 0, 0x80, 0, N | C},
    {"rotr.w r0", {0x13, 0x90}, 0x0002, 0, 0, 0x0001, 0, 0},
    {"rotr.l er0", {0x13, 0xB0}, 1, 0, 0, 0x80000000, 0, N | C},
    {"rotxl.b r0l", {0x12, 0x08}, 0x80, 0, 0, 0, 0, Z | C},
    {"rotxl.w r0", {0x12, 0x10}, 0, 0, C, 1, 0, 0},
    {"rotxl.l er0", {0x12, 0x30}, 0x80000000, 0, C, 1, 0, C},
    {"rotxr.b r0l", {0x13, 0x08}, 0x01, 0, 0, 0, 0, Z | C},
    {"rotxr.w r0", {0x13, 0x10}, 0, 0, C, 0x8000, 0, N},
    {"rotxr.l er0", {0x13, 0x30}, 1, 0, C, 0x80000000, 0, N | C},
    {"andc #0x7f,ccr", {0x06, 0x7F}, 0, 0, 0xFF, 0, 0, 0x7F},
    {"orc #0x80,ccr", {0x04, 0x80}, 0, 0, C, 0, 0, 0x80 | C},
    {"xorc #0x01,ccr", {0x05, 0x01}, 0, 0, Z | C, 0, 0, Z},
    {"ldc #0x12,ccr", {0x07, 0x12}, 0, 0, 0, 0, 0, 0x12},
    {"ldc r0l,ccr", {0x03, 0x08}, 0x8F, 0, 0, 0x8F, 0, 0x8F},
    {"stc ccr,r0l", {0x02, 0x08}, 0x12345678, 0, H | V, 0x12345622, 0, H | V},
    {"nop", {0x00, 0x00}, 1, 2, N, 1, 2, N},
};

Registers registers_of(std::uint32_t er0, std::uint32_t er1, std::uint8_t ccr) {
  Registers r;
  r.er[0] = er0, r.er[1] = er1, r.er[7] = kStack, r.pc = kCode, r.ccr = ccr;
  return r;
}

TEST(H8Core, RegisterAndImmediateFormsGiveTheirResultsAndFlags) {
  for (const Case& c : kRegisterCases) {
    SCOPED_TRACE(c.line);
    Ram ram;
    ram.put(kCode, c.bytes);
    Registers r = registers_of(c.er0, c.er1, c.ccr);
    step(r, ram.memory);
    EXPECT_EQ(r.er[0], c.want_er0);
    EXPECT_EQ(r.er[1], c.want_er1);
    EXPECT_EQ(r.ccr, c.want_ccr);
    EXPECT_EQ(r.pc, kCode + c.bytes.size());
    EXPECT_EQ(r.er[7], kStack);
  }
}

// Loads and stores between ER0 and the four bytes at `at`; ER1 is the
// address register. V and C are set before: MOV clears V and keeps C.
struct MemoryCase {
  const char* line;
  Bytes bytes;
  std::uint32_t er0, er1, at, data;
  std::uint32_t want_er0, want_er1, want_data;
  std::uint8_t want_ccr;
};

constexpr std::uint32_t kData = 0xFEF50;

const MemoryCase kMemoryCases[] = {
    {"mov.b @er1,r0l", {0x68, 0x18}, 0xFFFFFF00, kData, kData, 0x80112233, 0xFFFFFF80, kData, 0x80112233, N | C},
    {"mov.b r0l,@er1", {0x68, 0x98}, 0x100, kData, kData, 0xAA112233, 0x100, kData, 0x00112233, Z | C},
    {"mov.w @er1,r0", {0x69, 0x10}, 0, kData, kData, 0x80010000, 0x8001, kData, 0x80010000, N | C},
    {"mov.w r0,@er1", {0x69, 0x90}, 0x1234, kData, kData, 0, 0x1234, kData, 0x12340000, C},
    {"mov.l @er1,er0", {0x01, 0x00, 0x69, 0x10}, 0, kData, kData, 0x12345678, 0x12345678, kData, 0x12345678, C},
    {"mov.l er0,@er1", {0x01, 0x00, 0x69, 0x90}, 0x80000000, kData, kData, 0, 0x80000000, kData, 0x80000000, N | C},
    {"mov.b @(0x10:16,er1),r0l", {0x6E, 0x18, 0x00, 0x10}, 0, kData - 0x10, kData, 0x7F000000, 0x7F, kData - 0x10, 0x7F000000, C},
    {"mov.b r0l,@(-1:16,er1)", {0x6E, 0x98, 0xFF, 0xFF}, 0x80, kData + 1, kData, 0, 0x80, kData + 1, 0x80000000, N | C},
    {"mov.w @(-2:16,er1),r0", {0x6F, 0x10, 0xFF, 0xFE}, 0, kData + 2, kData, 0xFFFF0000, 0xFFFF, kData + 2, 0xFFFF0000, N | C},
    {"mov.w r0,@(0x10:16,er1)", {0x6F, 0x90, 0x00, 0x10}, 0, kData - 0x10, kData, 0xFFFFFFFF, 0, kData - 0x10, 0x0000FFFF, Z | C},
    {"mov.l @(0x10:16,er1),er0", {0x01, 0x00, 0x6F, 0x10, 0x00, 0x10}, 0, kData - 0x10, kData, 0x01020304, 0x01020304, kData - 0x10, 0x01020304, C},
    {"mov.l er0,@(0x10:16,er1)", {0x01, 0x00, 0x6F, 0x90, 0x00, 0x10}, 0x01020304, kData - 0x10, kData, 0, 0x01020304, kData - 0x10, 0x01020304, C},
    {"mov.b @(0xfef40:24,er1),r0l", {0x78, 0x10, 0x6A, 0x28, 0x00, 0x0F, 0xEF, 0x40}, 0, 0x10, kData, 0x80000000, 0x80, 0x10, 0x80000000, N | C},
    {"mov.b r0l,@(0xfef40:24,er1)", {0x78, 0x10, 0x6A, 0xA8, 0x00, 0x0F, 0xEF, 0x40}, 0x55, 0x10, kData, 0, 0x55, 0x10, 0x55000000, C},
    {"mov.w @(0xfef40:24,er1),r0", {0x78, 0x10, 0x6B, 0x20, 0x00, 0x0F, 0xEF, 0x40}, 0, 0x10, kData, 0x12340000, 0x1234, 0x10, 0x12340000, C},
    {"mov.w r0,@(0xfef40:24,er1)", {0x78, 0x10, 0x6B, 0xA0, 0x00, 0x0F, 0xEF, 0x40}, 0x8000, 0x10, kData, 0, 0x8000, 0x10, 0x80000000, N | C},
    {"mov.l @(0xfef40:24,er1),er0", {0x01, 0x00, 0x78, 0x10, 0x6B, 0x20, 0x00, 0x0F, 0xEF, 0x40}, 0, 0x10, kData, 0, 0, 0x10, 0, Z | C},
    {"mov.l er0,@(0xfef40:24,er1)", {0x01, 0x00, 0x78, 0x90, 0x6B, 0xA0, 0x00, 0x0F, 0xEF, 0x40}, 0xCAFEF00D, 0x10, kData, 0, 0xCAFEF00D, 0x10, 0xCAFEF00D, N | C},
    {"mov.b @er1+,r0l", {0x6C, 0x18}, 0, kData, kData, 0x01020304, 0x01, kData + 1, 0x01020304, C},
    {"mov.b r0l,@-er1", {0x6C, 0x98}, 0xFF, kData + 1, kData, 0, 0xFF, kData, 0xFF000000, N | C},
    {"mov.w @er1+,r0", {0x6D, 0x10}, 0, kData, kData, 0x01020304, 0x0102, kData + 2, 0x01020304, C},
    {"mov.w r0,@-er1", {0x6D, 0x90}, 0x0102, kData + 2, kData, 0, 0x0102, kData, 0x01020000, C},
    {"mov.l @er1+,er0", {0x01, 0x00, 0x6D, 0x10}, 0, kData, kData, 0x01020304, 0x01020304, kData + 4, 0x01020304, C},
    {"mov.l er0,@-er1", {0x01, 0x00, 0x6D, 0x90}, 0x01020304, kData + 4, kData, 0, 0x01020304, kData, 0x01020304, C},
    {"mov.b @0xfc:8,r0l", {0x28, 0xFC}, 0, 0, 0xFFFFFC, 0x80000000, 0x80, 0, 0x80000000, N | C},
    {"mov.b r0l,@0xfc:8", {0x38, 0xFC}, 0x12, 0, 0xFFFFFC, 0, 0x12, 0, 0x12000000, C},
    {"mov.b @0x1234:16,r0l", {0x6A, 0x08, 0x12, 0x34}, 0, 0, 0x1234, 0x01000000, 0x01, 0, 0x01000000, C},
    {"mov.b r0l,@0xff00:16", {0x6A, 0x88, 0xFF, 0x00}, 0, 0, 0xFFFF00, 0xFF000000, 0, 0, 0, Z | C},
    {"mov.w @0x8000:16,r0", {0x6B, 0x00, 0x80, 0x00}, 0, 0, 0xFF8000, 0x12340000, 0x1234, 0, 0x12340000, C},
    {"mov.w r0,@0x7ffe:16", {0x6B, 0x80, 0x7F, 0xFE}, 0x1234, 0, 0x7FFE, 0, 0x1234, 0, 0x12340000, C},
    {"mov.l @0xff00:16,er0", {0x01, 0x00, 0x6B, 0x00, 0xFF, 0x00}, 0, 0, 0xFFFF00, 0x80000000, 0x80000000, 0, 0x80000000, N | C},
    {"mov.l er0,@0x1234:16", {0x01, 0x00, 0x6B, 0x80, 0x12, 0x34}, 0x01020304, 0, 0x1234, 0, 0x01020304, 0, 0x01020304, C},
    {"mov.b @0xfef52:24,r0l", {0x6A, 0x28, 0x00, 0x0F, 0xEF, 0x52}, 0, 0, 0xFEF52, 0x80000000, 0x80, 0, 0x80000000, N | C},
    {"mov.b r0l,@0xfef52:24", {0x6A, 0xA8, 0x00, 0x0F, 0xEF, 0x52}, 0x34, 0, 0xFEF52, 0, 0x34, 0, 0x34000000, C},
    {"mov.w @0xfef52:24,r0", {0x6B, 0x20, 0x00, 0x0F, 0xEF, 0x52}, 0, 0, 0xFEF52, 0x00010000, 1, 0, 0x00010000, C},
    {"mov.w r0,@0xfef52:24", {0x6B, 0xA0, 0x00, 0x0F, 0xEF, 0x52}, 0xFFFF, 0, 0xFEF52, 0, 0xFFFF, 0, 0xFFFF0000, N | C},
    {"mov.l @0xfef52:24,er0", {0x01, 0x00, 0x6B, 0x20, 0x00, 0x0F, 0xEF, 0x52}, 0, 0, 0xFEF52, 0x01020304, 0x01020304, 0, 0x01020304, C},
    {"mov.l er0,@0xfef52:24", {0x01, 0x00, 0x6B, 0xA0, 0x00, 0x0F, 0xEF, 0x52}, 0, 0, 0xFEF52, 0xFFFFFFFF, 0, 0, 0, Z | C},
};

TEST(H8Core, MemoryFormsLoadAndStoreBigEndianAtTheirAddress) {
  for (const MemoryCase& c : kMemoryCases) {
    SCOPED_TRACE(c.line);
    Ram ram;
    ram.put(kCode, c.bytes);
    ram.put_long(c.at, c.data);
    Registers r = registers_of(c.er0, c.er1, V | C);
    step(r, ram.memory);
    EXPECT_EQ(r.er[0], c.want_er0);
    EXPECT_EQ(r.er[1], c.want_er1);
    EXPECT_EQ(ram.long_at(c.at), c.want_data);
    EXPECT_EQ(r.ccr, c.want_ccr);
    EXPECT_EQ(r.pc, kCode + c.bytes.size());
  }
}

// A branch at kCode to kCode + offset, with a CCR under which it is taken
// and one under which it is not (-1: there is none).
struct Branch {
  const char* line;
  Bytes bytes;
  std::int32_t offset;
  int taken, not_taken;
};

const Branch kBranches[] = {
    {"bra .+0x80:8", {0x40, 0x7E}, 0x80, 0, -1},
    {"brn .+4:8", {0x41, 0x02}, 4, -1, N | Z | V | C},
    {"bhi .-0x7e:8", {0x42, 0x80}, -0x7E, 0, C},
    {"bls .+6:8", {0x43, 0x04}, 6, Z, 0},
    {"bcc .+6:8", {0x44, 0x04}, 6, Z, C},
    {"bcs .-2:8", {0x45, 0xFC}, -2, C, 0},
    {"bne .+6:8", {0x46, 0x04}, 6, N | V | C, Z},
    {"beq .+6:8", {0x47, 0x04}, 6, Z, 0},
    {"bvc .+6:8", {0x48, 0x04}, 6, N, V},
    {"bvs .+6:8", {0x49, 0x04}, 6, V, 0},
    {"bpl .+6:8", {0x4A, 0x04}, 6, V, N},
    {"bmi .+6:8", {0x4B, 0x04}, 6, N, 0},
    {"bge .+6:8", {0x4C, 0x04}, 6, N | V, N},
    {"blt .+6:8", {0x4D, 0x04}, 6, V, N | V},
    {"bgt .+6:8", {0x4E, 0x04}, 6, 0, Z},
    {"ble .+6:8", {0x4F, 0x04}, 6, N, 0},
    {"bra .+0x1000:16", {0x58, 0x00, 0x0F, 0xFC}, 0x1000, 0, -1},
    {"brn .-0x1000:16", {0x58, 0x10, 0xEF, 0xFC}, -0x1000, -1, 0},
    {"bhi .+0x7ffe:16", {0x58, 0x20, 0x7F, 0xFA}, 0x7FFE, 0, Z},
    {"bls .-0x7ffc:16", {0x58, 0x30, 0x80, 0x00}, -0x7FFC, C, 0},
    {"bcc .+0x100:16", {0x58, 0x40, 0x00, 0xFC}, 0x100, 0, C},
    {"bcs .+0x100:16", {0x58, 0x50, 0x00, 0xFC}, 0x100, C, Z},
    {"bne .-0x100:16", {0x58, 0x60, 0xFE, 0xFC}, -0x100, 0, Z},
    {"beq .-0x100:16", {0x58, 0x70, 0xFE, 0xFC}, -0x100, Z, N},
    {"bvc .+0x100:16", {0x58, 0x80, 0x00, 0xFC}, 0x100, 0, V},
    {"bvs .+0x100:16", {0x58, 0x90, 0x00, 0xFC}, 0x100, V, C},
    {"bpl .+0x100:16", {0x58, 0xA0, 0x00, 0xFC}, 0x100, 0, N},
    {"bmi .+0x100:16", {0x58, 0xB0, 0x00, 0xFC}, 0x100, N, 0},
    {"bge .+0x100:16", {0x58, 0xC0, 0x00, 0xFC}, 0x100, 0, V},
    {"blt .+0x100:16", {0x58, 0xD0, 0x00, 0xFC}, 0x100, N, 0},
    {"bgt .+0x100:16", {0x58, 0xE0, 0x00, 0xFC}, 0x100, N | V, N | V | Z},
    {"ble .+0x100:16", {0x58, 0xF0, 0x00, 0xFC}, 0x100, Z, 0},
};

std::uint32_t after_branch(const Branch& b, std::uint8_t ccr) {
  Ram ram;
  ram.put(kCode, b.bytes);
  Registers r = registers_of(0, 0, ccr);
  step(r, ram.memory);
  EXPECT_EQ(r.ccr, ccr);
  return r.pc;
}

TEST(H8Core, BranchesGoToTheirTargetExactlyWhenTheConditionHolds) {
  for (const Branch& b : kBranches) {
    SCOPED_TRACE(b.line);
    if (b.taken >= 0) {
      EXPECT_EQ(after_branch(b, static_cast<std::uint8_t>(b.taken)), kCode + b.offset);
    }
    if (b.not_taken >= 0) {
      EXPECT_EQ(after_branch(b, static_cast<std::uint8_t>(b.not_taken)), kCode + b.bytes.size());
    }
  }
}

// CMP.W R1,R0 then each conditional branch: taken exactly when the relation
// of R0 to R1 that the condition stands for holds.
TEST(H8Core, ConditionsAfterACompareFollowTheRelationOfTheValues) {
  const std::uint32_t values[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF};
  const Bytes compare = bytes_of("cmp.w r1,r0");
  for (std::uint32_t a : values) {
    for (std::uint32_t b : values) {
      int sa = static_cast<std::int16_t>(a), sb = static_cast<std::int16_t>(b), difference = sa - sb;
      bool overflow = difference < -0x8000 || difference > 0x7FFF;
      bool relation[16] = {true, false, a > b, a <= b, a >= b, a < b, a != b, a == b, !overflow, overflow,
                           ((a - b) & 0x8000) == 0, ((a - b) & 0x8000) != 0, sa >= sb, sa < sb, sa > sb, sa <= sb};
      Ram ram;
      ram.put(kCode, compare);
      Registers r = registers_of(a, b, 0);
      step(r, ram.memory);
      for (int condition = 0; condition < 16; ++condition) {
        const Branch& branch = kBranches[condition];
        SCOPED_TRACE(std::string(branch.line) + " after cmp.w of " + std::to_string(a) + " and " + std::to_string(b));
        EXPECT_EQ(after_branch(branch, r.ccr) == kCode + branch.offset, relation[condition]);
      }
    }
  }
}

// Calls and jumps: where they go, what they push and where ER7 ends.
struct Jump {
  const char* line;
  Bytes bytes;
  std::uint32_t er1;
  std::uint32_t want_pc;
  bool pushes;
};

const Jump kJumps[] = {
    {"jsr @0x10100:24", {0x5E, 0x01, 0x01, 0x00}, 0, 0x10100, true},
    {"jsr @er1", {0x5D, 0x10}, 0x20000, 0x20000, true},
    {"bsr .+0x20:8", {0x55, 0x1E}, 0, kCode + 0x20, true},
    {"bsr .-0x100:16", {0x5C, 0x00, 0xFE, 0xFC}, 0, kCode - 0x100, true},
    {"jmp @0xfef10:24", {0x5A, 0x0F, 0xEF, 0x10}, 0, 0xFEF10, false},
    {"jmp @er1", {0x59, 0x10}, 0xFF001234, 0x1234, false},
};

TEST(H8Core, CallsPushTheReturnAddressAsALongwordAndJumpsPushNothing) {
  for (const Jump& j : kJumps) {
    SCOPED_TRACE(j.line);
    Ram ram;
    ram.put(kCode, j.bytes);
    Registers r = registers_of(0, j.er1, 0);
    step(r, ram.memory);
    EXPECT_EQ(r.pc, j.want_pc);
    EXPECT_EQ(r.er[7], j.pushes ? kStack - 4 : kStack);
    if (j.pushes) {
      EXPECT_EQ(ram.long_at(kStack - 4), kCode + j.bytes.size());
    }
  }
}

TEST(H8Core, RtsAndReturnFromCallPopTheReturnAddress) {
  Ram ram;
  ram.put(kCode, bytes_of("rts"));
  ram.put_long(kStack, 0x00012344);
  Registers r = registers_of(0, 0, Z);
  step(r, ram.memory);
  EXPECT_EQ(r.pc, 0x12344u);
  EXPECT_EQ(r.er[7], kStack + 4);
  EXPECT_EQ(r.ccr, Z);
  r.er[7] = kStack;
  return_from_call(r, ram.memory);
  EXPECT_EQ(r.pc, 0x12344u);
  EXPECT_EQ(r.er[7], kStack + 4);
}

// corvel's sequences run together: an element of a WORD array fetched and
// divided, through a call of a routine that returns its result in R0.
struct Line {
  const char* line;
  Bytes bytes;
};

const Line kProgram[] = {
    {"mov.w #0x0003,r0", {0x79, 0x00, 0x00, 0x03}},        // the index
    {"shll.w r0", {0x10, 0x10}},               // a WORD array's index counts elements
    {"xor.w e0,e0", {0x65, 0x88}},
    {"mov.l #0xfef50:32,er1", {0x7A, 0x01, 0x00, 0x0F, 0xEF, 0x50}},
    {"add.l er0,er1", {0x0A, 0x81}},
    {"mov.w @er1,r0", {0x69, 0x10}},
    {"push.w r0", {0x6D, 0xF0}},
    {"jsr @0x10100:24", {0x5E, 0x01, 0x01, 0x00}},        // the routine below: R0 = 0x0010
    {"mov.w r0,r1", {0x0D, 0x01}},
    {"pop.w r0", {0x6D, 0x70}},
    {"xor.w e0,e0", {0x65, 0x88}},
    {"divxu.w r1,er0", {0x53, 0x10}},
    {"push.w r0", {0x6D, 0xF0}},
};
const Line kRoutine[] = {
    {"mov.w #0x0010,r0", {0x79, 0x00, 0x00, 0x10}},
    {"rts", {0x54, 0x70}},
};

TEST(H8Core, CorvelsSequencesRunTogether) {
  Ram ram;
  std::uint32_t end = kCode;
  for (const Line& l : kProgram) ram.put(end, l.bytes), end += l.bytes.size();
  std::uint32_t routine = 0x10100;
  for (const Line& l : kRoutine) ram.put(routine, l.bytes), routine += l.bytes.size();
  ram.put_long(kData + 6, 0x12340000);  // element 3
  Registers r = registers_of(0xFFFFFFFF, 0, 0);
  for (int steps = 0; r.pc != end && steps < 100; ++steps) step(r, ram.memory);
  EXPECT_EQ(r.pc, end);
  EXPECT_EQ(r.er[7], kStack - 2);
  EXPECT_EQ(ram.bytes.at(kStack - 2) << 8 | ram.bytes.at(kStack - 1), 0x1234 / 0x10);
  EXPECT_EQ(r.er[0], 0x00040123u);  // remainder in E0, quotient in R0
}

void expect_fault(const Bytes& bytes, Registers r, const std::string& message) {
  Ram ram;
  ram.put(kCode, bytes);
  try {
    step(r, ram.memory);
    ADD_FAILURE() << "no fault: " << message;
  } catch (const Fault& f) {
    EXPECT_EQ(f.what(), message);
    EXPECT_EQ(f.address, kCode);
    EXPECT_EQ(r.pc, kCode);
  }
}

TEST(H8Core, UnknownBytesStopWithTheirAddress) {
  const Bytes unknown[] = {
      {0x0A, 0x10},              // between INC.B and ADD.L
      {0x0F, 0x00},              // DAA
      {0x5B, 0x10},              // JMP @@aa:8
      {0x6A, 0x48},              // MOVFPE
      {0x79, 0x70},              // no word operation with an immediate
      {0x7F, 0x12},              // the bit operations
      {0x01, 0x00, 0x69, 0x1A},  // MOV.L to E2: no longword register
      {0x01, 0xF0, 0x64, 0x18},  // OR.L with E0
      {0x01, 0x80, 0x00, 0x00},  // SLEEP
      {0x78, 0x10, 0x6A, 0x0A},  // a displacement before @aa:16
  };
  for (const Bytes& b : unknown) {
    char text[16];
    std::snprintf(text, sizeof text, b.size() == 2 ? "H'%02X%02X" : "H'%02X%02X%02X%02X", b[0], b[1], b[2 % b.size()], b[3 % b.size()]);
    expect_fault(b, registers_of(0, 0, 0), std::string("an instruction this simulator does not know: ") + text + " at H'10000");
  }
}

TEST(H8Core, WhatTheBoardWouldComputeIsNotGuessed) {
  const Bytes divxu_w = bytes_of("divxu.w r1,er0"), divxu_b = bytes_of("divxu.b r1l,r0");
  const std::string zero = "division by zero: what the board computes then is not known to this system";
  expect_fault(divxu_w, registers_of(100, 0xFFFF0000, 0), zero);
  expect_fault(divxu_b, registers_of(100, 0xFF00, 0), zero);
  expect_fault(divxu_w, registers_of(0x10000, 1, 0),
               "a quotient wider than 16 bits: what the board computes then is not known to this system");
  expect_fault(bytes_of("mov.w @er1,r0"), registers_of(0, kData + 1, 0), "a word access at the odd address H'FEF51");
  Registers odd = registers_of(0, 0, 0);
  odd.pc = kCode + 1;
  Ram ram;
  EXPECT_THROW(step(odd, ram.memory), Fault);
}

TEST(H8Core, AnAccessTheMemoryRefusesReachesTheCaller) {
  Ram ram;
  ram.put(kCode, bytes_of("mov.b @er1,r0l"));  // of an address that holds nothing
  Registers r = registers_of(0, kData, 0);
  EXPECT_THROW(step(r, ram.memory), std::out_of_range);
  EXPECT_EQ(r.pc, kCode);
}

TEST(H8Core, DisassemblyIsInTheBoardNotation) {
  const std::pair<Bytes, const char*> cases[] = {
      {{0x6D, 0x70}, "MOV.W @ER7+,R0"},
      {{0x6D, 0xF0}, "MOV.W R0,@-ER7"},
      {{0x6A, 0x28, 0x00, 0x0F, 0xEF, 0x52}, "MOV.B @H'FEF52:24,R0L"},
      {{0x01, 0x00, 0x78, 0x10, 0x6B, 0x22, 0x00, 0x01, 0x23, 0x45}, "MOV.L @(H'12345:24,ER1),ER2"},
      {{0x7A, 0x01, 0x00, 0x0F, 0xEF, 0xEA}, "MOV.L #H'FEFEA,ER1"},
      {{0x5E, 0x00, 0x12, 0x04}, "JSR @H'1204:24"},
      {{0x58, 0x70, 0xFF, 0xF8}, "BEQ H'FFFC:16"},
      {{0x40, 0x7E}, "BRA H'10080:8"},
      {{0x0B, 0x51}, "INC.W #H'1,R1"},
      {{0x52, 0x10}, "MULXU.W R1,ER0"},
      {{0x15, 0x00}, "XOR.B R0H,R0H"},
      {{0x02, 0x09}, "STC CCR,R1L"},
      {{0x54, 0x70}, "RTS"},
  };
  for (const auto& [bytes, text] : cases) {
    Ram ram;
    ram.put(kCode, bytes);
    Disassembly d = disassemble(kCode, ram.memory);
    EXPECT_EQ(d.text, text);
    EXPECT_EQ(d.length, static_cast<int>(bytes.size()));
  }
}

// Every line above, assembled and linked at kCode by the GNU tools: the
// bytes must be those pasted, and the core must decode each to its length.
std::vector<Line> every_line() {
  std::vector<Line> lines;
  for (const Case& c : kRegisterCases) lines.push_back({c.line, c.bytes});
  for (const MemoryCase& c : kMemoryCases) lines.push_back({c.line, c.bytes});
  for (const Branch& b : kBranches) lines.push_back({b.line, b.bytes});
  for (const Jump& j : kJumps) lines.push_back({j.line, j.bytes});
  for (const Line& l : kProgram) lines.push_back(l);
  for (const Line& l : kRoutine) lines.push_back(l);
  return lines;
}

Bytes bytes_of(const std::string& line) {
  for (const Line& l : every_line())
    if (line == l.line) return l.bytes;
  ADD_FAILURE() << "no line " << line;
  return {};
}

TEST(H8Core, TheAssemblerStillMakesThePastedBytesAndTheCoreTheirLengths) {
  if (std::system("command -v h8300-hms-as >/dev/null 2>&1") != 0) GTEST_SKIP() << "h8300-hms-as is not on PATH";
  corvel::testing::TempDir dir;
  std::vector<Line> lines = every_line();
  std::string source = "\t.h8300h\n\t.section .text\n";
  for (const Line& l : lines) source += "\t" + std::string(l.line) + "\n";
  dir.write("forms.s", source);
  std::string tools = "cd '" + dir.path().string() + "' && h8300-hms-as forms.s -o forms.o && " +
                      "h8300-hms-ld -m h8300h -Ttext=0x10000 -e 0x10000 forms.o -o forms.out && " +
                      "h8300-hms-objcopy -O binary forms.out forms.bin";
  ASSERT_EQ(std::system(tools.c_str()), 0);
  std::string image = dir.read("forms.bin");
  Ram ram;
  ram.put(kCode, Bytes(image.begin(), image.end()));
  std::uint32_t at = kCode;
  for (const Line& l : lines) {
    SCOPED_TRACE(l.line);
    ASSERT_LE(at - kCode + l.bytes.size(), image.size());
    EXPECT_EQ(Bytes(image.begin() + (at - kCode), image.begin() + (at - kCode + l.bytes.size())), l.bytes);
    EXPECT_EQ(disassemble(at, ram.memory).length, static_cast<int>(l.bytes.size()));
    at += static_cast<std::uint32_t>(l.bytes.size());
  }
  EXPECT_EQ(at - kCode, image.size());
}

}  // namespace
