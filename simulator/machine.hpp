// The byte-code machine: it runs a ROM's code image from its entry, as the
// board's firmware would interpret it, computing every expression as the
// native code does (unsigned 16-bit words) and showing every service call,
// pin change and supply change.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "codegen/builtin_table.hpp"
#include "codegen/intermediate_code.hpp"
#include "firmware.hpp"
#include "model.hpp"

namespace corvsim {

// One operand as the code holds it, with its index evaluated.
struct Operand {
  codegen::Element element;
  int first;         // its first byte
  long address = 0;  // of a variable or array; the constant's value
  long index = 0;    // an array element's index
  int length = 0;
};

class Machine {
 public:
  Machine(Model& model, bool trace) : m_(model), trace_(trace) {}

  // Runs from the entry to the end of the program; throws Stop.
  void run();

 private:
  int code(long p) const;
  long code_word(long p) const;
  long resolve(long runtime_address) const;
  Operand decode(long p) const;
  long value(const Operand& o) const;
  void store(const Operand& o, long v);
  long evaluate(long& p, int count);
  void step();
  void call(long return_to, long target);
  long service(long& p);
  std::vector<ServiceArgument> arguments(const codegen::Builtin& b, long& q, std::vector<Operand>& operands);
  void in_place(const std::string& name, const Operand& target);
  std::string trace_text(long p) const;

  Model& m_;
  bool trace_;
  long pc_ = corvel::ground::kEntryByte;
  std::vector<long> returns_;
};

}  // namespace corvsim
