#include "codegen/state.hpp"

namespace corvel::codegen {

CodegenState g;

}  // namespace corvel::codegen
