// Reads an expression into items and reorders them into postfix order by
// operator precedence.
#pragma once

#include <string_view>

#include "codegen/items.hpp"
#include "front/parser.hpp"

namespace corvel::front {

// Reads the expression after the current token up to its terminator
// (kSemicolon, or kRightParen closing an already read "("), in postfix order.
codegen::Expression parse_expression(Parser& p, int terminator);
// Reorders items from written order into postfix order; false when the
// parentheses do not match or the operator stack overflows.
bool convert_to_postfix(codegen::Expression& items);
// What a name is, as the symbol table says now; kind None for a name without
// a value (not there, or a keyword).
codegen::Operand resolve(const Parser& p, const std::string& name);

}  // namespace corvel::front
