#include "front/statements.hpp"

#include <string>

#include "codegen/statements.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::front {

namespace {

using ground::Diag;
using ground::fail;

std::string continue_label(int n) { return "ContinueLabel" + std::to_string(n); }
std::string break_label(int n) { return "BreakLabel" + std::to_string(n); }

// Parses "(condition)" after the keyword; the "(" must come first.
const codegen::Expression& parse_condition(Parser& p, Diag no_paren) {
  if (advance(p) != kLeftParen) fail(no_paren);
  return parse_expression(p, kRightParen);
}

bool at_keyword(const Parser& p, Kind keyword) {
  return p.cur.code == kIdentifier && kind_of(p.cur.symbol) == keyword;
}

void compile_if(Parser& p) {
  codegen::Judge j = codegen::lay_judge(p.gen, parse_condition(p, Diag::IfParen));
  codegen::if_test(p.gen, j.start);
  compile_body(p);
  codegen::fix_to_here(p.gen, j.skip);
  codegen::if_then_end(p.gen, j.start);
  if (at_keyword(p, Kind::Else)) {
    long jump = codegen::lay_goto(p.gen, 0);
    codegen::fix_to_here(p.gen, j.skip);
    compile_body(p);
    codegen::fix_to_here(p.gen, jump);
  }
  codegen::if_end(p.gen, j.start);
}

// The number of the loop being entered.
int enter_loop(Parser& p, Diag too_deep) {
  if (++p.loops.depth == ground::kLoopStackSize) fail(too_deep);
  return p.loops.numbers[p.loops.depth] = p.loops.counter++;
}

void register_loop_label(Parser& p, const std::string& name, long offset, Diag twice) {
  Symbol& label = *p.symbols.intern(name);
  if (p.gen.pass == 1 && label.kind != Kind::None && label.kind != Kind::Forward) fail(twice, name.c_str());
  SymbolTable::set_offset(label, Kind::Label, offset);
}

struct LoopEnd {
  const char* statement;
  Diag continue_twice, break_twice;
};

// Both loops end alike: the continue label at the top, the break label here.
void leave_loop(Parser& p, int n, long top, const LoopEnd& end) {
  register_loop_label(p, continue_label(n), top, end.continue_twice);
  codegen::loop_end(p.gen, n, end.statement);
  register_loop_label(p, break_label(n), codegen::counter(p.gen), end.break_twice);
  --p.loops.depth;
}

void compile_while(Parser& p) {
  int n = enter_loop(p, Diag::WhileTooDeep);
  const codegen::Expression& condition = parse_condition(p, Diag::WhileParen);
  long top = codegen::counter(p.gen);
  codegen::loop_top(p.gen, n, "while");
  codegen::Judge j = codegen::lay_judge(p.gen, condition);
  codegen::loop_test(p.gen, n, false);
  compile_body(p);
  codegen::loop_back(p.gen, n);
  codegen::lay_goto(p.gen, top);
  codegen::fix_to_here(p.gen, j.skip);
  leave_loop(p, n, top, {"while", Diag::WhileContinueTwice, Diag::WhileBreakTwice});
}

void compile_do(Parser& p) {
  int n = enter_loop(p, Diag::DoTooDeep);
  long top = codegen::counter(p.gen);
  codegen::loop_top(p.gen, n, "do");
  compile_body(p);
  if (!at_keyword(p, Kind::While)) fail(Diag::DoWithoutWhile);
  codegen::Judge j = codegen::lay_judge(p.gen, parse_condition(p, Diag::DoParen));
  codegen::loop_test(p.gen, n, true);
  codegen::lay_goto(p.gen, top);
  codegen::fix_to_here(p.gen, j.skip);
  leave_loop(p, n, top, {"do", Diag::DoContinueTwice, Diag::DoBreakTwice});
  if (advance(p) != kSemicolon) fail(Diag::DoSemicolon);
  advance(p);
}

// The offset a label entry holds: 0 in pass 1, none when pass 2 finds none.
std::optional<long> label_offset(const Parser& p, const Symbol* label) {
  if (p.gen.pass == 1) return 0;
  return label ? label->number() : std::nullopt;
}

void compile_goto(Parser& p) {
  if (advance(p) != kIdentifier) fail(Diag::GotoNotLabel);
  const std::string name = p.cur.text;
  const Symbol* label = p.cur.symbol;
  if (advance(p) != kSemicolon) fail(Diag::GotoSemicolon);
  std::optional<long> target = label_offset(p, label);
  if (!target) fail(Diag::GotoTargetMissing, name.c_str());
  codegen::goto_label(p.gen, name, *target);
  advance(p);
}

struct LoopJump {
  Diag no_semicolon, outside, missing;
  bool to_end;
};

constexpr LoopJump kBreak = {Diag::BreakSemicolon, Diag::BreakOutsideLoop, Diag::BreakTargetMissing, true};
constexpr LoopJump kContinue = {Diag::ContinueSemicolon, Diag::ContinueOutsideLoop, Diag::ContinueTargetMissing,
                                false};

void compile_loop_jump(Parser& p, const LoopJump& jump) {
  if (advance(p) != kSemicolon) fail(jump.no_semicolon);
  if (p.loops.depth == 0) fail(jump.outside);
  int n = p.loops.numbers[p.loops.depth];
  std::string name = jump.to_end ? break_label(n) : continue_label(n);
  std::optional<long> target = label_offset(p, p.symbols.find(name));
  if (!target) fail(jump.missing, name.c_str());
  codegen::loop_jump(p.gen, n, jump.to_end, *target);
  advance(p);
}

}  // namespace

void compile_statement(Parser& p) {
  if (p.cur.code == kEnd) fail(Diag::UnexpectedEnd);
  if (p.cur.text == ";") {
    advance(p);
    return;
  }
  if (p.cur.text == "#asm") return compile_asm_block(p);
  switch (kind_of(p.cur.symbol)) {
    case Kind::If: return compile_if(p);
    case Kind::Goto: return compile_goto(p);
    case Kind::While: return compile_while(p);
    case Kind::Do: return compile_do(p);
    case Kind::Break: return compile_loop_jump(p, kBreak);
    case Kind::Continue: return compile_loop_jump(p, kContinue);
    default: return compile_name_statement(p);
  }
}

void compile_body(Parser& p) {
  if (advance(p) != kLeftBrace) return compile_statement(p);
  advance(p);
  while (p.cur.code != kRightBrace) compile_statement(p);
  advance(p);
}

}  // namespace corvel::front
