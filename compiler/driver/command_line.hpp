// corvel's command line: arguments, derived file names, the three run modes.
#pragma once

#include <cstdio>

namespace corvel::driver {

// Runs corvel as the program would with these arguments, printing on
// `console`; returns the exit status.
int run_corvel(int argc, const char* const* argv, std::FILE* console);

}  // namespace corvel::driver
