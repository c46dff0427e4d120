// The instructions of statements: assignments (LET), the jumps of the control
// statements (JUDGE, GOTO), labels and calls of the program's functions (CALL).
#pragma once

#include <string>

#include "codegen/gen.hpp"
#include "codegen/items.hpp"

namespace corvel::codegen {

// Where an assignment stores: a port bit, a pin reference, a BYTE or WORD
// variable (a port register among them).
struct Target {
  ground::Kind kind = ground::Kind::None;
  std::string name;
  int code = 0;  // a port bit's code, or a port register's
};

// An array element being assigned.
struct ElementTarget {
  Operand array;
  Index index;
};

void lay_let(Gen& g);
// Lays the target of a variable, port bit or pin reference (kind Pin, value
// its port-bit code); port bits of a #port are refused.
Target let_target(Gen& g, const Operand& target);
// Lays ARRAY/ARRAYW and the index: a constant, or a BYTE or WORD variable.
void let_element(Gen& g, const ElementTarget& element);
// The item count and the expression of the value.
void let_value(Gen& g, const Expression& value);
// The native store after the value.
void store(Gen& g, const Target& target);
void store_element(Gen& g, const ElementTarget& element);

// JUDGE: its offset and where its skip address lies.
struct Judge {
  long start = 0;
  long skip = 0;
};

Judge lay_judge(Gen& g, const Expression& condition);
// Points a skip or jump field at the byte counter.
void fix_to_here(Gen& g, long field);
// GOTO; returns where its target field lies.
long lay_goto(Gen& g, long target_offset);

// The native lines of the control statements. `n` numbers a loop, `start`
// names an if by its JUDGE's offset.
void if_test(Gen& g, long start);
void if_then_end(Gen& g, long start);
void if_end(Gen& g, long start);
void loop_top(Gen& g, int n, const char* statement);
void loop_test(Gen& g, int n, bool repeat_when_true);
void loop_back(Gen& g, int n);
void loop_end(Gen& g, int n, const char* statement);
void goto_label(Gen& g, const std::string& label, long target_offset);
void loop_jump(Gen& g, int n, bool to_end, long target_offset);

void label(Gen& g, const std::string& name);
void call_function(Gen& g, const std::string& name, long target_offset);

}  // namespace corvel::codegen
