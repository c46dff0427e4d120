// Reading text files as bytes, in pieces of at most 255 bytes: a piece ends
// after a line feed or when it is full. Nothing is translated; a 0 byte is
// an ordinary byte.
#pragma once

#include <cstdio>
#include <string>

namespace trimmel {

inline constexpr int kPieceSize = 255;

// Reads the next piece. False at the end of the file (or on a read error,
// which std::ferror tells). continues is set when the piece is full and the
// same line goes on in the next piece.
bool read_piece(std::FILE* in, std::string& piece, bool& continues);

}  // namespace trimmel
