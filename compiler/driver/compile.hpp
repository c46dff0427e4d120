// One compilation: set-up, two passes over the program, the size limits,
// the assembly file's frame, and the three reports.
#pragma once

#include <cstdio>
#include <string>

namespace corvel::driver {

struct Reports {
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

int compile(const CompileRequest& request, Reports& reports);
// Empties every table, as a new run of the program finds them.
void reset_run_state();

}  // namespace corvel::driver
