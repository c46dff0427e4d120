// #asm ... #endasm: source lines copied unchanged into the assembly output.
#pragma once

namespace corvel::front {

// The current token is "#asm"; leaves the token after "#endasm" current.
int compile_asm_block();

}  // namespace corvel::front
