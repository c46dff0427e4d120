#include "codegen/builtin_calls.hpp"

#include <cstdio>
#include <string>
#include <vector>

#include "codegen/builtin_table.hpp"
#include "codegen/expression_codegen.hpp"
#include "codegen/intermediate_code.hpp"
#include "codegen/state.hpp"
#include "driver/board_config.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/state.hpp"
#include "front/symbol_table.hpp"

namespace corvel::codegen {

namespace {

using driver::emit_code;
using driver::emit_data;
using driver::fail;
using driver::lay;

constexpr const char* kArgumentRegisters[] = {"R2", "R3", "R4", "R5", "E2", "E3"};
constexpr int kDataReq = 25;
constexpr int kPulse = 1, kInc = 2, kClear = 3, kDec = 4;
constexpr int kSupplyVpp = 0, kSupplyVcc = 1;

const char* reg(int i) { return kArgumentRegisters[i < 6 ? i : 5]; }

struct Call {
  int number = 0;
  std::string name;
  char result = ' ';       // blank: no value returned
  std::string parameters;  // the signature without its result letter
  bool inline_form = false;  // a variable given to Pulse/Inc/Dec/Clear needs no service call
};

// The service number and signature of a built-in's value text.
int split_value_text(std::string_view value_text, Call& call) {
  size_t digits = 0;
  while (digits < value_text.size() && front::is_digit(static_cast<unsigned char>(value_text[digits]))) ++digits;
  call.number = static_cast<int>(front::parse_decimal(value_text.substr(0, digits)));
  std::string_view signature = value_text.substr(digits);
  if (!signature.empty()) call.result = signature[0];
  call.parameters = std::string(signature.substr(signature.empty() ? 0 : 1));
  const Builtin* builtin = builtin_by_number(call.number);
  call.name = builtin ? builtin->name : "";
  return call.number;
}

bool is_optional(char letter) { return letter == 'b' || letter == 'w'; }

char upper(char letter) { return static_cast<char>(letter & ~0x20); }

void write_constant(int site, long value, int i) {
  emit_code(";M_CHAR/M_INT line=%d\n", site);
  emit_code("\tMOV.W\t#H'%lX,%s\n", value, reg(i));
}

void lay_default(int site, int i) {
  lay(kConst1);
  lay(0);
  write_constant(site, 0, i);
}

void write_byte_variable(int site, const std::string& name, int i) {
  emit_code(";S_BYTE line=%d\n", site);
  emit_code("\tMOV.B\t@_%s,%sL\n", name.c_str(), reg(i));
  emit_code("\tXOR.B\t%sH,%sH\n", reg(i), reg(i));
}

// A WORD variable: by address for DataReq after its first parameter, through
// the firmware for a port register, else its value.
int write_word_variable(int site, const Call& call, const std::string& name, long address, int i) {
  emit_code(";S_WORD line=%d\n", site);
  int code = port_register_code(address);
  if (call.number == kDataReq && i >= 1) {
    // A port register has no label whose address could be passed.
    if (code && driver::native_output()) return fail(0, nullptr);
    emit_code("\tMOV.W\t#_%s,%s\n", name.c_str(), reg(i));
  } else if (code) {
    emit_code("\tMOV.B\t#H'%X,R0L\n", code);
    emit_code("\tJSR\t@fGetData:24\n");
    emit_code("\tMOV.W\tR0,%s\n", reg(i));
  } else {
    emit_code("\tMOV.W\t@_%s,%s\n", name.c_str(), reg(i));
  }
  return lay_operand(front::kKindWord, address);
}

void lay_array_address(int site, const std::string& name, long address, int i) {
  emit_code(";ID_ARRAY/ID_ARRAYW line=%d\n", site);
  emit_code("\tMOV.W\t#_%s,%s\n", name.c_str(), reg(i));
  lay(kConst2);
  driver::lay_word(address);
}

int voltage_argument(const Call& call, const std::string& text, int i) {
  int supply = call.name.find("Vcc") != std::string::npos ? kSupplyVcc : kSupplyVpp;
  int tenths = driver::voltage_conversion(driver::g.board_number, supply, text);
  if (tenths < 0) return fail(2196, msg::kVoltageRange);
  lay(kConst1);
  lay(tenths);
  write_constant(2205, tenths, i);
  return 0;
}

int named_value_argument(const Call& call, char letter, int i) {
  const std::string name = front::g.cur.text;
  long address;
  int kind = symbol_number(name, address);
  if (letter == 'P' && kind != front::kKindWord) return fail(2216, msg::kNeedWordVariable);
  if (letter == 'A' && kind != front::kKindByteArray) return fail(2221, msg::kNeedArray);
  if (kind == front::kKindByte) {
    write_byte_variable(2229, name, i);
    return lay_operand(kind, address);
  }
  if (kind == front::kKindWord) return write_word_variable(2242, call, name, address, i);
  if (kind == front::kKindByteArray || kind == front::kKindWordArray) {
    lay_array_address(2273, name, address, i);
    return 0;
  }
  return fail(2294, msg::kOnlyByteWordVariables);
}

// A, B, F, P, W. `fitted` turns false for a token no branch takes.
int value_argument(const Call& call, char letter, int i, bool& fitted) {
  int code = front::advance();
  if (letter == 'P' && code != front::kIdentifier) return fail(2161, msg::kNeedWordVariable);
  if (letter == 'A' && code != front::kIdentifier) return fail(2166, msg::kNeedArray);
  if (letter == 'F' && front::is_integer_token(code)) code = front::kRealNumber;
  if (front::is_integer_token(code)) {
    long value = front::g.value;
    write_constant(2182, value, i);
    return lay_operand(code, value);
  }
  if (code == front::kRealNumber) return voltage_argument(call, front::g.cur.text, i);
  if (code == front::kIdentifier) return named_value_argument(call, letter, i);
  fitted = false;
  return 0;
}

// Pulse, Inc, Dec and Clear on a variable are done in place.
void write_inline_form(int service, bool word, const std::string& name, int i) {
  const char* r = reg(i);
  const char* n = name.c_str();
  if (service == kPulse) {
    driver::emit_code_text(msg::kPulseOnVariable);
  } else if (service == kInc || service == kDec) {
    const char* op = service == kInc ? "INC" : "DEC";
    if (word) {
      emit_code("\tMOV.W\t@_%s,%s\n\t%s.W\t#1,%s\n\tMOV.W\t%s,@_%s\n", n, r, op, r, r, n);
    } else {
      emit_code("\tMOV.B\t@_%s,%sL\n\t%s.B\t%sL\n\tMOV.B\t%sL,@_%s\n", n, r, op, r, r, n);
    }
  } else if (service == kClear) {
    if (word) emit_code("\tXOR.W\tR0,R0\n\tMOV.W\tR0,@_%s\n", n);
    else emit_code("\tXOR.B\tR0L,R0L\n\tMOV.B\tR0L,@_%s\n", n);
  }
}

int control_variable(Call& call, int kind, const std::string& name, long address, int i) {
  bool word = kind == front::kKindWord;
  if (word && port_register_code(address)) {
    int code = port_register_code(address);
    emit_code(";S_WORD line=%d\n", 2094);
    emit_code("\tMOV.B\t#H'%X,%sL\n", code, reg(i));
    return lay_operand(kind, address);
  }
  emit_code(word ? ";S_WORD line=%d\n" : ";S_BYTE line=%d\n", word ? 2094 : 2062);
  write_inline_form(call.number, word, name, i);
  call.inline_form = true;
  return lay_operand(kind, address);
}

// C: a port bit, a pin reference, a variable or a port register.
int control_argument(Call& call, int i, bool& fitted) {
  if (front::advance() != front::kIdentifier) {
    fitted = false;
    return 0;
  }
  const std::string name = front::g.cur.text;
  long address;
  int kind = symbol_number(name, address);
  if (kind == front::kKindPortBit) {
    int code = front::port_bit_lookup(name, address);
    if (code < 0) return -1;
    emit_code(";S_BOOL line=%d\n", 2049);
    emit_code("\tMOV.B\t#H'%X,R0L\n", code);
    emit_code("\tJSR\t@fGetData:24\n\tMOV.W\tR0,%s\n", reg(i));
    return lay_operand(kind, code);
  }
  if (kind == front::kKindByte || kind == front::kKindWord) return control_variable(call, kind, name, address, i);
  if (!name.empty() && name[0] == '#') {
    int code = front::pin_reference(std::string_view(name).substr(1));
    if (code < 0) return -1;
    emit_code("\tMOV.B\t#H'%X,%sL\n", code, reg(i));
    return lay_operand(front::kKindPin, code);
  }
  return fail(2146, msg::kOnlyVariablesOrPorts);
}

// A string: its characters as data bytes here, its text as MSG_n in the data stream.
void write_string_data(const std::string& chars, int m) {
  emit_data(";STRING line=%d\n", 2321);
  emit_data("MSG_%d:\n", m);
  auto special = [](unsigned char c) { return c < 0x20 || c == '"'; };
  bool plain = true;
  for (unsigned char c : chars) plain = plain && !special(c);
  if (plain) {
    emit_data("\t.SDATA\t\"%s\"\n", chars.c_str());
  } else {
    // Quotes and control bytes cannot stand inside .SDATA: they go as single bytes.
    std::string run;
    for (unsigned char c : chars) {
      if (!special(c)) {
        run.push_back(static_cast<char>(c));
        continue;
      }
      if (!run.empty()) emit_data("\t.SDATA\t\"%s\"\n", run.c_str());
      run.clear();
      emit_data("\t.DATA.B\t%d\n", c);
    }
    if (!run.empty()) emit_data("\t.SDATA\t\"%s\"\n", run.c_str());
  }
  emit_data("\t.DATA.B\t0\n");
}

int string_argument() {
  if (front::advance() != front::kString) return fail(2304, msg::kNeedString);
  const std::string& text = front::g.cur.text;
  std::string chars = text.substr(1, text.size() - 2);
  for (unsigned char c : chars) lay(c);
  lay(0);
  int m = ++g.string_counter;
  write_string_data(chars, m);
  emit_code(";STRING line=%d\n", 2326);
  emit_code("\tMOV.L\t#MSG_%d:32,ER2\n", m);
  return 0;
}

int statement_argument(Call& call, char letter, int i) {
  bool fitted = true;
  int r;
  char kind = upper(letter);
  if (kind == 'C') r = control_argument(call, i, fitted);
  else if (kind == 'S') r = string_argument();
  else if (kind == 'A' || kind == 'B' || kind == 'F' || kind == 'P' || kind == 'W') r = value_argument(call, kind, i, fitted);
  else return fail(2332, nullptr);
  if (r < 0) return -1;
  int code = front::advance();
  if (code != front::kComma && code != front::kRightParen) {
    std::fprintf(driver::g.console, msg::kSeparatorTrace, code, front::g.cur.text.c_str());
    return fail(2340, msg::kBadCallParameter);
  }
  // An argument no branch took would leave the call one operand short.
  if (!fitted) return fail(kind == 'C' ? 2146 : 2294, kind == 'C' ? msg::kOnlyVariablesOrPorts : msg::kOnlyByteWordVariables);
  return 0;
}

struct Argument {
  int code;
  std::string text;
};

std::vector<Argument> split_arguments(std::string_view list) {
  std::vector<Argument> args;
  while (!list.empty()) {
    list.remove_prefix(1);  // the comma
    size_t end = list.find(',');
    std::string_view piece = list.substr(0, end);
    if (!piece.empty()) args.push_back({static_cast<unsigned char>(piece[0]), std::string(piece.substr(1))});
    list = end == std::string_view::npos ? std::string_view() : list.substr(end);
  }
  return args;
}

int named_expression_argument(const Call& call, char letter, const Argument& arg, int i) {
  long address;
  int kind = symbol_number(arg.text, address);
  if (letter == 'P' && kind != front::kKindWord) return fail(837, msg::kNeedWordVariable);
  if (letter == 'A' && kind != front::kKindByteArray) return fail(842, msg::kNeedArray);
  if (kind == front::kKindByte) {
    write_byte_variable(853, arg.text, i);
    return lay_operand(kind, address);
  }
  if (kind == front::kKindWord) return write_word_variable(866, call, arg.text, address, i);
  // An array passes its address, as intermediate code does, whatever the service.
  if (kind == front::kKindByteArray) {
    lay_array_address(894, arg.text, address, i);
    return 0;
  }
  return fail(911, msg::kUnsupportedVariable);
}

int expression_argument(const Call& call, char letter, const Argument& arg, int i) {
  if (letter == 'P' && arg.code != front::kIdentifier) return fail(812, msg::kNeedWordVariable);
  if (letter == 'A' && arg.code != front::kIdentifier) return fail(817, msg::kNeedArray);
  if (front::is_integer_token(arg.code)) {
    long value = front::parse_decimal(arg.text);
    write_constant(829, value, i);
    return lay_operand(arg.code, value);
  }
  if (arg.code == front::kIdentifier) return named_expression_argument(call, letter, arg, i);
  return fail(917, msg::kUnsupportedVariable);
}

}  // namespace

void reset_string_counter() { g.string_counter = 0; }

void emit_service_call(int number) {
  if (const Builtin* builtin = builtin_by_number(number)) driver::emit_code_text(builtin->call_line);
}

int compile_builtin_statement(std::string_view value_text) {
  Call call;
  if (split_value_text(value_text, call) == 0) return fail(2007, nullptr);
  lay(kCallIn);
  lay(call.number);
  const std::string& letters = call.parameters;
  if (letters.empty()) front::advance();
  int i = 0;
  for (size_t l = 0; l < letters.size(); ++l, ++i) {
    if (statement_argument(call, letters[l], i) < 0) return -1;
    if (l + 1 < letters.size() && is_optional(letters[l + 1]) && front::g.cur.code == front::kRightParen) {
      lay_default(2354, ++i);
      ++l;
    }
  }
  if (front::g.cur.code != front::kRightParen) return fail(2364, msg::kNoFuncRightParen);
  if (front::advance() != front::kSemicolon) return fail(2369, msg::kNoCallSemicolon);
  if (!call.inline_form) emit_service_call(call.number);
  front::advance();
  return 0;
}

int compile_builtin_in_expression(std::string_view item_text) {
  size_t comma = item_text.find(',');
  std::string name(item_text.substr(0, comma));
  std::string value;
  if (front::symbol_lookup(name, &value) < 0) return fail(773, nullptr);
  Call call;
  if (split_value_text(value, call) == 0) return fail(783, nullptr);
  if (call.result == ' ') return fail(788, msg::kNoReturnValue);
  lay(kCallIn);
  lay(call.number);
  std::vector<Argument> args = split_arguments(comma == std::string_view::npos ? "" : item_text.substr(comma));
  const std::string& letters = call.parameters;
  size_t a = 0;
  int i = 0;
  for (size_t l = 0; l < letters.size(); ++l, ++i) {
    if (a >= args.size()) return fail(799, nullptr);
    if (expression_argument(call, upper(letters[l]), args[a++], i) < 0) return -1;
    if (l + 1 < letters.size() && is_optional(letters[l + 1]) && a >= args.size()) {
      lay_default(931, ++i);
      ++l;
    }
    if ((l + 1 < letters.size()) != (a < args.size())) return fail(939, msg::kParameterCount);
  }
  // A built-in without parameters given arguments would drop them silently.
  if (letters.empty() && !args.empty()) return fail(939, msg::kParameterCount);
  emit_service_call(call.number);
  emit_code(";function return line=%d\n", 948);
  emit_code("\tPUSH.W\tR0\n");
  return 0;
}

}  // namespace corvel::codegen
