#include "codegen/expressions.hpp"

#include "codegen/builtin_calls.hpp"
#include "codegen/intermediate_code.hpp"
#include "codegen/operands.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::codegen {

namespace {

using ground::Diag;
using ground::fail;
using ground::Kind;

void compile_operator(Gen& g, int op) {
  if (native_output(g)) {
    const char* sequence = operator_def(op).native;
    if (!sequence) fail(Diag::NoNativeOperator);
    emit_text(g, sequence);
  }
  g.image.lay(operator_byte(op));
}

void compile_constant(Gen& g, const Item& item) {
  if (!is_integer_code(item.code)) fail(Diag::ConstantOutOfRange);
  emit(g, ";M_CHAR/M_INT line=%d\n", 747);
  emit(g, "\tMOV.W\t#H'%lX,R0\n", item.value);
  emit(g, "\tPUSH.W\tR0\n");
  lay_constant(g, item.code, item.value);
}

// Pushes the element at the array's label plus the index in R0.
void write_fetch_tail(Gen& g, bool word, const std::string& array) {
  emit(g, "\tXOR.W\tE0,E0\n");
  emit(g, "\tMOV.L\t#_%s:32,ER1\n", array.c_str());
  emit(g, "\tADD.L\tER0,ER1\n");
  if (word) {
    emit(g, "\tMOV.W\t@ER1,R0\n");
  } else {
    emit(g, "\tMOV.B\t@ER1,R0L\n");
    emit(g, "\tXOR.B\tR0H,R0H\n");
  }
  emit(g, "\tPUSH.W\tR0\n");
}

void read_constant_index(Gen& g, bool word, const std::string& array, long value) {
  long n = value & 0xFFFF;
  emit(g, ";S_BYTE line=%d\n", 390);
  emit(g, "\tMOV.W\t#H'%lX,R0\n", word ? (2 * n) & 0xFFFF : n);
  write_fetch_tail(g, word, array);
  g.image.lay(kConst2);
  g.image.lay_word(n);
}

void read_variable_index(Gen& g, bool word, const std::string& array, const Operand& index) {
  if (index.kind != Kind::Byte && index.kind != Kind::Word) fail(Diag::UnusableOperand);
  bool byte = index.kind == Kind::Byte;
  emit(g, byte ? ";S_BYTE line=%d\n" : ";ARRAY line=%d\n", byte ? 455 : 513);
  load_operand(g, index);
  emit(g, "\tPOP.W\tR0\n");
  if (word) emit(g, "\tSHLL.W\tR0\n");
  write_fetch_tail(g, word, array);
}

void compile_array_read(Gen& g, const Item& item) {
  bool word = item.operand.kind == Kind::WordArray;
  g.image.lay(word ? kArrayW : kArray);
  g.image.lay_word(item.operand.value);
  if (item.index.constant) return read_constant_index(g, word, item.operand.name, item.index.value);
  read_variable_index(g, word, item.operand.name, item.index.name);
}

void compile_name(Gen& g, const Item& item) {
  Kind kind = item.operand.kind;
  if (kind == Kind::Builtin) return compile_builtin_in_expression(g, item);
  if (ground::is_array(kind)) return compile_array_read(g, item);
  if (kind == Kind::Pin || ground::is_variable(kind)) return load_operand(g, item.operand);
  fail(Diag::UnusableOperand);
}

}  // namespace

void generate_expression(Gen& g, const Expression& items) {
  for (const Item& item : items) {
    if (item.code >= kFirstOperator && item.code <= kLastOperator) compile_operator(g, item.code);
    else if (item.code >= kSmallNumber && item.code <= kRealNumber) compile_constant(g, item);
    else if (item.code == kName) compile_name(g, item);
    else fail(Diag::UnknownItem);
  }
}

}  // namespace corvel::codegen
