// Helpers for running trimmel in-process and reading what it printed.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "rule_table.hpp"
#include "support/temp_dir.hpp"

namespace trimmel::testing {

struct Outcome {
  int status = 0;
  std::string out;
  bool operator==(const Outcome&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Outcome& o) { return os << o.status << " [" << o.out << "]"; }

// A scratch file to hand to trimmel as its console, read back afterwards.
class ConsoleCapture {
 public:
  ConsoleCapture() : file_(std::tmpfile()) {}
  ~ConsoleCapture() { std::fclose(file_); }
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  std::FILE* stream() const { return file_; }
  Console console() const { return {file_}; }

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
  int status = run_trimmel(static_cast<int>(argv.size()), argv.data(), console.stream());
  return {status, console.text()};
}

// A rule table loaded from text, with what the loader printed.
struct Loaded {
  bool ok = false;
  std::string out;
  RuleTable rules;
};

inline Loaded load(const std::string& table) {
  corvel::testing::TempDir dir;
  dir.write("rules.rul", table);
  ConsoleCapture console;
  Loaded loaded;
  loaded.ok = load_rule_table(loaded.rules, dir.at("rules.rul"), console.console());
  loaded.out = console.text();
  return loaded;
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
