#include "codegen/statements.hpp"

#include "codegen/expressions.hpp"
#include "codegen/intermediate_code.hpp"
#include "codegen/operands.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::codegen {

namespace {

using ground::Diag;
using ground::fail;
using ground::Kind;

constexpr const char* kTest = "\tPOP.W\tR0\n\tAND.W\tR0,R0\n";
// Labels of `if` are named from code offsets, which stay below 0x10000; loop
// numbers from 66 up are moved above it so the two never meet.
constexpr int kFirstMovedLoop = 66;
constexpr long kLoopLabelShift = 0x10000;

long loop_label(int n) { return n >= kFirstMovedLoop ? n + kLoopLabelShift : n; }

// The index pushed for an element store: a WORD array's index counts elements, so it is doubled.
void write_store_index(Gen& g, bool word, const Index& index) {
  const char* shift = word ? "\tSHLL.W\tR0\n" : "";
  const char* name = index.name.name.c_str();
  if (index.constant) {
    emit(g, "\tMOV.W\t#H'%lX,R0\n\tPUSH.W\tR0\n", word ? (2 * index.value) & 0xFFFF : index.value);
  } else if (index.name.kind == Kind::Byte) {
    emit(g, "\tMOV.B\t@_%s,R0L\n\tXOR.B\tR0H,R0H\n%s\tPUSH.W\tR0\n", name, shift);
  } else if (int r = port_register_code(index.name.value)) {
    // A port register has no label: it is read through the firmware like everywhere else.
    emit(g, "\tMOV.B\t#H'%X,R0L\n\tJSR\t@fGetData:24\n%s\tPUSH.W\tR0\n", r, shift);
  } else {
    emit(g, "\tMOV.W\t@_%s,R0\n%s\tPUSH.W\tR0\n", name, shift);
  }
}

}  // namespace

void lay_let(Gen& g) { g.image.lay(kLet); }

Target let_target(Gen& g, const Operand& target) {
  Target t{target.kind, target.name, 0};
  if (target.kind == Kind::PortBit) {
    t.code = port_bit_lookup(g, target.name, target.value);
    if (in_a_pin_map(g, t.code)) fail(Diag::AssignPortBit, target.name.c_str());
    lay_operand(g, Kind::PortBit, t.code);
  } else if (target.kind == Kind::Pin) {
    t.code = static_cast<int>(target.value);
    if (in_a_pin_map(g, t.code)) fail(Diag::AssignPinOfPort, target.name.c_str());
    lay_operand(g, Kind::Pin, t.code);
  } else {
    if (target.kind == Kind::Word) t.code = port_register_code(target.value);
    lay_operand(g, target.kind, target.value);
  }
  return t;
}

void let_element(Gen& g, const ElementTarget& element) {
  bool word = element.array.kind == Kind::WordArray;
  g.image.lay(word ? kArrayW : kArray);
  g.image.lay_word(element.array.value);
  const Index& index = element.index;
  if (index.constant) return lay_constant(g, index.code, index.value);
  if (index.name.kind != Kind::Byte && index.name.kind != Kind::Word) fail(Diag::TargetIndexKind);
  lay_operand(g, index.name.kind, index.name.value);
}

void let_value(Gen& g, const Expression& value) {
  g.image.lay(static_cast<int>(value.size()));
  generate_expression(g, value);
}

void store(Gen& g, const Target& t) {
  const char* set_data = "\tPOP.W\tR0\n\tMOV.B\t#H'%X,R1L\n\tJSR\t@fSetData:24\n";
  if (t.kind == Kind::PortBit || t.kind == Kind::Pin || t.code != 0) {
    if (t.kind == Kind::PortBit) emit(g, ";S_BOOL line=%d\n", 2525);
    else if (t.kind == Kind::Pin) emit(g, ";#value line=%d\n", 2576);
    else emit(g, ";S_WORD line=%d\n", 2547);
    return emit(g, set_data, t.code);
  }
  if (t.kind == Kind::Byte) emit(g, ";S_BYTE line=%d\n\tPOP.W\tR0\n\tMOV.B\tR0L,@_%s\n", 2535, t.name.c_str());
  else emit(g, ";S_WORD line=%d\n\tPOP.W\tR0\n\tMOV.W\tR0,@_%s\n", 2549, t.name.c_str());
}

