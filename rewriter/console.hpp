// Printing on the console stream of one run (main passes standard output).
#pragma once

#include <cstdio>
#include <string>

namespace trimmel {

// A handle, copied freely: the stream belongs to whoever started the run.
struct Console {
  std::FILE* stream = nullptr;

  void say(const char* text) const;
  // For the texts that carry one "%d", the table's line counter.
  void say_line_number(const char* format, int line) const;
  // For the texts that carry one "%s", a file path.
  void say_path(const char* format, const std::string& path) const;
};

}  // namespace trimmel
