#include "road.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "linker_script.hpp"
#include "notation.hpp"
#include "tools.hpp"
#include "ground/diagnostics.hpp"
#include "output/import.hpp"
#include "output/rom_file.hpp"

namespace corvlink {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxIncludeDepth = 8;

struct Paths {
  std::string source;  // as the user named it
  std::string folder;  // its folder with a closing '/', or empty
  std::string stem;    // its name without folder and extension
  std::string base() const { return folder + stem; }
};

struct Road {
  const Options& o;
  Paths paths;
  std::string temp;  // the folder of intermediate files
  std::set<std::string> temp_names;
  std::vector<std::pair<std::string, std::string>> shown_as;  // a temporary name, the name the user knows
};

Paths paths_of(const std::string& source) {
  size_t slash = source.rfind('/');
  size_t dot = source.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
    throw RoadError(source + ": the assembly file needs an extension, as in prog.asm");
  size_t name = slash == std::string::npos ? 0 : slash + 1;
  return {source, source.substr(0, name), source.substr(name, dot - name)};
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RoadError("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) throw RoadError("cannot write " + path);
}

std::string make_temp_folder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/corvlink-XXXXXX";
  if (!mkdtemp(pattern.data())) throw RoadError("cannot make a folder for the intermediate files in " + pattern);
  return pattern;
}

// Names of intermediate files in the tools' messages become the user's names.
std::string shown(const Road& r, std::string text) {
  for (const auto& [temp_name, user_name] : r.shown_as) {
    for (size_t at = 0; (at = text.find(temp_name, at)) != std::string::npos; at += user_name.size())
      text.replace(at, temp_name.size(), user_name);
  }
  return text;
}

std::string translate_file(Road& r, const std::string& path, int depth);

bool is_file(const std::string& path) {
  std::error_code ignored;
  return fs::is_regular_file(path, ignored);
}

// Beside the including file first, then in the -I folders, in order.
std::string find_include(const Road& r, const std::string& written, const std::string& including, int line) {
  std::vector<std::string> folders{fs::path(including).parent_path().string()};
  folders.insert(folders.end(), r.o.include_folders.begin(), r.o.include_folders.end());
  if (fs::path(written).is_absolute()) folders = {""};
  std::string looked;
  for (const std::string& folder : folders) {
    std::string path = folder.empty() ? written : (fs::path(folder) / written).string();
    if (is_file(path)) return path;
    looked += (looked.empty() ? "" : ", ") + (folder.empty() ? std::string(".") : folder);
  }
  throw RoadError(including + ":" + std::to_string(line) + ": cannot find " + written + " (looked in " + looked +
                  "; -I names another folder)");
}

// A name in the folder of intermediate files that no other file has taken.
std::string temp_name_for(Road& r, const std::string& path) {
  std::string name = fs::path(path).filename().string();
  for (int n = 2; r.temp_names.count(name); ++n) name = std::to_string(n) + "-" + fs::path(path).filename().string();
  r.temp_names.insert(name);
  return name;
}

// Translates an included file into the folder of intermediate files.
std::string include(Road& r, const std::string& written, const std::string& including, int line, int depth) {
  if (depth >= kMaxIncludeDepth)
    throw RoadError(including + ":" + std::to_string(line) + ": includes nest deeper than " +
                    std::to_string(kMaxIncludeDepth) + " files (does a file include itself?)");
  std::string path = find_include(r, written, including, line);
  std::string name = temp_name_for(r, path);
  r.shown_as.push_back({name + ":", path + ":"});
  write_file(r.temp + "/" + name, translate_file(r, path, depth + 1));
  return name;
}

std::string translate_file(Road& r, const std::string& path, int depth) {
  IncludeResolver resolve = [&](const std::string& written, int line) {
    return include(r, written, path, line, depth);
  };
  try {
    return translate(path, read_file(path), resolve);
  } catch (const NotationError& e) {
    throw RoadError(e.what());
  }
}

std::string in_temp(const Road& r, const std::string& extension) { return r.temp + "/" + r.paths.stem + extension; }

// Runs a tool in the folder of intermediate files; a failure names the step.
std::string run_step(const Road& r, const char* tool, const std::vector<std::string>& args, const std::string& step) {
  std::string program = r.o.prefix + tool;
  ToolRun run = run_tool(program, args, r.temp);
  if (!run.found)
    throw RoadError(step + ": " + program +
                    " is not on PATH (Debian package binutils-h8300-hms; --prefix or CORVLINK_PREFIX names another prefix)");
  if (run.status != 0) throw RoadError(step + " failed (" + program + "):\n" + shown(r, run.output));
  return run.output;
}

void assemble(Road& r) {
  const std::string& stem = r.paths.stem;
  r.shown_as.push_back({stem + ".s:", r.paths.source + ":"});
  write_file(in_temp(r, ".s"), translate_file(r, r.paths.source, 0));
  run_step(r, "as", {"-o", stem + ".o", stem + ".s"}, "assembling " + r.paths.source);
}

void link(const Road& r) {
  const std::string& stem = r.paths.stem;
  write_file(r.temp + "/corvlink.ld", kLinkerScript);
  run_step(r, "ld", {"-T", "corvlink.ld", "-e", "0", "-o", stem + ".out", stem + ".o"}, "linking " + r.paths.source);
}

// The import reads data, end and segment records only: a start record, which
// an entry point brings, is left out.
std::string import_records(const std::string& hex) {
  std::istringstream in(hex);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    bool start = line.size() >= 9 && line[0] == ':' && (line.compare(7, 2, "03") == 0 || line.compare(7, 2, "05") == 0);
    if (!start) out += line + "\n";
  }
  return out;
}

