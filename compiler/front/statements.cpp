#include "front/statements.hpp"

#include <string>

#include "codegen/expression_codegen.hpp"
#include "codegen/intermediate_code.hpp"
#include "codegen/name_statements.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "driver/text_format.hpp"
#include "driver/top_level.hpp"
#include "front/asm_block.hpp"
#include "front/expression_parser.hpp"
#include "front/lexer.hpp"
#include "front/state.hpp"
#include "front/symbol_table.hpp"

namespace corvel::front {

namespace {

using driver::emit_code;
using driver::fail;

constexpr const char* kTest = "\tPOP.W\tR0\n\tAND.W\tR0,R0\n";
// Labels of `if` are named from code offsets, which stay below 0x10000; loop
// numbers from 66 up are moved above it so the two never meet.
constexpr int kFirstMovedLoop = 66;
constexpr long kLoopLabelShift = 0x10000;

struct Judge {
  long start;  // offset of the JUDGE
  long skip;   // offset of its skip address
};

long loop_label(int n) { return n >= kFirstMovedLoop ? n + kLoopLabelShift : n; }

std::string continue_label(int n) { return driver::format_text("ContinueLabel%d", n); }
std::string break_label(int n) { return driver::format_text("BreakLabel%d", n); }

// Parses "(condition)" after the keyword; the "(" must come first.
int parse_condition(int site) {
  if (advance() != kLeftParen) return fail(site, msg::kNoLeftParen);
  return parse_expression(kRightParen);
}

int lay_judge(Judge& j) {
  j.start = driver::g.byte_counter;
  driver::lay(codegen::kJudge);
  j.skip = driver::g.byte_counter;
  driver::lay_word(0);
  driver::lay(static_cast<int>(g.items.size()));
  return codegen::generate_expression();
}

void fix_to_here(long position) { driver::put_word(position, driver::runtime_address(driver::g.byte_counter)); }

long lay_goto(long target_offset) {
  driver::lay(codegen::kGoto);
  long position = driver::g.byte_counter;
  driver::lay_word(driver::runtime_address(target_offset));
  return position;
}

int compile_if() {
  if (parse_condition(1039) < 0) return -1;
  Judge j;
  if (lay_judge(j) < 0) return -1;
  emit_code("%s\tBEQ\tLBL%lX_ELSE:16\t;(if goto-else)\n", kTest, j.start);
  if (compile_body() < 0) return -1;
  fix_to_here(j.skip);
  emit_code("\tBRA\tLBL%lX_E:16\t;(if end)\n", j.start);
  emit_code("LBL%lX_ELSE\t;(else)\n", j.start);
  if (g.cur.code == kIdentifier && symbol_kind(g.cur.text) == kKindElse) {
    long target = lay_goto(0);
    fix_to_here(j.skip);
    if (compile_body() < 0) return -1;
    fix_to_here(target);
  }
  emit_code("LBL%lX_E:\t;(if end)\n", j.start);
  return 0;
}

int enter_loop(int site) {
  if (++g.loops.depth == kLoopStackSize) return fail(site, msg::kLoopsTooDeep);
  g.loops.numbers[g.loops.depth] = g.loops.counter++;
  return 0;
}

int register_loop_label(const std::string& name, long offset, int site) {
  if (driver::g.pass == 1) {
    int kind = symbol_kind(name);
    if (kind >= 0 && kind != kKindForward) return fail(site, msg::kDuplicate, name.c_str());
  }
  return driver::register_symbol(name, std::to_string(offset), kKindLabel);
}

// Both loops end alike: the continue label at the top T, the break label here.
int leave_loop(int n, long top, int continue_site, int break_site, const char* kind) {
  if (register_loop_label(continue_label(n), top, continue_site) < 0) return -1;
  emit_code("LBL%lX_E:\t;(%s end)\n", loop_label(n), kind);
  if (register_loop_label(break_label(n), driver::g.byte_counter, break_site) < 0) return -1;
  --g.loops.depth;
  return 0;
}

int compile_while() {
  if (enter_loop(1131) < 0) return -1;
  int n = g.loops.numbers[g.loops.depth];
  if (parse_condition(1139) < 0) return -1;
  long top = driver::g.byte_counter;
  emit_code("LBL%lX_T:\t;(while top)\n", loop_label(n));
  Judge j;
  if (lay_judge(j) < 0) return -1;
  emit_code("%s\tBEQ\tLBL%lX_E:16\n", kTest, loop_label(n));
  if (compile_body() < 0) return -1;
  emit_code("\tBRA\tLBL%lX_T:16\t;(while goto-top)\n", loop_label(n));
  lay_goto(top);
  fix_to_here(j.skip);
  return leave_loop(n, top, 1201, 1213, "while");
}

int compile_do() {
  if (enter_loop(1236) < 0) return -1;
  int n = g.loops.numbers[g.loops.depth];
  long top = driver::g.byte_counter;
  emit_code("LBL%lX_T:\t;(do top)\n", loop_label(n));
  if (compile_body() < 0) return -1;
  if (g.cur.code != kIdentifier || symbol_kind(g.cur.text) != kKindWhile) return fail(1265, msg::kWhileMissing);
  if (parse_condition(1270) < 0) return -1;
  Judge j;
  if (lay_judge(j) < 0) return -1;
  emit_code("%s\tBNE\tLBL%lX_T:16\t;(do goto-top)\n", kTest, loop_label(n));
  lay_goto(top);
  fix_to_here(j.skip);
  if (leave_loop(n, top, 1307, 1319, "do") < 0) return -1;
  if (advance() != kSemicolon) return fail(1335, msg::kDoNoSemicolon);
  advance();
  return 0;
}

// The offset a label entry holds: 0 in pass 1, -1 when pass 2 finds none.
long label_offset(const std::string& name) {
  if (driver::g.pass == 1) return 0;
  long offset;
  return codegen::symbol_number(name, offset) < 0 ? -1 : offset;
}

int compile_goto() {
  if (advance() != kIdentifier) return fail(1348, msg::kGotoNotLabel);
  const std::string name = g.cur.text;
  if (advance() != kSemicolon) return fail(1353, msg::kGotoNoSemicolon);
  long target = label_offset(name);
  if (target < 0) return fail(1360, msg::kGotoTargetMissing, name.c_str());
  emit_code("\tBRA\t_%s:16\n", name.c_str());
  lay_goto(target);
  advance();
  return 0;
}

struct LoopJump {
  int semicolon_site, outside_site, missing_site;
  const char *no_semicolon, *outside, *missing;
  bool to_break;
};

constexpr LoopJump kBreak = {1386, 1391, 1399, msg::kBreakNoSemicolon, msg::kBreakOutsideLoop,
                             msg::kBreakTargetMissing, true};
constexpr LoopJump kContinue = {1424, 1429, 1437, msg::kContinueNoSemicolon, msg::kContinueOutsideLoop,
                                msg::kContinueTargetMissing, false};

int compile_loop_jump(const LoopJump& jump) {
  if (advance() != kSemicolon) return fail(jump.semicolon_site, "%s", jump.no_semicolon);
  if (g.loops.depth == 0) return fail(jump.outside_site, "%s", jump.outside);
  int n = g.loops.numbers[g.loops.depth];
  std::string name = jump.to_break ? break_label(n) : continue_label(n);
  long target = label_offset(name);
  if (target < 0) return fail(jump.missing_site, jump.missing, name.c_str());
  if (jump.to_break) emit_code("\tBRA\tLBL%lX_E:16\t;(break)\n", loop_label(n));
  else emit_code("\tBRA\tLBL%lX_T:16\t;(continue)\n", loop_label(n));
  lay_goto(target);
  advance();
  return 0;
}

}  // namespace

int compile_statement() {
  if (g.cur.code == kEnd) return fail(1520, msg::kUnexpectedEnd);
  if (g.cur.text == ";") {
    advance();
    return 0;
  }
  if (g.cur.text == "#asm") return compile_asm_block();
  switch (symbol_kind(g.cur.text)) {
    case kKindIf: return compile_if();
    case kKindGoto: return compile_goto();
    case kKindWhile: return compile_while();
    case kKindDo: return compile_do();
    case kKindBreak: return compile_loop_jump(kBreak);
    case kKindContinue: return compile_loop_jump(kContinue);
    default: return codegen::compile_name_statement();
  }
}

int compile_body() {
  if (advance() != kLeftBrace) return compile_statement();
  advance();
  while (g.cur.code != kRightBrace)
    if (compile_statement() < 0) return -1;
  advance();
  return 0;
}

void reset_loops() { g.loops = LoopState{}; }

}  // namespace corvel::front
