// The top-level items of a program: #port, #define, BYTE/WORD declarations,
// #frame marks and function definitions, and the header of the code image.
#pragma once

#include <string_view>

namespace corvel::driver {

// Compiles the item whose first identifier is the current token.
int compile_top_level_item();
// #define: the name and value tokens follow. Also serves the board file.
int compile_define();
// #port: the name and the pin-list string follow.
int compile_port();
// BYTE or WORD: the declarators follow.
int compile_declaration(bool word);
// Empties the per-pass state of the program structure.
void reset_program_structure();
// In native mode a name must be able to stand as an assembler label: it may
// not begin with '#', and only a function may be called main.
int check_label_name(std::string_view name, bool is_function);
// Registers a symbol; a failed allocation becomes an internal error.
int register_symbol(std::string_view name, std::string_view value, int kind);

}  // namespace corvel::driver
