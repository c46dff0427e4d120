#include <cstdio>

#include "command_line.hpp"

int main(int argc, char** argv) { return trimmel::run_trimmel(argc, argv, stdout); }
