#include "output/listing.hpp"

#include <cstdio>

#include "codegen/builtin_table.hpp"
#include "codegen/intermediate_code.hpp"
#include "driver/messages.hpp"
#include "driver/state.hpp"

namespace corvel::output {

namespace {

using codegen::Element;
using driver::g;

constexpr int kStop = -1;  // an element would run past the byte counter: the walk ends

std::FILE* out() { return g.console; }

bool fits(long p, long length) { return p >= 0 && p + length <= g.byte_counter; }
int byte_at(long p) { return g.image[p]; }
int word_at(long p) { return byte_at(p) * 256 + byte_at(p + 1); }

void print_port_blocks() {
  for (int b = 0; b < driver::kMaxPorts * driver::kPortBlockSize; b += driver::kPortBlockSize) {
    std::fputs("          data   dir  data(bit0 -> bit15)\n", out());
    std::fprintf(out(), "[port]  : %02X%02X : ", byte_at(b), byte_at(b + 1));
    std::fprintf(out(), "%02X%02X ", byte_at(b + 2), byte_at(b + 3));
    for (int i = b + 4; i < b + driver::kPortBlockSize; ++i) std::fprintf(out(), "%02X ", byte_at(i));
    std::fputs("\n", out());
  }
}

void print_data_area() {
  if (g.code_start != driver::kHeaderSize) std::fputs("\n[value]\n", out());
  for (long i = driver::kHeaderSize; i < g.code_start; ++i) {
    std::fprintf(out(), "%02X ", byte_at(i));
    if (i % 16 == 15) std::fputs("\n", out());
  }
  std::fputs("\n", out());
}

void print_line_head(long p) { std::fprintf(out(), "\n<%04ld> ", p); }

int print_element(long p);

// ARRAY and ARRAYW: the address, then the index operand nested inside.
int print_array(long p, const char* word) {
  std::fprintf(out(), "%s(%d)[ ", word, word_at(p + 1));
  int index = print_element(p + 3);
  if (index == kStop) return kStop;
  std::fputs("] ", out());
  return 3 + index;
}

int print_let(long p) {
  print_line_head(p);
  std::fputs("LET ", out());
  int target = print_element(p + 1);
  if (target == kStop || !fits(p + 1 + target, 1)) return kStop;
  std::fprintf(out(), "= Para(%d) ", byte_at(p + 1 + target));
  return 2 + target;
}

void print_call_in(long p) {
  print_line_head(p);
  const codegen::Builtin* builtin = codegen::builtin_by_number(byte_at(p + 1));
  if (builtin) std::fprintf(out(), "CALLIN(%s) ", builtin->name);
  else std::fprintf(out(), "CALLIN(%d) ", byte_at(p + 1));
}

// Prints the element at p and returns its length: 0 for PROG_END, kStop
// when its bytes would reach the byte counter.
int print_element(long p) {
  int first = fits(p, 1) ? byte_at(p) : -1;
  if (first < 0) return kStop;
  Element e = codegen::element_of(first);
  int length = codegen::element_own_length(e);
  if (!fits(p, length > 0 ? length : 1)) return kStop;
  switch (e) {
    case Element::Bool: std::fprintf(out(), "BOOL(%d) ", first); break;
    case Element::BoolDir: std::fprintf(out(), "BOOLD(%d) ", first); break;
    case Element::Const1: std::fprintf(out(), "CONST1(%d) ", byte_at(p + 1)); break;
    case Element::Const2: std::fprintf(out(), "CONST2(%d) ", word_at(p + 1)); break;
    case Element::Val1: std::fprintf(out(), "VAL1(%d) ", word_at(p + 1)); break;
    case Element::Val2: std::fprintf(out(), "VAL2(%d) ", word_at(p + 1)); break;
    case Element::Array: return print_array(p, "ARRAY");
    case Element::ArrayW: return print_array(p, "ARRAYW");
    case Element::PortRegister: std::fprintf(out(), "%s ", codegen::port_register_word(first)); break;
    case Element::Let: return print_let(p);
    case Element::Judge:
      print_line_head(p);
      std::fprintf(out(), "JUDGE(skip:%d) Para(%d) ", word_at(p + 1), byte_at(p + 3));
      break;
    case Element::Goto: print_line_head(p), std::fprintf(out(), "GOTO(%d) ", word_at(p + 1)); break;
    case Element::Call: print_line_head(p), std::fprintf(out(), "CALL(%d) ", word_at(p + 1)); break;
    case Element::CallIn: print_call_in(p); break;
    case Element::Operator: std::fputs(codegen::operator_text(first), out()); break;
    case Element::FuncEnd: print_line_head(p), std::fputs("FUNC_END\n", out()); break;
    case Element::ProgEnd: std::fputs("PROG_END\n", out()); break;
    case Element::Unassigned: std::fprintf(out(), "?(%d) ", first); break;
  }
  return length;
}

void print_code() {
  std::fprintf(out(), "[code]  (start = %d )\n", g.code_start);
  for (const driver::Function& f : g.functions) std::fprintf(out(), "%s = %ld\n", f.name.c_str(), f.address);
  for (long p = g.code_start;;) {
    int length = print_element(p);
    if (length <= 0) break;
    p += length;
  }
  std::fputs("\n", out());
}

void print_memory() {
  std::fprintf(out(), msg::kMemoryUsage, g.byte_counter);
  for (int i = 0; i < g.frame_count && i < driver::kMaxFrames; ++i)
    std::fprintf(out(), "frame %d   adr = %ld   length = %ld\n", i, g.frames[i].start, g.frames[i].size);
}

}  // namespace

void print_listing() {
  print_port_blocks();
  print_data_area();
  print_code();
  print_memory();
}

}  // namespace corvel::output
