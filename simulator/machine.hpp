// The byte-code machine: it runs a ROM's code image from its entry, as the
// board's firmware would interpret it, computing every expression as the
// native code does (unsigned 16-bit words) and showing every service call,
// pin change and supply change.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "board_model.hpp"
#include "codegen/builtin_table.hpp"
#include "codegen/intermediate_code.hpp"
#include "ground/image.hpp"
#include "replies.hpp"
#include "timeline.hpp"

namespace corvsim {

namespace codegen = corvel::codegen;

struct Limits {
  long max_steps = 10'000'000;
  int max_depth = 256;  // calls of the program's functions
  int max_stack = 32;   // values on the expression stack
  long wait_gap = 20;   // time units a wait takes on the time axis
};

// A run that cannot go on: the offset where it stopped and why.
struct Stop : std::runtime_error {
  Stop(long at, const std::string& why) : std::runtime_error(why), offset(at) {}
  long offset;
};

// One operand as the code holds it, with its index evaluated.
struct Operand {
  codegen::Element element;
  int first;         // its first byte
  long address = 0;  // of a variable or array; the constant's value
  long index = 0;    // an array element's index
  int length = 0;
};

// An argument of a service call, as the transcript shows it.
struct Argument {
  char letter;
  long value = 0;
  std::string text;  // a string argument
  bool is_string = false;
  Operand operand{};
};

class Machine {
 public:
  Machine(corvel::ground::Image image, const corvel::ground::Board& board, Timeline& timeline, Replies& replies,
          Limits limits, bool trace);

  // Runs from the entry to the end of the program; throws Stop.
  void run();
  const BoardModel& board() const { return board_; }
  long time() const { return time_; }

 private:
  // The code and the data.
  int code(long p) const;
  long code_word(long p) const;
  int data(long address) const;
  void store_data(long address, int byte);
  long resolve(long runtime_address) const;
  // Operands and expressions.
  Operand decode(long p) const;
  long value(const Operand& o) const;
  void store(const Operand& o, long v);
  long evaluate(long& p, int count);
  long apply(int op, long left, long right, long p);
  // Ports and supplies.
  void write_bit(int bit, int v);
  void write_block(int block, bool direction, long word);
  void set_supply(Supply s, double volts);
  // Instructions and services.
  void step();
  void call(long return_to, long target);
  long service(long& p);
  std::vector<Argument> arguments(const codegen::Builtin& b, long& q);
  long effect(const codegen::Builtin& b, std::vector<Argument>& args);
  long memory_service(const std::string& name, const std::vector<Argument>& args);
  void variable_service(const std::string& name, const Argument& target);
  void end(const std::string& why);
  std::string trace_text(long p) const;
  void event(const std::string& text);

  corvel::ground::Image image_;
  BoardModel board_;
  Timeline& timeline_;
  Replies& replies_;
  Limits limits_;
  bool trace_;
  long pc_ = corvel::ground::kEntryByte;
  long at_ = 0;  // the instruction being run
  std::vector<long> returns_;
  long steps_ = 0;
  long time_ = 0;
  bool running_ = true;
  bool returned_ = false;  // the return service left the function
};

}  // namespace corvsim
