// Statements that begin with a name: assignments to variables, port bits,
// pin references and array elements; labels; calls of built-ins and of the
// program's functions.
#include <string>

#include "codegen/statements.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/pins.hpp"
#include "front/statements.hpp"
#include "front/top_level.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::front {

namespace {

using ground::Diag;
using ground::fail;

bool names_a_pin(std::string_view name) { return !name.empty() && name[0] == '#'; }

codegen::Operand target_of(const Parser& p, const Token& start) {
  std::string_view name = start.text;
  codegen::Operand target = resolve(start);
  if (ground::is_variable(target.kind)) return target;
  if (!names_a_pin(name)) fail(Diag::TargetNotVariable, start.text.c_str());
  target.kind = Kind::Pin;
  target.value = pin_reference(p, name.substr(1));
  return target;
}

void compile_assignment(Parser& p, const Token& start) {
  codegen::lay_let(p.gen);
  if (start.code != kIdentifier) fail(Diag::TargetNotName, start.text.c_str());
  codegen::Target target = codegen::let_target(p.gen, target_of(p, start));
  codegen::let_value(p.gen, parse_expression(p, kSemicolon));
  codegen::store(p.gen, target);
  advance(p);
}

// The index of an assignment target: a constant or a BYTE/WORD variable.
codegen::Index target_index(Parser& p) {
  int code = advance(p);
  if (is_integer_token(code)) return {true, code, static_cast<long>(p.value), {}};
  if (code != kIdentifier) fail(Diag::TargetIndexToken);
  return {false, 0, 0, resolve(p.cur)};
}

void compile_element_assignment(Parser& p, const Token& start) {
  codegen::lay_let(p.gen);
  codegen::ElementTarget element{resolve(start), {}};
  if (!ground::is_array(element.array.kind)) fail(Diag::NotAnArray, start.text.c_str());
  element.index = target_index(p);
  codegen::let_element(p.gen, element);
  if (advance(p) != kRightBracket) fail(Diag::TargetIndexBracket);
  if (advance(p) != kAssign) fail(Diag::NoEquals);
  codegen::let_value(p.gen, parse_expression(p, kSemicolon));
  codegen::store_element(p.gen, element);
  advance(p);
}

void compile_label(Parser& p, const Token& start) {
  if (start.code != kIdentifier) fail(Diag::UnsupportedForm);
  Symbol& label = *start.symbol;
  const std::string& name = label.name;
  check_label_name(p, name, false);
  if (p.gen.pass == 1 && label.kind != Kind::None && label.kind != Kind::Forward) fail(Diag::LabelTwice, name.c_str());
  codegen::label(p.gen, name);
  SymbolTable::set_offset(label, Kind::Label, codegen::counter(p.gen));
  advance(p);
}

// The code offset a call goes to: 0 until pass 2 knows it.
long call_target(Parser& p, const Token& start) {
  Symbol& s = *start.symbol;
  if (s.kind == Kind::None) {
    SymbolTable::set_forward(s);
    return 0;
  }
  if (s.kind == Kind::Forward && p.gen.pass == 1) return 0;
  // Anything but a function would be a call into data.
  if (s.kind != Kind::Function) fail(Diag::FunctionUndefined, start.text.c_str());
  return s.offset;
}

void compile_call(Parser& p, const Token& start) {
  if (advance(p) != kRightParen) fail(Diag::FunctionCallParen);
  if (advance(p) != kSemicolon) fail(Diag::FunctionCallSemicolon);
  if (start.code != kIdentifier) fail(Diag::UnsupportedForm);
  codegen::call_function(p.gen, start.symbol->name, call_target(p, start));
  advance(p);
}

void compile_call_or_builtin(Parser& p, const Token& start) {
  const Symbol* s = start.symbol;
  if (s && s->kind == Kind::Builtin) return compile_builtin_statement(p, *s->builtin);
  compile_call(p, start);
}

}  // namespace

void compile_name_statement(Parser& p) {
  const Token start = p.cur;
  int code = advance(p);
  if (code == kAssign) return compile_assignment(p, start);
  if (code == kLeftBracket) return compile_element_assignment(p, start);
  if (code == kColon) return compile_label(p, start);
  if (code == kLeftParen) return compile_call_or_builtin(p, start);
  if (code >= kModAssign && code <= kShrAssign) fail(Diag::CompoundAssignment, p.cur.text.c_str());
  fail(Diag::UnsupportedForm);
}

}  // namespace corvel::front
