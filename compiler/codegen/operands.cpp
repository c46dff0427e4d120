#include "codegen/operands.hpp"

#include "codegen/intermediate_code.hpp"
#include "ground/diagnostics.hpp"
#include "ground/messages.hpp"
#include "ground/text.hpp"

namespace corvel::codegen {

namespace {

using ground::Diag;
using ground::fail;
using ground::Kind;

// Direction registers cannot be read back: the bits of 80..159 and the
// odd-numbered port registers.
bool is_direction_code(int code) {
  if (code >= kDirectionOffset && code < kConst1) return true;
  for (const PortRegisterDef& r : kPortRegisters)
    if (code == r.code && (r.address % ground::kPortBlockSize) == ground::kDirectionWordOffset) return true;
  return false;
}

void load_port_bit(Gen& g, int code, Diag refused, int comment_site, const char* tag) {
  if (is_direction_code(code)) fail(refused);
  emit(g, ";%s line=%d\n", tag, comment_site);
  emit(g, "\tMOV.B\t#H'%X,R0L\n\tJSR\t@fGetData:24\n\tPUSH.W\tR0\n", code);
  lay_operand(g, Kind::PortBit, code);
}

void write_word_load(Gen& g, const Operand& word) {
  emit(g, ";S_WORD line=%d\n", 555);
  if (int r = port_register_code(word.value)) {
    emit(g, "\tMOV.B\t#H'%X,R0L\n", r);
    emit(g, "\tJSR\t@fGetData:24\n");
  } else {
    emit(g, "\tMOV.W\t@_%s,R0\n", word.name.c_str());
  }
  emit(g, "\tPUSH.W\tR0\n");
}

int direction_offset(std::string_view name) {
  return name.find(".dir") != std::string_view::npos ? kDirectionOffset : 0;
}

}  // namespace

void lay_constant(Gen& g, int code, long value) {
  if (code == kSmallNumber) {
    g.image.lay(kConst1);
    g.image.lay(static_cast<int>(value & 0xFF));
    return;
  }
  g.image.lay(kConst2);
  g.image.lay_word(value);
}

void lay_operand(Gen& g, Kind kind, long value) {
  switch (kind) {
    case Kind::Byte:
      g.image.lay(kVal1);
      g.image.lay_word(value);
      return;
    case Kind::Word:
      if (int r = port_register_code(value)) return g.image.lay(r);
      g.image.lay(kVal2);
      g.image.lay_word(value);
      return;
    case Kind::PortBit:
    case Kind::Pin: return g.image.lay(static_cast<int>(value));
    default: fail(Diag::OperandKind);
  }
}

int port_register_code(long address) {
  for (const PortRegisterDef& r : kPortRegisters)
    if (r.address == address) return r.code;
  return 0;
}

void load_operand(Gen& g, const Operand& operand) {
  switch (operand.kind) {
    case Kind::PortBit:
      return load_port_bit(g, port_bit_lookup(g, operand.name, operand.value), Diag::ReadDirectionBit, 356, "S_BOOL");
    case Kind::Pin: return load_port_bit(g, static_cast<int>(operand.value), Diag::ReadDirectionPin, 374, "S_BOOLD");
    case Kind::Byte:
      emit(g, "\tMOV.B\t@_%s,R0L\n", operand.name.c_str());
      emit(g, "\tXOR.B\tR0H,R0H\n");
      emit(g, "\tPUSH.W\tR0\n");
      return lay_operand(g, operand.kind, operand.value);
    case Kind::Word:
      write_word_load(g, operand);
      return lay_operand(g, operand.kind, operand.value);
    default: ground::fail_traced(Diag::LoadKind, ground::format_text(msg::kLoadKindTrace, static_cast<int>(operand.kind)));
  }
}

int trailing_number(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (!ground::is_digit(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    int number = text[i++] - '0';
    if (i < text.size() && ground::is_digit(static_cast<unsigned char>(text[i]))) number = number * 10 + (text[i++] - '0');
    if (i == text.size() || text[i] == '.') return number;
    ++i;
  }
  return -1;
}

// The entry of a named port bit holds the offset of its byte in the pin map,
// so the byte gives the bit whatever digits the port's own name ends in.
int port_bit_lookup(const Gen& g, std::string_view name, long offset) {
  constexpr int kBlock = ground::kPortBlockSize;
  if (offset < 0 || offset >= ground::kPortBlocks * kBlock || offset % kBlock < ground::kPinMapOffset)
    fail(Diag::BadPortSlot);
  int code = g.image.at(offset);
  if (code == ground::kNoPort) fail(Diag::BadBitNumber);
  return code + direction_offset(name);
}

bool in_a_pin_map(const Gen& g, int code) {
  for (int block = 0; block < ground::kPortBlocks; ++block) {
    for (int i = 0; i < ground::kPortBits; ++i) {
      int byte = g.image.at(block * ground::kPortBlockSize + ground::kPinMapOffset + i);
      if (byte == ground::kNoPort) break;
      if (byte == (code & 0xFF)) return true;
    }
  }
  return false;
}

}  // namespace corvel::codegen
