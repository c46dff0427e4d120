// corvlink's command line: corvlink prog.asm [-I dir]... [--keep] [--no-import] [--prefix P]
#pragma once

#include <cstdio>

namespace corvlink {

// Runs corvlink as the program would with these arguments; returns the exit status.
int run_corvlink(int argc, const char* const* argv, std::FILE* console);

}  // namespace corvlink
