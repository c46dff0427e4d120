// #asm ... #endasm: source lines copied unchanged into the assembly output.
#include <string_view>

#include "codegen/layout.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/statements.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::front {

namespace {

constexpr std::string_view kEndMarker = "#endasm";

}  // namespace

// The block is read in raw pieces from where the #asm line ends; the rest of
// that line is dropped.
void compile_asm_block(Parser& p) {
  if (!codegen::native_mode(p.gen)) ground::fail(ground::Diag::AsmInInterpreter);
  drop_rest_of_line(p.reader);
  std::string_view piece;
  for (;;) {
    if (!read_piece(p.reader, ground::kAsmPiece, piece)) ground::fail(ground::Diag::EndAsmMissing);
    ++p.reader.line_counter;
    if (piece.starts_with(kEndMarker)) break;
    codegen::asm_line(p.gen, piece);
  }
  drop_rest_of_line(p.reader);
  advance(p);
}

}  // namespace corvel::front
