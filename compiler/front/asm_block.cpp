#include "front/asm_block.hpp"

#include <cstdio>
#include <cstring>
#include <string>

#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"

namespace corvel::front {

namespace {

constexpr int kPiece = 255;  // the block is read in pieces of at most 255 bytes
constexpr const char* kEndMarker = "#endasm";

// Reads one piece of a line (line feed included); false at the end of the input.
bool read_piece(std::FILE* file, std::string& piece) {
  piece.clear();
  if (!file) return false;
  int c;
  while (static_cast<int>(piece.size()) < kPiece && (c = std::getc(file)) != EOF) {
    piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !piece.empty();
}

}  // namespace

int compile_asm_block() {
  if (!driver::native_mode()) return driver::fail(163, msg::kAsmInInterpreter);
  std::FILE* file = source_file();
  set_source_file(file);
  std::string piece;
  for (;;) {
    if (!read_piece(file, piece)) return driver::fail(181, msg::kEndAsmMissing);
    set_line_counter(line_counter() + 1);
    if (piece.compare(0, std::strlen(kEndMarker), kEndMarker) == 0) break;
    driver::emit_code_text(piece);
  }
  set_source_file(file);
  advance();
  return 0;
}

}  // namespace corvel::front
