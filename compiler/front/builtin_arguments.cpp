// The argument list of a built-in called as a statement, read token by token
// against the built-in's signature.
#include <string>

#include "codegen/builtin_calls.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/pins.hpp"
#include "front/statements.hpp"
#include "ground/diagnostics.hpp"
#include "ground/messages.hpp"

namespace corvel::front {

namespace {

using ground::Diag;
using ground::fail;

char upper(char letter) { return static_cast<char>(letter & ~0x20); }

bool is_optional(char letter) { return letter == 'b' || letter == 'w'; }

// A, B, F, P, W. False for a token no form takes.
bool value_argument(Parser& p, codegen::Call& call, char letter, int i) {
  using Form = codegen::ValueArgument::Form;
  int code = advance(p);
  if (letter == 'P' && code != kIdentifier) fail(Diag::NeedsWordName);
  if (letter == 'A' && code != kIdentifier) fail(Diag::NeedsArrayName);
  // A voltage is read from the number's text, whole or not.
  if (letter == 'F' && is_integer_token(code)) code = kRealNumber;
  // Only a voltage is read from its text.
  codegen::ValueArgument arg{Form::Integer, code, static_cast<long>(p.value), {}, {}};
  if (code == kRealNumber) arg = {Form::Real, code, static_cast<long>(p.value), p.cur.text, {}};
  else if (code == kIdentifier) arg = {Form::Name, code, 0, {}, resolve(p.cur)};
  else if (!is_integer_token(code)) return false;
  codegen::value_argument(p.gen, call, letter, arg, i);
  return true;
}

// C: a port bit, a variable, a port register or a pin reference.
bool control_argument(Parser& p, codegen::Call& call, int i) {
  if (advance(p) != kIdentifier) return false;
  std::string_view name = p.cur.text;
  codegen::Operand target = resolve(p.cur);
  if (!ground::is_variable(target.kind) && !name.empty() && name[0] == '#')
    target = {Kind::Pin, std::string(name), pin_reference(p, name.substr(1))};
  codegen::control_argument(p.gen, call, target, i);
  return true;
}

void string_argument(Parser& p) {
  if (advance(p) != kString) fail(Diag::NeedsString);
  std::string_view text = p.cur.text;
  codegen::string_argument(p.gen, std::string(text.substr(1, text.size() - 2)));
}

void statement_argument(Parser& p, codegen::Call& call, char letter, int i) {
  bool fitted = true;
  char kind = upper(letter);
  if (kind == 'C') fitted = control_argument(p, call, i);
  else if (kind == 'S') string_argument(p);
  else fitted = value_argument(p, call, kind, i);
  int code = advance(p);
  if (code != kComma && code != kRightParen)
    ground::fail_traced(Diag::CallSeparator, ground::format_text(msg::kSeparatorTrace, code, p.cur.text.c_str()));
  // An argument no form took would leave the call one operand short.
  if (!fitted) fail(kind == 'C' ? Diag::ControlArgument : Diag::ValueArgument);
}

}  // namespace

void compile_builtin_statement(Parser& p, const codegen::Builtin& builtin) {
  codegen::Call call;
  codegen::begin_call(p.gen, call, builtin);
  std::string_view letters = codegen::parameter_letters(builtin);
  if (letters.empty()) advance(p);
  int i = 0;
  for (size_t l = 0; l < letters.size(); ++l, ++i) {
    statement_argument(p, call, letters[l], i);
    if (l + 1 < letters.size() && is_optional(letters[l + 1]) && p.cur.code == kRightParen) {
      codegen::default_argument(p.gen, 2354, ++i);
      ++l;
    }
  }
  if (p.cur.code != kRightParen) fail(Diag::CallRightParen);
  if (advance(p) != kSemicolon) fail(Diag::CallSemicolon);
  codegen::end_call(p.gen, call);
  advance(p);
}

}  // namespace corvel::front
