// #port: a port block of up to 16 bits, each named by a processor port bit
// (P-form) or a board pin number.
#include <string>
#include <string_view>

#include "codegen/layout.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/top_level.hpp"
#include "ground/board.hpp"
#include "ground/diagnostics.hpp"
#include "ground/text.hpp"

namespace corvel::front {

namespace {

using ground::Diag;
using ground::fail;
using ground::kPortBits;

// The text between the string's quotes, up to the first closing quote.
std::string_view pin_list_of(std::string_view token_text) {
  std::string_view list(token_text);
  list.remove_prefix(1);
  size_t end = list.find_first_of(std::string_view("\"\0", 2));
  return list.substr(0, end);
}

int read_port_form(std::string_view list, size_t& i, int count) {
  int code = i + 2 < list.size() ? ground::port_bit_code_of_chars(list[i + 1], list[i + 2]) : -1;
  if (code < 0) fail(Diag::PortBitForm);
  if (count == kPortBits) fail(Diag::TooManyBitsP);
  i += 3;
  return code;
}

int read_pin_number(const Parser& p, std::string_view list, size_t& i, int count) {
  size_t end = i;
  while (end < list.size() && ground::is_digit(static_cast<unsigned char>(list[end]))) ++end;
  std::uint32_t pin = ground::parse_decimal(list.substr(i, end - i));
  i = end;
  if (count == kPortBits) fail(Diag::TooManyBitsPin);
  if (pin < 1 || pin > ground::kMaxBoardPin) fail(Diag::PinOutOfRange);
  int code = p.board.pin_lookup(pin);
  if (code == ground::kNoPort) fail(Diag::PortPinNotMapped);
  return code;
}

// The port-bit code of the entry at i, which is stepped past it.
int read_port_entry(const Parser& p, std::string_view list, size_t& i, int count) {
  char c = list[i];
  if (c == 'P' || c == 'p') return read_port_form(list, i, count);
  if (!ground::is_digit(static_cast<unsigned char>(c))) fail(Diag::BadPinForm);
  return read_pin_number(p, list, i, count);
}

// The pin map from bit 15 downwards, one entry a byte.
codegen::PinMap read_pin_map(const Parser& p, std::string_view list) {
  codegen::PinMap map;
  map.fill(ground::kNoPort);
  int count = 0;
  for (size_t i = 0; i < list.size();) {
    int code = read_port_entry(p, list, i, count);
    map[count++] = static_cast<std::uint8_t>(code);
    if (i < list.size() && list[i] == ',') ++i;
  }
  return map;
}

void register_port(Parser& p, const std::string& name, int n, const codegen::PinMap& map) {
  int block = n * ground::kPortBlockSize;
  p.symbols.add_offset(name, Kind::Word, block);
  p.symbols.add_offset(name + ".dir", Kind::Word, block + ground::kDirectionWordOffset);
  for (int bit = 0; bit < kPortBits; ++bit) {
    if (map[kPortBits - 1 - bit] == ground::kNoPort) continue;
    int offset = block + ground::kPinMapOffset + kPortBits - 1 - bit;
    std::string bit_name = name + std::to_string(bit);
    p.symbols.add_offset(bit_name, Kind::PortBit, offset);
    p.symbols.add_offset(bit_name + ".dir", Kind::PortBit, offset);
  }
}

}  // namespace

void compile_port(Parser& p) {
  if (advance(p) != kIdentifier) fail(Diag::NoPortName);
  const std::string name = p.cur.text;
  if (advance(p) != kString) fail(Diag::BadPortFormat);
  std::string list(pin_list_of(p.cur.text));
  drop_rest_of_line(p.reader);
  if (p.port_count == ground::kPortBlocks) fail(Diag::TooManyPorts);
  int n = p.port_count;
  codegen::PinMap map = read_pin_map(p, list);
  codegen::lay_port_block(p.gen, n, map);
  register_port(p, name, n, map);
  ++p.port_count;
}

}  // namespace corvel::front
