#include <cstdio>

#include "command_line.hpp"

int main(int argc, char** argv) { return corvsim::run_corvsim(argc, argv, stdout); }
