// Helpers for running trimmel in-process and reading what it printed.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "rule_table.hpp"
#include "state.hpp"
#include "support/temp_dir.hpp"

namespace trimmel::testing {

struct Outcome {
  int status = 0;
  std::string out;
  bool operator==(const Outcome&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Outcome& o) { return os << o.status << " [" << o.out << "]"; }

// Points the console at a scratch file for the life of the object.
class ConsoleCapture {
 public:
  ConsoleCapture() : file_(std::tmpfile()) { g.console = file_; }
  ~ConsoleCapture() {
    g.console = stdout;
    std::fclose(file_);
  }
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  std::string text() const {
    std::fflush(file_);
    std::rewind(file_);
    std::string bytes;
    for (int c; (c = std::fgetc(file_)) != EOF;) bytes.push_back(static_cast<char>(c));
    return bytes;
  }

 private:
  std::FILE* file_;
};

inline Outcome run(const std::vector<std::string>& args) {
  ConsoleCapture console;
  std::vector<const char*> argv{"trimmel"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  int status = run_trimmel(static_cast<int>(argv.size()), argv.data());
  return {status, console.text()};
}

// Loads a rule table from text; returns what the loader printed.
inline std::string load(const std::string& table, bool* loaded = nullptr) {
  corvel::testing::TempDir dir;
  dir.write("rules.rul", table);
  ConsoleCapture console;
  reset_state();
  bool ok = load_rule_table(dir.at("rules.rul"));
  if (loaded) *loaded = ok;
  return console.text();
}

// A message of the table with its "%d" or "%s" filled in.
inline std::string with_line(const char* format, int line) {
  char text[256];
  std::snprintf(text, sizeof text, format, line);
  return text;
}

inline std::string with_path(const char* format, const std::string& path) {
  std::string text = format;
  return text.replace(text.find("%s"), 2, path);
}

}  // namespace trimmel::testing
