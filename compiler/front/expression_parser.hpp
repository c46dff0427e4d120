// Reads an expression into items and reorders them into postfix order by
// operator precedence.
#pragma once

#include "codegen/items.hpp"
#include "front/parser.hpp"

namespace corvel::front {

// Reads the expression after the current token up to its terminator
// (kSemicolon, or kRightParen closing an already read "("), in postfix order.
// The items live in the parser until the next expression is read.
const codegen::Expression& parse_expression(Parser& p, int terminator);
// What a name token is, as the symbol table says now; kind None for a name
// without a value (not declared, or a keyword).
codegen::Operand resolve(const Token& t);

}  // namespace corvel::front
