// One compilation: set-up, two passes over the program, the size limits,
// the assembly file's frame, and the reports. Its whole state is one
// Compilation object.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "codegen/gen.hpp"
#include "front/parser.hpp"
#include "ground/asm_out.hpp"
#include "ground/board.hpp"
#include "ground/image.hpp"

namespace corvel::driver {

struct Reports {
  std::string trace;  // printed before the others, as the failing check wrote it
  std::string message;
  std::string diagnostic;
  std::string position;  // ends with a line end
};

struct CompileRequest {
  std::string config_path;
  std::string asm_path;  // empty: intermediate mode
  std::FILE* source = nullptr;  // positioned just after the [CODE] line
  int lines_before_code = 0;
};

enum CompileResult { kCompiled = 0, kCompileError = -1, kSetupError = -2 };

struct Program {
  std::unique_ptr<char[]> bytes;
  size_t size = 0;
};

struct Compilation {
  ground::Board board;
  ground::Image image{ground::Image::Unset{}};
  ground::AsmOut out;
  codegen::Gen gen{image, out};
  front::Parser parser{gen, board};
  int pass1_length = 0;  // both passes must lay the same number of bytes
  Program program;       // the text after [CODE], which both passes read
};

CompileResult compile(Compilation& c, const CompileRequest& request, Reports& reports);

}  // namespace corvel::driver
