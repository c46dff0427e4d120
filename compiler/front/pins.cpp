#include "front/pins.hpp"

#include "codegen/intermediate_code.hpp"
#include "codegen/operands.hpp"
#include "ground/board.hpp"
#include "ground/diagnostics.hpp"
#include "ground/text.hpp"

namespace corvel::front {

namespace {

using ground::Diag;

constexpr int kVppBase = 40, kVccBase = 80, kGndBase = 120;

int code_of_port_name(std::string_view rest) {
  if (rest.size() < 2) return -1;
  return ground::port_bit_code_of_chars(static_cast<unsigned char>(rest[0]), static_cast<unsigned char>(rest[1]));
}

int pin_base(std::string_view text) {
  if (ground::starts_with_nocase(text, "Vpp")) return kVppBase;
  if (ground::starts_with_nocase(text, "Vcc")) return kVccBase;
  if (ground::starts_with_nocase(text, "GND")) return kGndBase;
  return 0;
}

int direction_offset(std::string_view name) {
  return name.find(".dir") != std::string_view::npos ? codegen::kDirectionOffset : 0;
}

}  // namespace

int pin_reference(const Parser& p, std::string_view text) {
  int code;
  if (!text.empty() && (text[0] == 'P' || text[0] == 'p')) {
    code = code_of_port_name(text.substr(1));
    if (code < 0) ground::fail(Diag::BadPortNumber);
  } else {
    int number = codegen::trailing_number(text);
    if (number < 0) ground::fail(Diag::BadPinNumber);
    code = p.board.pin_lookup(pin_base(text) + number);
    if (code == ground::kNoPort) ground::fail(Diag::PinNotMapped);
  }
  return code + direction_offset(text);
}

}  // namespace corvel::front
