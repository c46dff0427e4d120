// The top-level items of a program: #port, #define, BYTE/WORD declarations,
// #frame marks and function definitions.
#pragma once

#include <string_view>

#include "front/parser.hpp"

namespace corvel::front {

// Registers the keywords and the built-in functions.
void register_names(Parser& p);
// Compiles the item whose first identifier is the current token.
void compile_top_level_item(Parser& p);
// A #define line of the board file, compiled as in pass 1.
void compile_board_define(Parser& p, std::string_view fields);

// #define: the name and value tokens follow.
void compile_define(Parser& p);
// #port: the name and the pin-list string follow.
void compile_port(Parser& p);
// BYTE or WORD: the declarators follow.
void compile_declaration(Parser& p, bool word);
// In native mode a name must be able to stand as an assembler label: it may
// not begin with '#', and only a function may be called main.
void check_label_name(const Parser& p, std::string_view name, bool is_function);

}  // namespace corvel::front
