// Reads an expression into items and reorders them into postfix order by
// operator precedence; resolves pin references and named port bits.
#pragma once

#include <string_view>
#include <vector>

#include "front/state.hpp"

namespace corvel::front {

// Reads the expression after the current token up to its terminator
// (kSemicolon, or kRightParen closing an already read "("). The items are
// left in g.items in postfix order.
int parse_expression(int terminator);
// Reorders items from written order into postfix order: the new count, or -1.
int convert_to_postfix(std::vector<Item>& items);
// The port-bit code of a pin reference (the text after '#'), or -1.
int pin_reference(std::string_view text);
// The port-bit code of a named port bit whose entry holds `offset`, or -1.
int port_bit_lookup(std::string_view name, long offset);
// The one- or two-digit number that ends a name (before ".dir"), or -1.
int trailing_number(std::string_view text);

}  // namespace corvel::front
