// Statements that begin with a name: assignments, array element
// assignments, labels, and calls of built-ins and of the program's functions.
#pragma once

namespace corvel::codegen {

// The current token is the statement's first token; leaves the first token
// of the next statement current.
int compile_name_statement();

}  // namespace corvel::codegen