void store_element(Gen& g, const ElementTarget& element) {
  bool word = element.array.kind == Kind::WordArray;
  emit(g, ";ARRAY line=%d\n", 2477);
  write_store_index(g, word, element.index);
  emit(g, "\tPOP.W\tR0\n\tXOR.W\tE0,E0\n\tMOV.L\t#_%s:32,ER1\n\tADD.L\tER0,ER1\n\tPOP.W\tR0\n",
       element.array.name.c_str());
  emit(g, word ? "\tMOV.W\tR0,@ER1\n" : "\tMOV.B\tR0L,@ER1\n");
}

Judge lay_judge(Gen& g, const Expression& condition) {
  Judge j;
  j.start = counter(g);
  g.image.lay(kJudge);
  j.skip = counter(g);
  g.image.lay_word(0);
  g.image.lay(static_cast<int>(condition.size()));
  generate_expression(g, condition);
  return j;
}

void fix_to_here(Gen& g, long field) { g.image.put_word(field, address_of(g, counter(g))); }

long lay_goto(Gen& g, long target_offset) {
  g.image.lay(kGoto);
  long field = counter(g);
  g.image.lay_word(address_of(g, target_offset));
  return field;
}

void if_test(Gen& g, long start) { emit(g, "%s\tBEQ\tLBL%lX_ELSE:16\t;(if goto-else)\n", kTest, start); }

void if_then_end(Gen& g, long start) {
  emit(g, "\tBRA\tLBL%lX_E:16\t;(if end)\n", start);
  emit(g, "LBL%lX_ELSE\t;(else)\n", start);
}

void if_end(Gen& g, long start) { emit(g, "LBL%lX_E:\t;(if end)\n", start); }

void loop_top(Gen& g, int n, const char* statement) { emit(g, "LBL%lX_T:\t;(%s top)\n", loop_label(n), statement); }

void loop_test(Gen& g, int n, bool repeat_when_true) {
  if (repeat_when_true) emit(g, "%s\tBNE\tLBL%lX_T:16\t;(do goto-top)\n", kTest, loop_label(n));
  else emit(g, "%s\tBEQ\tLBL%lX_E:16\n", kTest, loop_label(n));
}

void loop_back(Gen& g, int n) { emit(g, "\tBRA\tLBL%lX_T:16\t;(while goto-top)\n", loop_label(n)); }

void loop_end(Gen& g, int n, const char* statement) { emit(g, "LBL%lX_E:\t;(%s end)\n", loop_label(n), statement); }

void goto_label(Gen& g, const std::string& label, long target_offset) {
  emit(g, "\tBRA\t_%s:16\n", label.c_str());
  lay_goto(g, target_offset);
}

void loop_jump(Gen& g, int n, bool to_end, long target_offset) {
  if (to_end) emit(g, "\tBRA\tLBL%lX_E:16\t;(break)\n", loop_label(n));
  else emit(g, "\tBRA\tLBL%lX_T:16\t;(continue)\n", loop_label(n));
  lay_goto(g, target_offset);
}

void label(Gen& g, const std::string& name) { emit(g, "_%s:\n", name.c_str()); }

void call_function(Gen& g, const std::string& name, long target_offset) {
  if (g.image.frame_count != 0) {
    emit(g, "update_%d_%d:\n", g.frame_label_counter, g.image.size);
    emit(g, "\tMOV.L\t#_%s:32,ER2\n", name.c_str());
    emit(g, "\tJSR\t@fOverlay\n");
  } else {
    emit(g, "\tJSR\t@_%s\n", name.c_str());
  }
  g.image.lay(kCall);
  g.image.lay_word(address_of(g, target_offset));
}

}  // namespace corvel::codegen