void make_hex(const Road& r) {
  const std::string& stem = r.paths.stem;
  run_step(r, "objcopy", {"-O", "ihex", stem + ".out", stem + ".hex"}, "writing " + r.paths.base() + ".hex");
  write_file(in_temp(r, ".hex"), import_records(read_file(in_temp(r, ".hex"))));
}

// nm -n lists "address type name" in ascending address order; the import
// reads "address name". Absolute and undefined symbols, the firmware's
// entries among them, are not places in the image.
std::string symbol_file(const std::string& listing) {
  std::istringstream in(listing);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string address, type, name;
    if (!(words >> address >> type >> name) || type.size() != 1 || std::string("AaUuwWvV").find(type[0]) != std::string::npos) continue;
    if (address.empty() || address.size() > 16 || address.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) continue;
    char pair[32];
    std::snprintf(pair, sizeof pair, "%08llX ", std::stoull(address, nullptr, 16));
    out += pair + name + "\n";
  }
  return out;
}

void make_symbols(const Road& r) {
  std::string listing = run_step(r, "nm", {"-n", r.paths.stem + ".out"}, "writing " + r.paths.base() + ".sym");
  write_file(in_temp(r, ".sym"), symbol_file(listing));
}

// The image's size; the ROM file and the updated information file wait in
// the folder of intermediate files.
int import(const Road& r) {
  std::string info = r.paths.base() + ".inf";
  if (!is_file(info))
    throw RoadError(info + " is missing: corvel writes it beside " + r.paths.source +
                    " (corvel prog.c -a); --no-import stops at the HEX and symbol files");
  write_file(in_temp(r, ".inf"), read_file(info));
  try {
    corvel::ground::Image image = corvel::output::import_program({in_temp(r, ".hex"), in_temp(r, ".sym"), in_temp(r, ".inf")});
    corvel::output::write_rom_file(in_temp(r, ".rom"), image);
    return image.size;
  } catch (const corvel::ground::Failure& f) {
    throw RoadError("importing " + r.paths.base() + ".hex failed:\n" + shown(r, f.message));
  }
}

// Every output is first copied beside its place, then all are renamed into
// place: no file is left half-written, and none is replaced unless all are.
void place(const Road& r, const std::vector<std::string>& extensions) {
  std::vector<std::pair<std::string, std::string>> moves;
  try {
    for (const std::string& extension : extensions) {
      std::string place = r.paths.base() + extension;
      moves.push_back({place + ".corvlink-new", place});
      write_file(moves.back().first, read_file(in_temp(r, extension)));
    }
  } catch (const RoadError&) {
    for (const auto& move : moves) std::remove(move.first.c_str());
    throw;
  }
  for (const auto& [from, to] : moves)
    if (std::rename(from.c_str(), to.c_str()) != 0) throw RoadError("cannot write " + to);
}

void run_steps(Road& r, std::FILE* console) {
  for (const char* extension : {".s", ".o", ".out", ".hex", ".sym", ".inf", ".rom"}) r.temp_names.insert(r.paths.stem + extension);
  r.temp_names.insert("corvlink.ld");
  r.shown_as.push_back({r.temp + "/", r.paths.folder});
  assemble(r);
  link(r);
  make_hex(r);
  make_symbols(r);
  std::string base = r.paths.base();
  if (!r.o.import) {
    place(r, {".hex", ".sym"});
    std::fprintf(console, "corvlink: %s -> %s.hex %s.sym\n", r.paths.source.c_str(), base.c_str(), base.c_str());
    return;
  }
  int size = import(r);
  place(r, {".hex", ".sym", ".inf", ".rom"});
  std::fprintf(console, "corvlink: %s -> %s.hex %s.sym %s.rom (image of %d bytes), %s.inf updated\n",
               r.paths.source.c_str(), base.c_str(), base.c_str(), base.c_str(), size, base.c_str());
}

void finish(const Options& o, const std::string& temp, std::FILE* console) {
  if (temp.empty()) return;
  if (o.keep) {
    std::fprintf(console, "corvlink: intermediate files kept in %s\n", temp.c_str());
    return;
  }
  std::error_code ignored;
  fs::remove_all(temp, ignored);
}

}  // namespace

int run_road(const Options& o, std::FILE* console) {
  std::string temp;
  int status = 0;
  try {
    Road r{o, paths_of(o.source), make_temp_folder(), {}, {}};
    temp = r.temp;
    run_steps(r, console);
  } catch (const std::exception& e) {
    std::fprintf(console, "corvlink: %s\n", e.what());
    status = 1;
  }
  finish(o, temp, console);
  return status;
}

}  // namespace corvlink
