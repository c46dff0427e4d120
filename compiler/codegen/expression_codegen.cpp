#include "codegen/expression_codegen.hpp"

#include <algorithm>
#include <cstdio>

#include "codegen/builtin_calls.hpp"
#include "codegen/intermediate_code.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "driver/text_format.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/state.hpp"
#include "front/symbol_table.hpp"

namespace corvel::codegen {

namespace {

using driver::emit_code;
using driver::fail;
using driver::lay;
using driver::lay_word;

struct OperatorCode {
  int token;
  const char* sequence;
};

// What each operator does on the processor stack: pop its operands, push the result.
constexpr OperatorCode kOperatorCodes[] = {
    {front::kBitNot, "\tPOP.W\tR0\n\tNOT.W\tR0\n\tPUSH.W\tR0\n"},
    {front::kLogicalNot, "\tPOP.W\tR0\n\tJSR\t@H8_M_NOT:24\n\tPUSH.W\tR0\n"},
    {front::kPlus, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tADD.W\tR1,R0\n\tPUSH.W\tR0\n"},
    {front::kMinus, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tSUB.W\tR1,R0\n\tPUSH.W\tR0\n"},
    // Values are unsigned words: a signed divide would give wrong quotients.
    {front::kDivide, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tXOR.W\tE0,E0\n\tDIVXU.W\tR1,ER0\n\tPUSH.W\tR0\n"},
    {front::kMultiply, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tMULXU.W\tR1,ER0\n\tPUSH.W\tR0\n"},
    {front::kRemainder, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_MOD:24\n\tPUSH.W\tR0\n"},
    {front::kNotEqual, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_NEQ:24\n\tPUSH.W\tR0\n"},
    {front::kGreaterEqual, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_GEQ:24\n\tPUSH.W\tR0\n"},
    {front::kGreater, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_GTR:24\n\tPUSH.W\tR0\n"},
    {front::kLessEqual, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_GEQ:24\n\tPUSH.W\tR0\n"},
    {front::kLess, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_GTR:24\n\tPUSH.W\tR0\n"},
    {front::kEqual, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_CMP:24\n\tPUSH.W\tR0\n"},
    {front::kShiftLeft, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_SHIFTL:24\n\tPUSH.W\tR0\n"},
    {front::kShiftRight, "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_SHIFTR:24\n\tPUSH.W\tR0\n"},
    {front::kLogicalAnd, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tMULXU.W\tR1,ER0\n\tOR.W\tE0,R0\n\tPUSH.W\tR0\n"},
    {front::kBitAnd, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tAND.W\tR1,R0\n\tPUSH.W\tR0\n"},
    {front::kLogicalOr, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tOR.W\tR1,R0\n\tPUSH.W\tR0\n"},
    {front::kBitOr, "\tPOP.W\tR0\n\tPOP.W\tR1\n\tOR.W\tR1,R0\n\tPUSH.W\tR0\n"},
};

struct PortRegister {
  long address;
  int code;
};

// The data and direction words of the three port blocks, in code order.
constexpr PortRegister kPortRegisters[] = {
    {0, kPortRegisterFirst},      {2, kPortRegisterFirst + 1},  {20, kPortRegisterFirst + 2},
    {22, kPortRegisterFirst + 3}, {40, kPortRegisterFirst + 4}, {42, kPortRegisterFirst + 5}};

// Direction-register codes cannot be read back.
constexpr int kUnreadableRegisters[] = {kPortRegisterFirst + 1, kPortRegisterFirst + 3, kPortRegisterFirst + 5};

bool is_direction_code(int code) {
  if (code >= kBoolDirFirst && code < kConst1) return true;
  for (int r : kUnreadableRegisters)
    if (code == r) return true;
  return false;
}

const char* sequence_of(int token) {
  for (const OperatorCode& op : kOperatorCodes)
    if (op.token == token) return op.sequence;
  return nullptr;
}

int compile_operator(int token) {
  if (driver::native_output()) {
    const char* sequence = sequence_of(token);
    if (!sequence) return fail(731, nullptr);
    driver::emit_code_text(sequence);
  }
  lay(operator_byte(token));
  return 0;
}

int compile_constant(const front::Item& item) {
  if (!front::is_integer_token(item.type)) return fail(758, msg::kConstantOutOfRange);
  long value = front::parse_decimal(item.text);
  emit_code(";M_CHAR/M_INT line=%d\n", 747);
  emit_code("\tMOV.W\t#H'%lX,R0\n", value);
  emit_code("\tPUSH.W\tR0\n");
  return lay_operand(item.type, value);
}

int load_port_bit(int code, int refused_site, int comment_site, const char* tag) {
  if (is_direction_code(code)) return fail(refused_site, msg::kReadDirectionPort);
  emit_code(";%s line=%d\n", tag, comment_site);
  emit_code("\tMOV.B\t#H'%X,R0L\n\tJSR\t@fGetData:24\n\tPUSH.W\tR0\n", code);
  return lay_operand('=', code);
}

void write_word_load(std::string_view name, long address) {
  emit_code(";S_WORD line=%d\n", 555);
  if (int code = port_register_code(address)) {
    emit_code("\tMOV.B\t#H'%X,R0L\n", code);
    emit_code("\tJSR\t@fGetData:24\n");
  } else {
    emit_code("\tMOV.W\t@_%s,R0\n", std::string(name).c_str());
  }
  emit_code("\tPUSH.W\tR0\n");
}

// Pushes the element at the array's label plus the index in R0.
void write_fetch_tail(bool word, std::string_view array) {
  emit_code("\tXOR.W\tE0,E0\n");
  emit_code("\tMOV.L\t#_%s:32,ER1\n", std::string(array).c_str());
  emit_code("\tADD.L\tER0,ER1\n");
  if (word) {
    emit_code("\tMOV.W\t@ER1,R0\n");
  } else {
    emit_code("\tMOV.B\t@ER1,R0L\n");
    emit_code("\tXOR.B\tR0H,R0H\n");
  }
  emit_code("\tPUSH.W\tR0\n");
}

int read_constant_index(bool word, std::string_view array, std::string_view index) {
  long n = front::parse_decimal(index) & 0xFFFF;
  emit_code(";S_BYTE line=%d\n", 390);
  emit_code("\tMOV.W\t#H'%lX,R0\n", word ? (2 * n) & 0xFFFF : n);
  write_fetch_tail(word, array);
  lay(kConst2);
  lay_word(n);
  return 0;
}

int read_variable_index(bool word, std::string_view array, std::string_view index) {
  long address;
  int kind = symbol_number(index, address);
  if (kind != front::kKindByte && kind != front::kKindWord) return fail(1021, nullptr);
  emit_code(kind == front::kKindByte ? ";S_BYTE line=%d\n" : ";ARRAY line=%d\n", kind == front::kKindByte ? 455 : 513);
  if (load_operand(kind, index, address) < 0) return -1;
  emit_code("\tPOP.W\tR0\n");
  if (word) emit_code("\tSHLL.W\tR0\n");
  write_fetch_tail(word, array);
  return 0;
}

// The item text is the array name, ",", the index's token code, the index text.
int compile_array_read(int kind, std::string_view text) {
  size_t comma = text.find(',');
  if (comma == std::string_view::npos) return fail(957, nullptr);
  std::string_view array = text.substr(0, comma);
  long address;
  if (symbol_number(array, address) < 0) return fail(962, nullptr);
  bool word = kind == front::kKindWordArray;
  lay(word ? kArrayW : kArray);
  lay_word(address);
  std::string_view index = text.substr(std::min(text.size(), comma + 2));
  if (!index.empty() && front::is_digit(static_cast<unsigned char>(index[0])))
    return read_constant_index(word, array, index);
  return read_variable_index(word, array, index);
}

int compile_name(const front::Item& item) {
  int kind = static_cast<unsigned char>(item.text[0]);
  std::string_view text = std::string_view(item.text).substr(1);
  if (kind == front::kKindBuiltin) return compile_builtin_in_expression(text);
  if (kind == front::kKindByteArray || kind == front::kKindWordArray) return compile_array_read(kind, text);
  if (kind == front::kKindPin) return load_operand(front::kKindPin, "", front::parse_decimal(text));
  long value;
  kind = symbol_number(text, value);
  if (kind != front::kKindPortBit && kind != front::kKindByte && kind != front::kKindWord) return fail(1021, nullptr);
  return load_operand(kind, text, value);
}

std::string target_index_text(int kind, bool word, std::string_view name, long value) {
  const char* shift = word ? "\tSHLL.W\tR0\n" : "";
  std::string n(name);
  if (kind == front::kKindByte)
    return driver::format_text("\tMOV.B\t@_%s,R0L\n\tXOR.B\tR0H,R0H\n%s\tPUSH.W\tR0\n", n.c_str(), shift);
  // A port register has no label: it is read through the firmware like everywhere else.
  if (int code = port_register_code(value))
    return driver::format_text("\tMOV.B\t#H'%X,R0L\n\tJSR\t@fGetData:24\n%s\tPUSH.W\tR0\n", code, shift);
  return driver::format_text("\tMOV.W\t@_%s,R0\n%s\tPUSH.W\tR0\n", n.c_str(), shift);
}

}  // namespace

int symbol_number(std::string_view name, long& value) {
  std::string text;
  int kind = front::symbol_lookup(name, &text);
  value = kind < 0 ? 0 : static_cast<long>(front::parse_decimal(text));
  return kind;
}

int port_register_code(long address) {
  for (const PortRegister& r : kPortRegisters)
    if (r.address == address) return r.code;
  return 0;
}

int lay_operand(int kind, long value) {
  switch (kind) {
    case front::kSmallNumber:
      lay(kConst1);
      lay(static_cast<int>(value & 0xFF));
      return 0;
    case front::kMediumNumber:
      lay(kConst2);
      lay_word(value);
      return 0;
    case front::kKindByte:
      lay(kVal1);
      lay_word(value);
      return 0;
    case front::kKindWord:
      if (int code = port_register_code(value)) {
        lay(code);
        return 0;
      }
      lay(kVal2);
      lay_word(value);
      return 0;
    case front::kKindPortBit:
    case front::kKindPin:
      lay(static_cast<int>(value));
      return 0;
    default: return fail(328, nullptr);
  }
}

int load_operand(int kind, std::string_view name, long value) {
  switch (kind) {
    case front::kKindPortBit: {
      int code = front::port_bit_lookup(name, value);
      if (code < 0) return -1;
      return load_port_bit(code, 350, 356, "S_BOOL");
    }
    case front::kKindPin: return load_port_bit(static_cast<int>(value), 368, 374, "S_BOOLD");
    case front::kKindByte:
      emit_code("\tMOV.B\t@_%s,R0L\n", std::string(name).c_str());
      emit_code("\tXOR.B\tR0H,R0H\n");
      emit_code("\tPUSH.W\tR0\n");
      return lay_operand(kind, value);
    case front::kKindWord:
      write_word_load(name, value);
      return lay_operand(kind, value);
    default:
      std::fprintf(driver::g.console, msg::kLoadKindTrace, kind);
      return fail(571, nullptr);
  }
}

int generate_expression() {
  for (const front::Item& item : front::g.items) {
    int r;
    if (front::is_operator_token(item.type)) r = compile_operator(item.type);
    else if (front::is_number_token(item.type)) r = compile_constant(item);
    else if (item.type == front::kIdentifier && !item.text.empty()) r = compile_name(item);
    else r = fail(1025, nullptr);
    if (r < 0) return -1;
  }
  return 0;
}

namespace {

// The index of an assignment target: a constant or a BYTE/WORD variable.
int lay_target_index(bool word, std::string& text) {
  int code = front::advance();
  if (front::is_integer_token(code)) {
    long v = front::g.value;
    text = driver::format_text("\tMOV.W\t#H'%lX,R0\n\tPUSH.W\tR0\n", word ? (2 * v) & 0xFFFF : v);
    return lay_operand(code, v);
  }
  if (code != front::kIdentifier) return fail(1789, msg::kOnlyByteWordVariables);
  std::string name = front::g.cur.text;
  long index_address;
  int kind = symbol_number(name, index_address);
  if (kind != front::kKindByte && kind != front::kKindWord) return fail(1783, msg::kOnlyByteWordVariables);
  text = target_index_text(kind, word, name, index_address);
  return lay_operand(kind, index_address);
}

}  // namespace

int array_target_index(int array_kind, long address, std::string& text) {
  bool word = array_kind == front::kKindWordArray;
  lay(word ? kArrayW : kArray);
  lay_word(address);
  if (lay_target_index(word, text) < 0) return -1;
  if (front::advance() != front::kRightBracket) return fail(1794, msg::kNoArrayCloseBracket);
  return 0;
}

}  // namespace corvel::codegen
