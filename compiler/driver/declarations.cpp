// #define and the BYTE/WORD declarations of the data area.
#include <string>

#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "driver/top_level.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/state.hpp"
#include "front/symbol_table.hpp"

namespace corvel::driver {

namespace {

using front::advance;

const front::Token& cur() { return front::g.cur; }
long token_value() { return static_cast<long>(front::g.value); }
bool is_byte_value() { return cur().code == front::kSmallNumber && token_value() <= 0xFF; }
bool is_word_value() { return front::is_integer_token(cur().code) && token_value() <= 0xFFFF; }
bool is_separator() { return cur().code == front::kComma || cur().code == front::kSemicolon; }
bool odd_word_in_native() { return native_output() && (g.byte_counter & 1) != 0; }

void lay_byte_value(long value) {
  lay(static_cast<int>(value));
  emit_data("\t.DATA.B\t%d\n", static_cast<int>(value));
}

void lay_word_value(long value) {
  lay_word(value);
  emit_data("\t.DATA.W\t%d\n", static_cast<int>(value));
}

void reserve(long count) {
  for (long i = 0; i < count; ++i) lay(0);
  emit_data("\t.RES.B\t%d\n", static_cast<int>(count));
}

// The characters between the quotes and a 0 byte; WORD arrays are padded to even length.
long lay_string_initializer(bool word) {
  const std::string& text = cur().text;
  long n = 0;
  auto lay_char = [&](int byte) {
    lay(byte & 0xFF);
    emit_data("\t.DATA.B\t%d\n", static_cast<int>(static_cast<signed char>(byte)));
    ++n;
  };
  for (size_t i = 1; i + 1 < text.size(); ++i) lay_char(static_cast<unsigned char>(text[i]));
  lay_char(0);
  if (word && (n & 1)) lay_char(0);
  return n;
}

// {a, b, ...}; returns the bytes laid, or -1.
long lay_list_initializer(bool word) {
  long n = 0;
  advance();
  for (;;) {
    if (word && !is_word_value()) return fail(2997, msg::kInitBeyondWord);
    if (!word && !is_byte_value()) return fail(2992, msg::kInitBeyondByte);
    if (word) lay_word_value(token_value());
    else lay_byte_value(token_value());
    n += word ? 2 : 1;
    advance();
    if (cur().code == front::kRightBrace) return n;
    if (cur().code != front::kComma) return fail(3029, msg::kBadInitializer);
    advance();
  }
}

int compile_array_initializer(bool word, long size) {
  advance();
  long n;
  if (cur().code == front::kString) n = lay_string_initializer(word);
  else if (cur().code == front::kLeftBrace) n = lay_list_initializer(word);
  else return fail(3035, msg::kBadInitializer);
  if (n < 0) return -1;
  if (size > n) reserve(size - n);
  if (size != 0 && size < n) return fail(3048, msg::kArrayTooSmall);
  advance();
  return 0;
}

int read_array_size(bool word, long& size) {
  advance();
  size = 0;
  if (cur().code == front::kRightBracket) {
    if (word && odd_word_in_native()) return fail(2951, msg::kWordOddAddress);
    return 0;
  }
  if (!front::is_integer_token(cur().code)) return fail(2960, msg::kArraySizeNotConst);
  size = word ? token_value() * 2 : token_value();
  if (word && odd_word_in_native()) return fail(2951, msg::kWordOddAddress);
  advance();
  return 0;
}

int compile_array(bool word) {
  long size = 0;
  if (read_array_size(word, size) < 0) return -1;
  if (cur().code != front::kRightBracket) return fail(2965, msg::kArrayNoClose);
  advance();
  if (cur().code == front::kAssign) {
    if (compile_array_initializer(word, size) < 0) return -1;
  } else if (size != 0) {
    reserve(size);
  }
  if (!is_separator()) return fail(3067, msg::kNoCommaOrSemicolon);
  if (g.byte_counter >= kBaseLimit) return fail(0, msg::kProgramTooBig, g.byte_counter);
  return 0;
}

int compile_scalar(bool word) {
  long value = 0;
  if (cur().code == front::kAssign) {
    advance();
    if (!word && !is_byte_value()) return fail(3084, msg::kInitBeyondByte);
    if (word && !is_word_value()) return fail(3089, msg::kInitBeyondWord);
    value = token_value();
    advance();
  }
  if (!is_separator()) return fail(3096, msg::kNoCommaOrSemicolon);
  if (!word) {
    lay_byte_value(value);
    return 0;
  }
  if (odd_word_in_native()) return fail(3119, msg::kWordOddAddress);
  lay_word_value(value);
  return 0;
}

int kind_of_declarator(bool word, bool array) {
  if (array) return word ? front::kKindWordArray : front::kKindByteArray;
  return word ? front::kKindWord : front::kKindByte;
}

int compile_declarator(bool word) {
  if (advance() != front::kIdentifier) return fail(2907, msg::kNoVarName);
  const std::string name = cur().text;
  if (check_label_name(name, false) < 0) return -1;
  front::g.value = 0;
  advance();
  bool array = cur().code == front::kLeftBracket;
  if (g.pass == 1) {
    if (front::symbol_kind(name) >= 0) return fail(2916, msg::kDuplicate, name.c_str());
    if (register_symbol(name, std::to_string(g.byte_counter), kind_of_declarator(word, array)) < 0) return -1;
  }
  emit_data("_%s:\n", name.c_str());
  return array ? compile_array(word) : compile_scalar(word);
}

}  // namespace

int compile_declaration(bool word) {
  do {
    if (compile_declarator(word) < 0) return -1;
  } while (cur().code == front::kComma);
  return 0;
}

int compile_define() {
  front::set_define_substitution(false);
  int code = advance();
  front::set_define_substitution(true);
  if (code != front::kIdentifier) return fail(2676, msg::kNeedName, cur().text.c_str());
  const std::string name = cur().text;
  code = advance();
  bool value_ok = code == front::kIdentifier || front::is_number_token(code);
  if (!value_ok || static_cast<int>(cur().text.size()) > front::kMaxDefineText)
    return fail(2684, msg::kNeedNameOrNumber, cur().text.c_str());
  if (g.pass == 1) {
    if (front::symbol_kind(name) >= 0) return fail(2690, msg::kDuplicate, name.c_str());
    std::string value(1, static_cast<char>(code));
    if (register_symbol(name, value + cur().text, front::kKindDefine) < 0) return -1;
  }
  front::drop_rest_of_line();
  return 0;
}

}  // namespace corvel::driver
