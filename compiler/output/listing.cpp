#include "output/listing.hpp"

#include <cstdlib>

#include "codegen/builtin_table.hpp"
#include "codegen/intermediate_code.hpp"
#include "ground/limits.hpp"
#include "ground/messages.hpp"

namespace corvel::output {

namespace {

using codegen::ElementDef;
using codegen::Field;
using codegen::Nested;
using codegen::Shows;
using ground::Image;

constexpr int kStop = -1;  // an element would run past the byte counter: the walk ends

struct Listing {
  const Image& image;
  std::FILE* out;
  bool heads = true;  // instructions start a line headed by their offset
};

bool fits(const Listing& l, long p, long length) { return p >= 0 && p + length <= l.image.size; }
int byte_at(const Listing& l, long p) { return l.image.bytes[p]; }
int word_at(const Listing& l, long p) { return byte_at(l, p) * 256 + byte_at(l, p + 1); }

void print_port_blocks(const Listing& l) {
  for (int b = 0; b < ground::kPortBlocks * ground::kPortBlockSize; b += ground::kPortBlockSize) {
    std::fputs("          data   dir  data(bit0 -> bit15)\n", l.out);
    std::fprintf(l.out, "[port]  : %02X%02X : ", byte_at(l, b), byte_at(l, b + 1));
    std::fprintf(l.out, "%02X%02X ", byte_at(l, b + 2), byte_at(l, b + 3));
    for (int i = b + 4; i < b + ground::kPortBlockSize; ++i) std::fprintf(l.out, "%02X ", byte_at(l, i));
    std::fputs("\n", l.out);
  }
}

void print_data_area(const Listing& l) {
  if (l.image.code_start != ground::kHeaderSize) std::fputs("\n[value]\n", l.out);
  for (long i = ground::kHeaderSize; i < l.image.code_start; ++i) {
    std::fprintf(l.out, "%02X ", byte_at(l, i));
    if (i % 16 == 15) std::fputs("\n", l.out);
  }
  std::fputs("\n", l.out);
}

int field_value(const Listing& l, long p, Field f) {
  switch (f) {
    case Field::Opcode: return byte_at(l, p);
    case Field::Byte1: return byte_at(l, p + 1);
    case Field::Word1: return word_at(l, p + 1);
    case Field::Byte3: return byte_at(l, p + 3);
    case Field::None: return 0;
  }
  return 0;
}

void print_service(const Listing& l, long p) {
  const codegen::Builtin* builtin = codegen::builtin_by_number(byte_at(l, p + 1));
  if (builtin) std::fprintf(l.out, "CALLIN(%s) ", builtin->name);
  else std::fprintf(l.out, "CALLIN(%d) ", byte_at(l, p + 1));
}

void print_register_word(const Listing& l, int code) {
  for (const codegen::PortRegisterDef& r : codegen::kPortRegisters)
    if (r.code == code) std::fputs(r.word, l.out);
}

void print_fields(const Listing& l, long p, const ElementDef& d) {
  if (d.line_head && l.heads) std::fprintf(l.out, "\n<%04ld> ", p);
  switch (d.shows) {
    case Shows::Format:
      std::fprintf(l.out, d.format, field_value(l, p, d.fields[0]), field_value(l, p, d.fields[1]));
      break;
    case Shows::RegisterWord: print_register_word(l, byte_at(l, p)); break;
    case Shows::OperatorText: std::fputs(codegen::operator_def(byte_at(l, p) - codegen::kOperatorBase).listing, l.out); break;
    case Shows::Service: print_service(l, p); break;
  }
}

int print_element(const Listing& l, long p);

// ARRAY's index operand, or LET's target and the item count after it.
int print_nested(const Listing& l, long p, const ElementDef& d) {
  long at = d.nested == Nested::Index ? p + 3 : p + 1;
  int inner = print_element(l, at);
  if (inner == kStop) return kStop;
  if (d.nested == Nested::Index) {
    std::fputs("] ", l.out);
    return 3 + inner;
  }
  if (!fits(l, at + inner, 1)) return kStop;
  std::fprintf(l.out, "= Para(%d) ", byte_at(l, at + inner));
  return 2 + inner;
}

// Prints the element at p and returns its length: 0 for PROG_END, kStop
// when its bytes would reach the byte counter.
int print_element(const Listing& l, long p) {
  if (!fits(l, p, 1)) return kStop;
  const ElementDef& d = codegen::element_at(byte_at(l, p));
  if (!fits(l, p, d.length > 0 ? d.length : 1)) return kStop;
  print_fields(l, p, d);
  return d.nested == Nested::None ? d.length : print_nested(l, p, d);
}

void print_code(const Listing& l) {
  std::fprintf(l.out, "[code]  (start = %d )\n", l.image.code_start);
  for (const ground::Function& f : l.image.functions) std::fprintf(l.out, "%s = %ld\n", f.name.c_str(), f.address);
  for (long p = l.image.code_start;;) {
    int length = print_element(l, p);
    if (length <= 0) break;
    p += length;
  }
  std::fputs("\n", l.out);
}

void print_memory(const Listing& l) {
  std::fprintf(l.out, msg::kMemoryUsage, l.image.size);
  for (int i = 0; i < l.image.frame_count && i < ground::kMaxFrames; ++i)
    std::fprintf(l.out, "frame %d   adr = %ld   length = %ld\n", i, l.image.frames[i].start, l.image.frames[i].size);
}

}  // namespace

std::string element_text(const Image& image, long p, int& length) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  if (!out) return {};
  length = print_element(Listing{image, out, false}, p);
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

void print_listing(const Image& image, std::FILE* out) {
  Listing l{image, out};
  print_port_blocks(l);
  print_data_area(l);
  print_code(l);
  print_memory(l);
}

}  // namespace corvel::output
