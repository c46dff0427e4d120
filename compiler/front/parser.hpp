// The front end of one compilation: the source reader, the lexer, the symbol
// table and the grammar's own state. It reads the program and hands typed
// operands, items and statements to the code generator.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "codegen/gen.hpp"
#include "front/symbol_table.hpp"
#include "front/tokens.hpp"
#include "ground/board.hpp"
#include "ground/limits.hpp"

namespace corvel::front {

struct SourceReader {
  std::array<unsigned char, ground::kLineBufferSize + 1> line{};
  int length = 0;
  int position = 0;
  std::FILE* file = nullptr;
  int line_counter = 0;
};

struct Token {
  int code = kEnd;
  std::string text;
};

struct LoopState {
  int counter = 0;
  int depth = 0;
  std::array<int, ground::kLoopStackSize> numbers{};
};

// Which top-level items the program has met: it only grows within a pass.
enum class Section { Ports, Declarations, Code };

struct Parser {
  Parser(codegen::Gen& g, const ground::Board& b) : gen(g), board(b) {}

  codegen::Gen& gen;
  const ground::Board& board;
  SourceReader reader;
  bool in_comment = false;
  bool substitute_defines = true;
  Token cur;                // the current token
  std::uint32_t value = 0;  // value of the last number token read
  SymbolTable symbols;
  LoopState loops;
  Section section = Section::Ports;
  int port_count = 0;
};

// The per-pass state of the grammar and the lexer.
void start_pass(Parser& p);

}  // namespace corvel::front
