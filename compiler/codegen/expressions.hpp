// Compiles an expression's postfix items into intermediate code and, in
// native output, into stack-machine H8/300H assembly that leaves the value
// as one word on the stack.
#pragma once

#include "codegen/gen.hpp"
#include "codegen/items.hpp"

namespace corvel::codegen {

void generate_expression(Gen& g, const Expression& items);

}  // namespace corvel::codegen
