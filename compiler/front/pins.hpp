// Pin references: an operand "#" followed by a port bit (P17, PA3) or a
// board pin (12, Vpp1, GND3), optionally its direction register (".dir").
#pragma once

#include <string_view>

#include "front/parser.hpp"

namespace corvel::front {

// The port-bit code of the text after '#'.
int pin_reference(const Parser& p, std::string_view text);

}  // namespace corvel::front
