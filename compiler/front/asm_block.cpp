// #asm ... #endasm: source lines copied unchanged into the assembly output.
#include <cstdio>
#include <cstring>
#include <string>

#include "codegen/layout.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/statements.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::front {

namespace {

constexpr const char* kEndMarker = "#endasm";

// Reads one piece of a line (line feed included); false at the end of the input.
bool read_piece(std::FILE* file, std::string& piece) {
  piece.clear();
  if (!file) return false;
  int c;
  while (static_cast<int>(piece.size()) < ground::kAsmPiece && (c = std::getc(file)) != EOF) {
    piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !piece.empty();
}

}  // namespace

void compile_asm_block(Parser& p) {
  if (!codegen::native_mode(p.gen)) ground::fail(ground::Diag::AsmInInterpreter);
  std::FILE* file = p.reader.file;
  set_source_file(p.reader, file);
  std::string piece;
  for (;;) {
    if (!read_piece(file, piece)) ground::fail(ground::Diag::EndAsmMissing);
    ++p.reader.line_counter;
    if (piece.compare(0, std::strlen(kEndMarker), kEndMarker) == 0) break;
    codegen::asm_line(p.gen, piece);
  }
  set_source_file(p.reader, file);
  advance(p);
}

}  // namespace corvel::front
