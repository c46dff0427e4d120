// Turns the bytes of the source reader into tokens.
#pragma once

#include <cstdint>
#include <string_view>

#include "front/state.hpp"

namespace corvel::front {

// Reads the next token into `t` and the shared value cell. At the end of the
// input the code is kEnd and the text is left as it was.
int next_token(Token& t);
// Reads the next token into the current token.
int advance();

void set_define_substitution(bool on);
void reset_lexer();

// Helpers shared with the readers of numbers elsewhere: leading decimal or
// hexadecimal digits, saturating at 0xFFFFFFFF.
std::uint32_t parse_decimal(std::string_view text);
std::uint32_t parse_hex(std::string_view text);

bool is_letter(int c);
bool is_digit(int c);
bool is_hex_digit(int c);
bool is_space(int c);

}  // namespace corvel::front
