// corvel's command line: arguments, derived file names, the three run modes.
#pragma once

namespace corvel::driver {

// Runs corvel as the program would with these arguments; returns the exit status.
int run_corvel(int argc, const char* const* argv);

}  // namespace corvel::driver
