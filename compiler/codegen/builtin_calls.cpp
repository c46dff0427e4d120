#include "codegen/builtin_calls.hpp"

#include "codegen/state.hpp"

namespace corvel::codegen {

void reset_string_counter() { g.string_counter = 0; }

}  // namespace corvel::codegen
