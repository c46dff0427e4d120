// #port: a port block of up to 16 bits, each named by a processor port bit
// (P-form) or a board pin number.
#include <algorithm>
#include <string>
#include <string_view>

#include "driver/board_config.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "driver/top_level.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"

namespace corvel::driver {

namespace {

constexpr int kPortBits = 16;
constexpr int kPinMapOffset = 4;
constexpr int kDirectionWordOffset = 2;
constexpr int kMaxBoardPin = 40;

// The text between the string's quotes, up to the first closing quote.
std::string_view pin_list_of(const std::string& token_text) {
  std::string_view list(token_text);
  list.remove_prefix(1);
  size_t end = list.find_first_of(std::string_view("\"\0", 2));
  return list.substr(0, end);
}

int read_port_entry(std::string_view list, size_t& i, int count, int& code) {
  char c = list[i];
  if (c == 'P' || c == 'p') {
    code = i + 2 < list.size() ? port_bit_code_of_chars(list[i + 1], list[i + 2]) : -1;
    if (code < 0) return fail(2718, msg::kBadPortBitForm);
    if (count == kPortBits) return fail(2724, msg::kTooManyBits);
    i += 3;
    return 0;
  }
  if (!front::is_digit(static_cast<unsigned char>(c))) return fail(2756, msg::kBadPinForm);
  size_t end = i;
  while (end < list.size() && front::is_digit(static_cast<unsigned char>(list[end]))) ++end;
  std::uint32_t pin = front::parse_decimal(list.substr(i, end - i));
  i = end;
  if (count == kPortBits) return fail(2737, msg::kTooManyBits);
  if (pin < 1 || pin > kMaxBoardPin) return fail(2742, msg::kPinOutOfRange);
  code = pin_lookup(pin);
  if (code == kNoPort) return fail(2747, msg::kPinNotMapped);
  return 0;
}

// Fills the pin map from bit 15 downwards, one entry a byte.
int fill_pin_map(int block, std::string_view list) {
  std::uint8_t* map = &g.image[block + kPinMapOffset];
  std::fill(map, map + kPortBits, kNoPort);
  int count = 0;
  for (size_t i = 0; i < list.size();) {
    int code = 0;
    if (read_port_entry(list, i, count, code) < 0) return -1;
    map[count++] = static_cast<std::uint8_t>(code);
    if (i < list.size() && list[i] == ',') ++i;
  }
  return 0;
}

void write_port_block(int n) {
  g.port_defined[n] = true;
  const std::uint8_t* map = &g.image[n * kPortBlockSize + kPinMapOffset];
  emit_data("\t.ORG\tMEMORYTOP+%d\n", n * kPortBlockSize);
  emit_data("\t.DATA.B\t0,0,255,255\n");
  std::string line = "\t.DATA.B\t";
  for (int j = 0; j < kPortBits; ++j) line += (j ? "," : "") + std::to_string(map[j]);
  emit_data("%s\n", line.c_str());
}

int register_port(const std::string& name, int n) {
  int block = n * kPortBlockSize;
  if (register_symbol(name, std::to_string(block), front::kKindWord) < 0) return -1;
  if (register_symbol(name + ".dir", std::to_string(block + kDirectionWordOffset), front::kKindWord) < 0) return -1;
  for (int bit = 0; bit < kPortBits; ++bit) {
    int offset = block + kPinMapOffset + kPortBits - 1 - bit;
    if (g.image[offset] == kNoPort) continue;
    std::string bit_name = name + std::to_string(bit);
    if (register_symbol(bit_name, std::to_string(offset), front::kKindPortBit) < 0) return -1;
    if (register_symbol(bit_name + ".dir", std::to_string(offset), front::kKindPortBit) < 0) return -1;
  }
  return 0;
}

}  // namespace

int compile_port() {
  if (front::advance() != front::kIdentifier) return fail(2772, msg::kNoPortName);
  const std::string name = front::g.cur.text;
  if (front::advance() != front::kString) return fail(2777, msg::kBadPortFormat);
  std::string list(pin_list_of(front::g.cur.text));
  front::drop_rest_of_line();
  if (g.port_count == kMaxPorts) return fail(2784, msg::kTooManyPorts);
  int n = g.port_count;
  if (fill_pin_map(n * kPortBlockSize, list) < 0) return -1;
  if (native_output()) write_port_block(n);
  if (register_port(name, n) < 0) return -1;
  ++g.port_count;
  return 0;
}

}  // namespace corvel::driver
