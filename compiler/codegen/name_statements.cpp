#include "codegen/name_statements.hpp"

#include <string>

#include "codegen/builtin_calls.hpp"
#include "codegen/expression_codegen.hpp"
#include "codegen/intermediate_code.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "driver/text_format.hpp"
#include "driver/top_level.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/state.hpp"
#include "front/symbol_table.hpp"

namespace corvel::codegen {

namespace {

using driver::emit_code;
using driver::fail;
using driver::format_text;
using driver::lay;
using front::advance;
using front::Token;

constexpr int kPinMapOffset = 4;
constexpr int kPortBits = 16;

const char* const kSetDataStore = "\tPOP.W\tR0\n\tMOV.B\t#H'%X,R1L\n\tJSR\t@fSetData:24\n";

// A port bit that a #port pin map holds belongs to that port as a whole.
bool in_a_pin_map(int code) {
  for (int block = 0; block < driver::kMaxPorts; ++block) {
    for (int i = 0; i < kPortBits; ++i) {
      int byte = driver::g.image[block * driver::kPortBlockSize + kPinMapOffset + i];
      if (byte == driver::kNoPort) break;
      if (byte == (code & 0xFF)) return true;
    }
  }
  return false;
}

std::string set_data_store(const char* tag, int site, int code) {
  return format_text(";%s line=%d\n", tag, site) + format_text(kSetDataStore, code);
}

// Lays the assignment's target and builds the text that stores into it.
int compile_target(const std::string& name, std::string& store) {
  long address;
  int kind = symbol_number(name, address);
  if (kind == front::kKindPortBit) {
    int code = front::port_bit_lookup(name, address);
    if (code < 0) return -1;
    if (in_a_pin_map(code)) return fail(2517, msg::kAssignPortBit, name.c_str());
    store = set_data_store("S_BOOL", 2525, code);
    return lay_operand(kind, code);
  }
  if (kind == front::kKindByte) {
    store = format_text(";S_BYTE line=%d\n\tPOP.W\tR0\n\tMOV.B\tR0L,@_%s\n", 2535, name.c_str());
    return lay_operand(kind, address);
  }
  if (kind == front::kKindWord) {
    int code = port_register_code(address);
    store = code ? set_data_store("S_WORD", 2547, code)
                 : format_text(";S_WORD line=%d\n\tPOP.W\tR0\n\tMOV.W\tR0,@_%s\n", 2549, name.c_str());
    return lay_operand(kind, address);
  }
  if (!name.empty() && name[0] == '#') {
    int code = front::pin_reference(std::string_view(name).substr(1));
    if (code < 0) return -1;
    if (in_a_pin_map(code)) return fail(2568, msg::kAssignPortBit, name.c_str());
    store = set_data_store("#value", 2576, code);
    return lay_operand(front::kKindPin, code);
  }
  return fail(2583, msg::kTargetNotVariable, name.c_str());
}

// The right-hand side: item count, then the expression.
int compile_value() {
  if (front::parse_expression(front::kSemicolon) < 0) return -1;
  lay(static_cast<int>(front::g.items.size()));
  return generate_expression();
}

int compile_assignment(const Token& start) {
  lay(kLet);
  if (start.code != front::kIdentifier) return fail(2590, msg::kTargetNotVariable, start.text.c_str());
  std::string store;
  if (compile_target(start.text, store) < 0) return -1;
  if (compile_value() < 0) return -1;
  driver::emit_code_text(store);
  advance();
  return 0;
}

int compile_element_assignment(const Token& start) {
  lay(kLet);
  long address;
  int kind = symbol_number(start.text, address);
  if (kind != front::kKindByteArray && kind != front::kKindWordArray)
    return fail(2449, msg::kNotAnArray, start.text.c_str());
  std::string index_text;
  if (array_target_index(kind, address, index_text) < 0) return -1;
  if (advance() != front::kAssign) return fail(2462, msg::kNoEquals);
  if (compile_value() < 0) return -1;
  emit_code(";ARRAY line=%d\n", 2477);
  driver::emit_code_text(index_text);
  emit_code("\tPOP.W\tR0\n\tXOR.W\tE0,E0\n\tMOV.L\t#_%s:32,ER1\n\tADD.L\tER0,ER1\n\tPOP.W\tR0\n", start.text.c_str());
  emit_code(kind == front::kKindWordArray ? "\tMOV.W\tR0,@ER1\n" : "\tMOV.B\tR0L,@ER1\n");
  advance();
  return 0;
}

int compile_label(const Token& start) {
  const std::string& name = start.text;
  if (start.code != front::kIdentifier) return fail(2609, msg::kUnsupportedForm);
  if (driver::check_label_name(name, false) < 0) return -1;
  if (driver::g.pass == 1) {
    int kind = front::symbol_kind(name);
    if (kind >= 0 && kind != front::kKindForward) return fail(1976, msg::kDuplicate, name.c_str());
  }
  emit_code("_%s:\n", name.c_str());
  if (driver::register_symbol(name, std::to_string(driver::g.byte_counter), front::kKindLabel) < 0) return -1;
  advance();
  return 0;
}

// The code offset a call goes to: 0 until pass 2 knows it, -1 after a diagnostic.
long call_target(const std::string& name) {
  int kind = front::symbol_kind(name);
  if (kind < 0) {
    if (driver::register_symbol(name, "", front::kKindForward) < 0) return -1;
    return 0;
  }
  if (kind == front::kKindForward && driver::g.pass == 1) return 0;
  // Anything but a function would be a call into data.
  if (kind != front::kKindFunction) return fail(2404, msg::kFunctionUndefined, name.c_str());
  long offset;
  symbol_number(name, offset);
  return offset;
}

int compile_call(const Token& start) {
  if (advance() != front::kRightParen) return fail(2384, msg::kNoFuncRightParen);
  if (advance() != front::kSemicolon) return fail(2389, msg::kNoCallSemicolon);
  if (start.code != front::kIdentifier) return fail(2609, msg::kUnsupportedForm);
  long target = call_target(start.text);
  if (target < 0) return -1;
  if (driver::g.frame_count != 0) {
    emit_code("update_%d_%d:\n", driver::g.frame_label_counter, driver::g.byte_counter);
    emit_code("\tMOV.L\t#_%s:32,ER2\n", start.text.c_str());
    emit_code("\tJSR\t@fOverlay\n");
  } else {
    emit_code("\tJSR\t@_%s\n", start.text.c_str());
  }
  lay(kCall);
  driver::lay_word(driver::runtime_address(target));
  advance();
  return 0;
}

int compile_call_or_builtin(const Token& start) {
  std::string value;
  if (front::symbol_lookup(start.text, &value) == front::kKindBuiltin) return compile_builtin_statement(value);
  return compile_call(start);
}

}  // namespace

int compile_name_statement() {
  const Token start = front::g.cur;
  int code = advance();
  if (code == front::kAssign) return compile_assignment(start);
  if (code == front::kLeftBracket) return compile_element_assignment(start);
  if (code == front::kColon) return compile_label(start);
  if (code == front::kLeftParen) return compile_call_or_builtin(start);
  if (code >= front::kModAssign && code <= front::kShrAssign)
    return fail(2442, msg::kUnsupportedOperator, front::g.cur.text.c_str());
  return fail(2609, msg::kUnsupportedForm);
}

}  // namespace corvel::codegen
