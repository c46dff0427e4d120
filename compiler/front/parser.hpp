// The front end of one compilation: the source reader, the lexer, the symbol
// table and the grammar's own state. It reads the program and hands typed
// operands, items and statements to the code generator.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "codegen/gen.hpp"
#include "front/symbol_table.hpp"
#include "front/tokens.hpp"
#include "ground/board.hpp"
#include "ground/limits.hpp"

namespace corvel::front {

// The current line lies in the source text, or in `loaded` (a line given
// whole, or one kept when its text went); it never moves while it is read.
struct SourceReader {
  SourceReader() = default;
  SourceReader(const SourceReader&) = delete;
  SourceReader& operator=(const SourceReader&) = delete;

  const unsigned char* line = nullptr;
  int length = 0;    // bytes handed out up to here; 0 once the rest is dropped
  int position = 0;
  int line_size = 0;  // the whole line, for its text
  std::string_view source;
  size_t next_line = 0;  // where the next line begins in the source
  int line_counter = 0;
  std::string file_text;  // the text of a file given to set_source_file
  std::array<unsigned char, ground::kLineBufferSize + 1> loaded{};
};

struct Token {
  int code = kEnd;
  std::string text;
  Symbol* symbol = nullptr;  // an identifier's entry in the symbol table; null for other tokens
};

struct LoopState {
  int counter = 0;
  int depth = 0;
  std::array<int, ground::kLoopStackSize> numbers{};
};

// The items of the expression being read, kept from one expression to the
// next so that reading one allocates nothing.
struct ExpressionBuffers {
  codegen::Expression written;  // in written order
  codegen::Expression postfix;
  std::vector<int> stack;
  std::vector<int> order;
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
  ExpressionBuffers expression;
  Section section = Section::Ports;
  int port_count = 0;
};

// The per-pass state of the grammar and the lexer.
void start_pass(Parser& p);

}  // namespace corvel::front
