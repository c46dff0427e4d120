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

// A token's text: a view of a whole string that outlives the token (a name's
// entry, an operator's spelling) or of the token's own copy, so that reading
// a name copies nothing. Every view ends with a 0 byte after it.
class TokenText {
 public:
  TokenText() = default;
  // A copy takes the other's own text only when that is what it shows.
  TokenText(const TokenText& other) { *this = other; }
  TokenText& operator=(const TokenText& other) {
    if (this == &other) return *this;
    if (!other.owned()) {
      view_ = other.view_;
      return *this;
    }
    own_ = other.own_;
    view_ = own_;
    return *this;
  }

  operator std::string_view() const { return view_; }
  operator std::string() const { return std::string(view_); }
  std::string_view view() const { return view_; }
  const char* c_str() const { return view_.data(); }
  size_t size() const { return view_.size(); }
  bool empty() const { return view_.empty(); }
  char operator[](size_t i) const { return view_[i]; }
  friend bool operator==(const TokenText& a, std::string_view b) { return a.view_ == b; }

  // A string that stays as it is while the token may be read: a name's entry, a literal.
  void refer(const std::string& stable) { view_ = stable; }
  void refer(std::string_view literal) { view_ = literal; }
  // The token's own copy, built in place; done() shows it.
  std::string& own() {
    own_.clear();
    view_ = own_;
    return own_;
  }
  void done() { view_ = own_; }
  void set(std::string_view text) {
    own_.assign(text);
    view_ = own_;
  }

 private:
  bool owned() const { return view_.data() == own_.data(); }

  std::string own_;
  std::string_view view_ = "";
};

struct Token {
  int code = kEnd;
  TokenText text;
  Symbol* symbol = nullptr;  // an identifier's entry in the symbol table; null for other tokens
};

struct LoopState {
  int counter = 0;
  int depth = 0;
  std::array<int, ground::kLoopStackSize> numbers{};
};

// The items of the expression being read, in postfix order, and its
// operator stack, kept from one expression to the next so that reading one
// allocates nothing.
struct ExpressionBuffers {
  codegen::Expression postfix;
  std::vector<int> stack;
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
