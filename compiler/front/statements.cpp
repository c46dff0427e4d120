#include "front/statements.hpp"

#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "front/state.hpp"

namespace corvel::front {

int compile_statement() { return driver::fail(2609, msg::kUnsupportedForm); }

int compile_body() { return compile_statement(); }

void reset_loops() { g.loops = LoopState{}; }

}  // namespace corvel::front
