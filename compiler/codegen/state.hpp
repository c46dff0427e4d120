// What code generation remembers between statements.
#pragma once

namespace corvel::codegen {

struct CodegenState {
  int string_counter = 0;  // string arguments met in this pass: MSG_1, MSG_2, ...
};

extern CodegenState g;

}  // namespace corvel::codegen
