#include <cstdio>

#include "driver/command_line.hpp"

int main(int argc, char** argv) { return corvel::driver::run_corvel(argc, argv, stdout); }
