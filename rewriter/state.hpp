// Everything one run of trimmel holds. run_trimmel makes it and hands its
// parts down, so two runs in one process share nothing.
#pragma once

#include <cstdio>

#include "console.hpp"
#include "rule_table.hpp"
#include "window.hpp"

namespace trimmel {

struct Run {
  explicit Run(std::FILE* console_stream) : console{console_stream} {}

  Console console;
  RuleTable rules;
  Window window;
};

}  // namespace trimmel
