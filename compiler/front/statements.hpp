// The statement dispatcher and the keyword statements: if/else, while,
// do/while, goto, break, continue and the empty statement.
#pragma once

namespace corvel::front {

// Compiles the statement that begins with the current token and leaves the
// token after it as the current token.
int compile_statement();
// A brace block or a single statement, as the keyword statements take it.
int compile_body();
void reset_loops();

}  // namespace corvel::front
