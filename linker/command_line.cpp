#include "command_line.hpp"

#include <cstdlib>
#include <string>

#include "road.hpp"

namespace corvlink {

namespace {

constexpr const char* kUsage =
    "usage: corvlink prog.asm [-I dir]... [--keep] [--no-import] [--prefix P]\n"
    "  assembles and links corvel's assembly with the GNU tools for the H8/300H,\n"
    "  writes prog.hex and prog.sym, and imports them into prog.rom and prog.inf\n"
    "  -I dir       another folder to look in for included files (H8FUNC.H)\n"
    "  --keep       leave the folder of intermediate files in place\n"
    "  --no-import  stop at prog.hex and prog.sym\n"
    "  --prefix P   the tools' prefix (default h8300-hms-, or CORVLINK_PREFIX)\n";

// The value of an option written apart ("-I dir") or joined ("-Idir", "--prefix=P").
bool option_value(int argc, const char* const* argv, int& i, const std::string& name, std::string& value) {
  std::string arg = argv[i];
  if (arg == name) {
    if (i + 1 >= argc) return false;
    value = argv[++i];
    return true;
  }
  std::string joined = name.size() > 2 ? name + "=" : name;
  if (arg.rfind(joined, 0) != 0 || arg.size() == joined.size()) return false;
  value = arg.substr(joined.size());
  return true;
}

bool parse(int argc, const char* const* argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i], value;
    if (arg == "--keep") o.keep = true;
    else if (arg == "--no-import") o.import = false;
    else if (arg.rfind("-I", 0) == 0 && option_value(argc, argv, i, "-I", value)) o.include_folders.push_back(value);
    else if (arg.rfind("--prefix", 0) == 0 && option_value(argc, argv, i, "--prefix", value)) o.prefix = value;
    else if (arg.empty() || arg[0] == '-' || !o.source.empty()) return false;
    else o.source = arg;
  }
  return !o.source.empty();
}

}  // namespace

int run_corvlink(int argc, const char* const* argv, std::FILE* console) {
  Options o;
  if (const char* prefix = std::getenv("CORVLINK_PREFIX"); prefix && *prefix) o.prefix = prefix;
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kUsage, console);
    return 0;
  }
  if (!parse(argc, argv, o)) {
    std::fputs(kUsage, console);
    return 1;
  }
  return run_road(o, console);
}

}  // namespace corvlink
