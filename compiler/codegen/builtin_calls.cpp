#include "codegen/builtin_calls.hpp"

#include <string_view>

#include "codegen/intermediate_code.hpp"
#include "codegen/operands.hpp"
#include "ground/board.hpp"
#include "ground/diagnostics.hpp"
#include "ground/messages.hpp"

namespace corvel::codegen {

namespace {

using ground::Diag;
using ground::fail;
using ground::Kind;

constexpr const char* kArgumentRegisters[] = {"R2", "R3", "R4", "R5", "E2", "E3"};
constexpr int kDataReq = 25;
constexpr int kPulse = 1, kInc = 2, kClear = 3, kDec = 4;
constexpr int kSupplyVpp = 0, kSupplyVcc = 1;

const char* reg(int i) { return kArgumentRegisters[i < 6 ? i : 5]; }

bool is_optional(char letter) { return letter == 'b' || letter == 'w'; }

char upper(char letter) { return static_cast<char>(letter & ~0x20); }

void write_constant(Gen& g, int site, long value, int i) {
  emit(g, ";M_CHAR/M_INT line=%d\n", site);
  emit(g, "\tMOV.W\t#H'%lX,%s\n", value, reg(i));
}

void write_byte_variable(Gen& g, int site, const std::string& name, int i) {
  emit(g, ";S_BYTE line=%d\n", site);
  emit(g, "\tMOV.B\t@_%s,%sL\n", name.c_str(), reg(i));
  emit(g, "\tXOR.B\t%sH,%sH\n", reg(i), reg(i));
}

// A WORD variable: by address for DataReq after its first parameter, through
// the firmware for a port register, else its value.
void write_word_variable(Gen& g, int site, const Builtin& b, const Operand& word, int i) {
  emit(g, ";S_WORD line=%d\n", site);
  int r = port_register_code(word.value);
  if (b.number == kDataReq && i >= 1) {
    // A port register has no label whose address could be passed.
    if (r && native_output(g)) fail(Diag::DataReqPortRegister);
    emit(g, "\tMOV.W\t#_%s,%s\n", word.name.c_str(), reg(i));
  } else if (r) {
    emit(g, "\tMOV.B\t#H'%X,R0L\n", r);
    emit(g, "\tJSR\t@fGetData:24\n");
    emit(g, "\tMOV.W\tR0,%s\n", reg(i));
  } else {
    emit(g, "\tMOV.W\t@_%s,%s\n", word.name.c_str(), reg(i));
  }
  lay_operand(g, Kind::Word, word.value);
}

void lay_array_address(Gen& g, int site, const Operand& array, int i) {
  emit(g, ";ID_ARRAY/ID_ARRAYW line=%d\n", site);
  emit(g, "\tMOV.W\t#_%s,%s\n", array.name.c_str(), reg(i));
  g.image.lay(kConst2);
  g.image.lay_word(array.value);
}

void voltage_argument(Gen& g, const Builtin& b, const std::string& text, int i) {
  int supply = std::string_view(b.name).find("Vcc") != std::string_view::npos ? kSupplyVcc : kSupplyVpp;
  int tenths = ground::voltage_conversion(g.board_number, supply, text);
  if (tenths < 0) fail(Diag::VoltageRange);
  g.image.lay(kConst1);
  g.image.lay(tenths);
  write_constant(g, 2205, tenths, i);
}

// The checks and comment sites of a named argument, in a statement call and
// inside an expression.
struct NamedArgument {
  Diag needs_word, needs_array;
  int byte_site, word_site, array_site;
  bool word_arrays;  // a WORD array passes its address too
  Diag unusable;
};

constexpr NamedArgument kInStatement = {Diag::NeedsWordVariable, Diag::NeedsArray, 2229, 2242, 2273, true,
                                        Diag::ValueArgument};
// An array passes its address, as intermediate code does, whatever the service.
constexpr NamedArgument kInExpression = {Diag::ExprNeedsWordVariable, Diag::ExprNeedsArray, 853, 866, 894, false,
                                         Diag::ExprUnusableName};

void named_argument(Gen& g, const Builtin& b, char letter, const Operand& name, int i, const NamedArgument& n) {
  if (letter == 'P' && name.kind != Kind::Word) fail(n.needs_word);
  if (letter == 'A' && name.kind != Kind::ByteArray) fail(n.needs_array);
  if (name.kind == Kind::Byte) {
    write_byte_variable(g, n.byte_site, name.name, i);
    return lay_operand(g, name.kind, name.value);
  }
  if (name.kind == Kind::Word) return write_word_variable(g, n.word_site, b, name, i);
  if (name.kind == Kind::ByteArray || (n.word_arrays && name.kind == Kind::WordArray))
    return lay_array_address(g, n.array_site, name, i);
  fail(n.unusable);
}

// Pulse, Inc, Dec and Clear on a variable are done in place.
void write_inline_form(Gen& g, int service, bool word, const std::string& name, int i) {
  const char* r = reg(i);
  const char* n = name.c_str();
  if (service == kPulse) {
    emit_text(g, msg::kPulseOnVariable);
  } else if (service == kInc || service == kDec) {
    const char* op = service == kInc ? "INC" : "DEC";
    if (word) emit(g, "\tMOV.W\t@_%s,%s\n\t%s.W\t#1,%s\n\tMOV.W\t%s,@_%s\n", n, r, op, r, r, n);
    else emit(g, "\tMOV.B\t@_%s,%sL\n\t%s.B\t%sL\n\tMOV.B\t%sL,@_%s\n", n, r, op, r, r, n);
  } else if (service == kClear) {
    if (word) emit(g, "\tXOR.W\tR0,R0\n\tMOV.W\tR0,@_%s\n", n);
    else emit(g, "\tXOR.B\tR0L,R0L\n\tMOV.B\tR0L,@_%s\n", n);
  }
}

void control_variable(Gen& g, Call& call, const Operand& v, int i) {
  bool word = v.kind == Kind::Word;
  if (int r = word ? port_register_code(v.value) : 0) {
    emit(g, ";S_WORD line=%d\n", 2094);
    emit(g, "\tMOV.B\t#H'%X,%sL\n", r, reg(i));
    return lay_operand(g, v.kind, v.value);
  }
  emit(g, word ? ";S_WORD line=%d\n" : ";S_BYTE line=%d\n", word ? 2094 : 2062);
  write_inline_form(g, call.builtin->number, word, v.name, i);
  call.inline_form = true;
  lay_operand(g, v.kind, v.value);
}

// Quotes and control bytes cannot stand inside .SDATA: they go as single bytes.
void write_string_runs(Gen& g, const std::string& chars) {
  auto special = [](unsigned char c) { return c < 0x20 || c == '"'; };
  std::string run;
  for (unsigned char c : chars) {
    if (!special(c)) {
      run.push_back(static_cast<char>(c));
      continue;
    }
    if (!run.empty()) emit_data(g, "\t.SDATA\t\"%s\"\n", run.c_str());
    run.clear();
    emit_data(g, "\t.DATA.B\t%d\n", c);
  }
  if (!run.empty()) emit_data(g, "\t.SDATA\t\"%s\"\n", run.c_str());
}

// A string: its characters as data bytes here, its text as MSG_n in the data stream.
void write_string_data(Gen& g, const std::string& chars, int m) {
  emit_data(g, ";STRING line=%d\n", 2321);
  emit_data(g, "MSG_%d:\n", m);
  if (chars.empty()) emit_data(g, "\t.SDATA\t\"\"\n");
  else write_string_runs(g, chars);
  emit_data(g, "\t.DATA.B\t0\n");
}

void expression_argument(Gen& g, const Builtin& b, char letter, const Argument& arg, int i) {
  if (letter == 'P' && arg.code != kName) fail(Diag::ExprNeedsWordName);
  if (letter == 'A' && arg.code != kName) fail(Diag::ExprNeedsArrayName);
  if (is_integer_code(arg.code)) {
    write_constant(g, 829, arg.value, i);
    return lay_constant(g, arg.code, arg.value);
  }
  if (arg.code == kName) return named_argument(g, b, letter, arg.name, i, kInExpression);
  fail(Diag::ExprUnusableArgument);
}

void emit_service_call(Gen& g, const Builtin& b) { emit_text(g, b.call_line); }

}  // namespace

void begin_call(Gen& g, Call& call, const Builtin& builtin) {
  call.builtin = &builtin;
  g.image.lay(kCallIn);
  g.image.lay(builtin.number);
}

void value_argument(Gen& g, const Call& call, char letter, const ValueArgument& arg, int i) {
  switch (arg.form) {
    case ValueArgument::Form::Integer:
      write_constant(g, 2182, arg.value, i);
      return lay_constant(g, arg.code, arg.value);
    case ValueArgument::Form::Real: return voltage_argument(g, *call.builtin, arg.text, i);
    case ValueArgument::Form::Name: return named_argument(g, *call.builtin, letter, arg.name, i, kInStatement);
  }
}

void control_argument(Gen& g, Call& call, const Operand& target, int i) {
  // A port bit goes to the service as its code, as in byte code and as a pin
  // reference does: the service acts on the bit, not on its level.
  if (target.kind == Kind::PortBit) {
    int code = port_bit_lookup(g, target.name, target.value);
    emit(g, ";S_BOOL line=%d\n", 2049);
    emit(g, "\tMOV.B\t#H'%X,%sL\n", code, reg(i));
    return lay_operand(g, target.kind, code);
  }
  if (target.kind == Kind::Byte || target.kind == Kind::Word) return control_variable(g, call, target, i);
  if (target.kind != Kind::Pin) fail(Diag::ControlArgument);
  emit(g, "\tMOV.B\t#H'%lX,%sL\n", target.value, reg(i));
  lay_operand(g, Kind::Pin, target.value);
}

void string_argument(Gen& g, const std::string& chars) {
  if (!native_mode(g) && chars.find('\0') != std::string::npos) fail(Diag::ZeroInString);
  for (unsigned char c : chars) g.image.lay(c);
  g.image.lay(0);
  int m = ++g.string_counter;
  write_string_data(g, chars, m);
  emit(g, ";STRING line=%d\n", 2326);
  emit(g, "\tMOV.L\t#MSG_%d:32,ER2\n", m);
}

void default_argument(Gen& g, int site, int i) {
  g.image.lay(kConst1);
  g.image.lay(0);
  write_constant(g, site, 0, i);
}

void end_call(Gen& g, const Call& call) {
  if (!call.inline_form) emit_service_call(g, *call.builtin);
}

void compile_builtin_in_expression(Gen& g, const Item& item) {
  const Builtin& b = *item.builtin;
  if (result_letter(b) == ' ') fail(Diag::NoResultInExpression);
  g.image.lay(kCallIn);
  g.image.lay(b.number);
  std::string_view letters = parameter_letters(b);
  const std::vector<Argument>& args = item.arguments;
  size_t a = 0;
  int i = 0;
  for (size_t l = 0; l < letters.size(); ++l, ++i) {
    if (a >= args.size()) fail(Diag::TooFewArguments);
    expression_argument(g, b, upper(letters[l]), args[a++], i);
    if (l + 1 < letters.size() && is_optional(letters[l + 1]) && a >= args.size()) {
      default_argument(g, 931, ++i);
      ++l;
    }
    if ((l + 1 < letters.size()) != (a < args.size())) fail(Diag::ExprArgumentCount);
  }
  // A built-in without parameters given arguments would drop them silently.
  if (letters.empty() && !args.empty()) fail(Diag::ExprArgumentCount);
  emit_service_call(g, b);
  emit(g, ";function return line=%d\n", 948);
  emit(g, "\tPUSH.W\tR0\n");
}

}  // namespace corvel::codegen
