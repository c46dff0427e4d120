// trimmel's command line: trimmel table target_file backup_file.
#pragma once

#include <cstdio>
#include <string>

namespace trimmel {

inline constexpr int kExitFailure = 255;  // what a process ending with exit(-1) reports

// Runs trimmel as the program would with these arguments, printing on
// console; returns the exit status.
int run_trimmel(int argc, const char* const* argv, std::FILE* console);

// Where the table is looked for when its own name is not a file: the
// program's directory (up to its last '/') followed by the table argument.
std::string path_beside_program(const std::string& program, const std::string& table);

}  // namespace trimmel
