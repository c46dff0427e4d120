#include "driver/command_line.hpp"

#include <strings.h>

#include <cstring>
#include <memory>
#include <string>

#include "driver/compile.hpp"
#include "ground/diagnostics.hpp"
#include "ground/file.hpp"
#include "ground/messages.hpp"
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

void say(std::FILE* console, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), console);
  std::fputc('\n', console);
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

// The message that refuses the source's name, or null.
const char* derive_names(const Options& o, Names& names) {
  size_t dot = o.source.rfind('.');
  if (dot == std::string::npos) return msg::kNoExtension;
  std::string base = o.source.substr(0, dot);
  names.output = base + (o.native ? ".asm" : ".rom");
  if (names.output == o.source) return msg::kChangeExtension;
  names.info = base + ".inf";
  names.symbols = base + ".sym";
  names.import = strcasecmp(o.source.c_str() + dot, ".hex") == 0;
  return nullptr;
}

// One piece of a line: at most 511 characters, up to and including a line
// end, as a line-oriented read of that size takes it. Only its first six
// characters matter. False at the end of the file.
bool read_piece(std::FILE* file, std::string& head, bool& line_end) {
  head.clear();
  line_end = false;
  int n = 0, c = 0;
  while (n < ground::kMarkerPiece && (c = std::fgetc(file)) != EOF) {
    if (n++ < 6) head.push_back(static_cast<char>(c));
    if (c == '\n') return line_end = true;
  }
  return n > 0;
}

// Counts the pieces before the [CODE] marker as lines. The rest of a marker
// line longer than a piece is skipped.
bool find_code_line(std::FILE* file, int& lines_before) {
  std::string head;
  bool line_end = false;
  for (lines_before = 0; read_piece(file, head, line_end); ++lines_before) {
    if (head.size() < 6 || strncasecmp(head.c_str(), "[CODE]", 6) != 0) continue;
    for (int c = 0; !line_end && (c = std::fgetc(file)) != EOF;) line_end = c == '\n';
    return true;
  }
  return false;
}

void print_reports(std::FILE* console, const Reports& reports) {
  std::fputs(reports.trace.c_str(), console);
  if (!reports.message.empty()) say(console, reports.message);
  if (!reports.diagnostic.empty()) say(console, reports.diagnostic);
  if (!reports.position.empty()) std::fputs(reports.position.c_str(), console);
}

// The files of a successful compilation; false after the message of a file that failed.
bool write_outputs(std::FILE* console, const Options& o, const Names& names, const ground::Image& image) {
  try {
    output::write_info_file(names.info, o.native ? 1 : 0, image);
    if (o.native) return true;
    if (o.listing) output::print_listing(image, console);
    output::write_rom_file(names.output, image);
    return true;
  } catch (const ground::Failure& f) {
    std::fputs(f.message.c_str(), console);
    return false;
  }
}

int run_compiling_mode(std::FILE* console, const Options& o, const Names& names) {
  ground::File source = ground::open_file(o.source, "r");
  if (!source) {
    std::fprintf(console, msg::kFileOpenErrorLn, o.source.c_str());
    return 1;
  }
  int lines_before = 0;
  if (!find_code_line(source.get(), lines_before)) {
    say(console, msg::kNoCodeEntry);
    return 1;
  }
  // Default-initialized: the members set themselves, nothing is zeroed twice.
  auto c = std::make_unique_for_overwrite<Compilation>();
  Reports reports;
  CompileRequest request{o.config, o.native ? names.output : std::string(), source.get(), lines_before};
  CompileResult result = compile(*c, request, reports);
  source.reset();
  if (result == kCompiled && !write_outputs(console, o, names, c->image)) return 1;
  print_reports(console, reports);
  return result == kCompiled ? 0 : 1;
}

int run_import_mode(std::FILE* console, const Options& o, const Names& names) {
  try {
    ground::Image image = output::import_program({o.source, names.symbols, names.info});
    std::fprintf(console, msg::kImportSize, image.size);
    output::write_rom_file(names.output, image);
    return 0;
  } catch (const ground::Failure& f) {
    std::fputs(f.message.c_str(), console);
    return 1;
  }
}

}  // namespace

int run_corvel(int argc, const char* const* argv, std::FILE* console) {
  say(console, msg::kBanner);
  Options options;
  if (!parse_arguments(argc, argv, options)) {
    for (const char* line : msg::kUsage) say(console, line);
    return 1;
  }
  Names names;
  if (const char* refusal = derive_names(options, names)) {
    say(console, refusal);
    return 1;
  }
  return names.import ? run_import_mode(console, options, names) : run_compiling_mode(console, options, names);
}

}  // namespace corvel::driver
