// Turns the bytes of the source reader into tokens.
#pragma once

#include "front/parser.hpp"

namespace corvel::front {

// Reads the next token into `t` and the value cell. At the end of the input
// the code is kEnd and the text is left as it was.
int next_token(Parser& p, Token& t);
// Reads the next token into the current token.
int advance(Parser& p);

}  // namespace corvel::front
