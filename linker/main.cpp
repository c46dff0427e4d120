#include <cstdio>

#include "command_line.hpp"

int main(int argc, char** argv) { return corvlink::run_corvlink(argc, argv, stdout); }
