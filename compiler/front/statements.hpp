// The statement dispatcher and the keyword statements: if/else, while,
// do/while, goto, break, continue and the empty statement.
#pragma once

#include "front/parser.hpp"

namespace corvel::front {

// Compiles the statement that begins with the current token and leaves the
// token after it as the current token.
void compile_statement(Parser& p);
// A brace block or a single statement, as the keyword statements take it.
void compile_body(Parser& p);

// Statements that begin with a name: assignments, labels and calls.
void compile_name_statement(Parser& p);
// A built-in's name followed by "(": its arguments up to the ";".
void compile_builtin_statement(Parser& p, const codegen::Builtin& builtin);
// #asm ... #endasm: source lines copied unchanged into the assembly output.
void compile_asm_block(Parser& p);

}  // namespace corvel::front
