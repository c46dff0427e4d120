// Everything the front end remembers during one compilation, in one place.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "front/symbol_table.hpp"
#include "front/tokens.hpp"

namespace corvel::front {

inline constexpr int kLineBufferSize = 1000;  // a line read holds at most 999 bytes
inline constexpr int kMaxTokenText = 1023;
inline constexpr int kMaxDefineText = 254;
inline constexpr int kMaxItems = 100;
inline constexpr int kMaxItemText = 98;  // kind byte included
inline constexpr int kMaxPostfixItems = 19;
inline constexpr int kLoopStackSize = 50;

struct SourceReader {
  std::array<unsigned char, kLineBufferSize + 1> line{};
  int length = 0;
  int position = 0;
  std::FILE* file = nullptr;
  int line_counter = 0;
};

struct LexerState {
  bool in_comment = false;
  bool substitute_defines = true;
};

struct Token {
  int code = kEnd;
  std::string text;
};

// One operand or operator of an expression. Operand texts start with the
// operand's kind byte.
struct Item {
  int type = 0;
  std::string text;
};

struct LoopState {
  int counter = 0;
  int depth = 0;
  std::array<int, kLoopStackSize> numbers{};
};

struct FrontState {
  SourceReader reader;
  LexerState lexer;
  Token cur;                // the current token
  std::uint32_t value = 0;  // value of the last number token read
  SymbolTable symbols;
  std::vector<Item> items;  // the last expression, in postfix order
  LoopState loops;
};

extern FrontState g;

}  // namespace corvel::front
