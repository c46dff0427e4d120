#include "driver/command_line.hpp"

#include <strings.h>

#include <cstdio>
#include <string>

#include "driver/compile.hpp"
#include "driver/messages.hpp"
#include "driver/state.hpp"
#include "output/import.hpp"
#include "output/info_file.hpp"
#include "output/listing.hpp"
#include "output/rom_file.hpp"

namespace corvel::driver {

namespace {

struct Options {
  bool native = false;
  bool listing = false;
  bool has_config = false;
  std::string config = "control.dat";
  bool has_source = false;
  std::string source;
};

struct Names {
  std::string info;
  std::string output;
  std::string symbols;
  bool import = false;
};

void say(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), g.console);
  std::fputc('\n', g.console);
}

void say_usage() {
  for (const char* line : msg::kUsage) say(line);
}

bool parse_arguments(int argc, const char* const* argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-a" || arg == "-A") {
      o.native = true;
    } else if (arg == "-g" || arg == "-G") {
      o.listing = true;
    } else if (arg[0] == '-') {
      if (o.has_config) return false;
      o.has_config = true;
      o.config = arg.substr(1);
    } else {
      if (o.has_source) return false;
      o.has_source = true;
      o.source = arg;
    }
  }
  return o.has_source;
}

int derive_names(const Options& o, Names& names) {
  size_t dot = o.source.rfind('.');
  if (dot == std::string::npos) {
    say(msg::kNoExtension);
    return -1;
  }
  std::string base = o.source.substr(0, dot);
  names.output = base + (o.native ? ".asm" : ".rom");
  if (names.output == o.source) {
    say(msg::kChangeExtension);
    return -1;
  }
  names.info = base + ".inf";
  names.symbols = base + ".sym";
  names.import = strcasecmp(o.source.c_str() + dot, ".hex") == 0;
  return 0;
}

// Reads whole lines up to the [CODE] marker; counts the lines before it.
// Only the first six characters of a line matter, so only they are kept.
bool find_code_line(std::FILE* file, int& lines_before) {
  constexpr size_t kMarkerLength = 6;
  lines_before = 0;
  for (;;) {
    std::string head;
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
      any = true;
      if (head.size() < kMarkerLength) head.push_back(static_cast<char>(c));
    }
    if (!any && c == EOF) return false;
    if (head.size() == kMarkerLength && strncasecmp(head.c_str(), "[CODE]", kMarkerLength) == 0) return true;
    ++lines_before;
    if (c == EOF) return false;
  }
}

void print_reports(const Reports& reports) {
  if (!reports.message.empty()) say(reports.message);
  if (!reports.diagnostic.empty()) say(reports.diagnostic);
  if (!reports.position.empty()) std::fputs(reports.position.c_str(), g.console);
}

int run_compiling_mode(const Options& o, const Names& names) {
  std::FILE* source = std::fopen(o.source.c_str(), "r");
  if (!source) {
    std::fprintf(g.console, msg::kFileOpenErrorLn, o.source.c_str());
    return 1;
  }
  int lines_before = 0;
  if (!find_code_line(source, lines_before)) {
    say(msg::kNoCodeEntry);
    std::fclose(source);
    return 1;
  }
  Reports reports;
  CompileRequest request{o.config, o.native ? names.output : std::string(), source, lines_before};
  int result = compile(request, reports);
  std::fclose(source);
  if (result == kCompiled) {
    if (output::write_info_file(names.info, o.native ? 1 : 0) < 0) return 1;
    if (!o.native) {
      if (o.listing) output::print_listing();
      if (output::write_rom_file(names.output) < 0) return 1;
    }
  }
  print_reports(reports);
  return result == kCompiled ? 0 : 1;
}

int run_import_mode(const Options& o, const Names& names) {
  if (output::read_info_file(names.info) < 0) return 1;
  if (output::read_symbol_file(names.symbols) < 0) return 1;
  if (output::write_info_file(names.info, 1) < 0) return 1;
  if (output::load_hex_file(o.source) < 0) return 1;
  if (output::write_rom_file(names.output) < 0) return 1;
  return 0;
}

}  // namespace

int run_corvel(int argc, const char* const* argv) {
  reset_run_state();
  say(msg::kBanner);
  Options options;
  if (!parse_arguments(argc, argv, options)) {
    say_usage();
    return 1;
  }
  Names names;
  if (derive_names(options, names) < 0) return 1;
  return names.import ? run_import_mode(options, names) : run_compiling_mode(options, names);
}

}  // namespace corvel::driver
