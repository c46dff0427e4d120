// #define and the BYTE/WORD declarations of the data area.
#include <string>

#include "codegen/layout.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/top_level.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::front {

namespace {

using ground::Diag;
using ground::fail;

long token_value(const Parser& p) { return static_cast<long>(p.value); }
bool is_byte_value(const Parser& p) { return p.cur.code == kSmallNumber && token_value(p) <= 0xFF; }
bool is_word_value(const Parser& p) { return is_integer_token(p.cur.code) && token_value(p) <= 0xFFFF; }
bool is_separator(const Parser& p) { return p.cur.code == kComma || p.cur.code == kSemicolon; }

// The characters between the quotes and a 0 byte; WORD arrays are padded to even length.
long lay_string_initializer(Parser& p, bool word) {
  std::string_view text = p.cur.text;
  long n = 0;
  for (size_t i = 1; i + 1 < text.size(); ++i, ++n) codegen::data_char(p.gen, static_cast<unsigned char>(text[i]));
  codegen::data_char(p.gen, 0);
  ++n;
  if (word && (n & 1)) {
    codegen::data_char(p.gen, 0);
    ++n;
  }
  return n;
}

// {a, b, ...}; returns the bytes laid.
long lay_list_initializer(Parser& p, bool word) {
  long n = 0;
  advance(p);
  for (;;) {
    if (word && !is_word_value(p)) fail(Diag::ListBeyondWord);
    if (!word && !is_byte_value(p)) fail(Diag::ListBeyondByte);
    if (word) codegen::data_word(p.gen, token_value(p));
    else codegen::data_byte(p.gen, token_value(p));
    n += word ? 2 : 1;
    advance(p);
    if (p.cur.code == kRightBrace) return n;
    if (p.cur.code != kComma) fail(Diag::ListFormat);
    advance(p);
  }
}

void compile_array_initializer(Parser& p, bool word, long size) {
  advance(p);
  long n;
  if (p.cur.code == kString) n = lay_string_initializer(p, word);
  else if (p.cur.code == kLeftBrace) n = lay_list_initializer(p, word);
  else fail(Diag::InitializerFormat);
  if (size > n) codegen::reserve(p.gen, size - n);
  if (size != 0 && size < n) fail(Diag::ArrayTooSmall);
  advance(p);
}

long read_array_size(Parser& p, bool word) {
  advance(p);
  if (p.cur.code == kRightBracket) {
    if (word && codegen::word_misaligned(p.gen)) fail(Diag::WordArrayOdd);
    return 0;
  }
  if (!is_integer_token(p.cur.code)) fail(Diag::ArraySizeNotConstant);
  long size = word ? token_value(p) * 2 : token_value(p);
  if (word && codegen::word_misaligned(p.gen)) fail(Diag::WordArrayOdd);
  advance(p);
  return size;
}

void compile_array(Parser& p, bool word) {
  long size = read_array_size(p, word);
  if (p.cur.code != kRightBracket) fail(Diag::ArrayNoClose);
  advance(p);
  if (p.cur.code == kAssign) compile_array_initializer(p, word, size);
  else if (size != 0) codegen::reserve(p.gen, size);
  if (!is_separator(p)) fail(Diag::ArraySeparator);
  if (codegen::counter(p.gen) >= ground::kBaseLimit) fail(Diag::ProgramTooBig, p.gen.image.size);
}

void compile_scalar(Parser& p, bool word) {
  long value = 0;
  if (p.cur.code == kAssign) {
    advance(p);
    if (!word && !is_byte_value(p)) fail(Diag::ScalarBeyondByte);
    if (word && !is_word_value(p)) fail(Diag::ScalarBeyondWord);
    value = token_value(p);
    advance(p);
  }
  if (!is_separator(p)) fail(Diag::ScalarSeparator);
  if (!word) return codegen::data_byte(p.gen, value);
  if (codegen::word_misaligned(p.gen)) fail(Diag::WordScalarOdd);
  codegen::data_word(p.gen, value);
}

Kind kind_of_declarator(bool word, bool array) {
  if (array) return word ? Kind::WordArray : Kind::ByteArray;
  return word ? Kind::Word : Kind::Byte;
}

void compile_declarator(Parser& p, bool word) {
  if (advance(p) != kIdentifier) fail(Diag::NoVariableName);
  const std::string name = p.cur.text;
  Symbol& variable = *p.cur.symbol;
  check_label_name(p, name, false);
  p.value = 0;
  advance(p);
  bool array = p.cur.code == kLeftBracket;
  if (p.gen.pass == 1) {
    if (variable.kind != Kind::None) fail(Diag::VariableTwice, name.c_str());
    SymbolTable::set_offset(variable, kind_of_declarator(word, array), codegen::counter(p.gen));
  }
  codegen::data_label(p.gen, name);
  if (array) compile_array(p, word);
  else compile_scalar(p, word);
}

}  // namespace

void compile_declaration(Parser& p, bool word) {
  do compile_declarator(p, word);
  while (p.cur.code == kComma);
}

void compile_define(Parser& p) {
  p.substitute_defines = false;
  int code = advance(p);
  p.substitute_defines = true;
  if (code != kIdentifier) fail(Diag::DefineName, p.cur.text.c_str());
  const std::string name = p.cur.text;
  Symbol& define = *p.cur.symbol;
  code = advance(p);
  bool value_ok = code == kIdentifier || is_number_token(code);
  if (!value_ok || static_cast<int>(p.cur.text.size()) > ground::kMaxDefineText)
    fail(Diag::DefineValue, p.cur.text.c_str());
  if (p.gen.pass == 1) {
    if (define.kind != Kind::None) fail(Diag::DefineTwice, name.c_str());
    p.symbols.set_define(define, code, p.cur.text);
  }
  drop_rest_of_line(p.reader);
}

}  // namespace corvel::front
