#include "line_reader.hpp"

namespace trimmel {

namespace {

bool more_follows(std::FILE* in) {
  int c = std::getc(in);
  if (c == EOF) return false;
  std::ungetc(c, in);
  return true;
}

}  // namespace

bool read_piece(std::FILE* in, std::string& piece, bool& continues) {
  piece.clear();
  continues = false;
  while (piece.size() < static_cast<size_t>(kPieceSize)) {
    int c = std::getc(in);
    if (c == EOF) break;
    piece.push_back(static_cast<char>(c));
    if (c == '\n') return true;
  }
  if (piece.empty()) return false;
  continues = piece.size() == static_cast<size_t>(kPieceSize) && more_follows(in);
  return true;
}

}  // namespace trimmel
