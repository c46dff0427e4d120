// corvsim's command line:
//   corvsim prog.rom [-board.dat] [--firmware H8FUNC.H] [--vcd out.vcd] [--svg out.svg] [--trace] [--replies file] [--max-steps N]
#pragma once

#include <cstdio>

namespace corvsim {

// Runs corvsim as the program would with these arguments; returns the exit status.
int run_corvsim(int argc, const char* const* argv, std::FILE* console);

}  // namespace corvsim
