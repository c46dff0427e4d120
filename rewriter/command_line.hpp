// trimmel's command line: trimmel table target_file backup_file.
#pragma once

#include <string>

namespace trimmel {

// Runs trimmel as the program would with these arguments; returns the exit status.
int run_trimmel(int argc, const char* const* argv);

// Where the table is looked for when its own name is not a file: the
// program's directory (up to its last '/') followed by the table argument.
std::string path_beside_program(const std::string& program, const std::string& table);

}  // namespace trimmel
