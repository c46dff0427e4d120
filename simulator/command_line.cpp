#include "command_line.hpp"

#include <string>

#include "ground/board.hpp"
#include "ground/diagnostics.hpp"
#include "ground/limits.hpp"
#include "ground/messages.hpp"
#include "ground/text.hpp"
#include "entries.hpp"
#include "machine.hpp"
#include "native.hpp"
#include "output/rom_file.hpp"
#include "waveforms.hpp"

namespace corvsim {

namespace {

constexpr const char* kUsage =
    "usage: corvsim prog.rom [-board.dat] [--firmware H8FUNC.H] [--vcd out.vcd] [--svg out.svg] [--trace] [--events]\n"
    "               [--replies file] [--max-steps N]\n"
    "  runs a ROM file of byte code or of native code and shows what the board would do\n"
    "  -board.dat       the board file that names the pins (default control.dat)\n"
    "  --firmware file  the firmware's entry points, for native code (NAME .EQU H'1000 lines)\n"
    "  --vcd file       write every pin, switch line and supply as a Value Change Dump\n"
    "  --svg file       draw the same timeline as a timing diagram\n"
    "  --trace          show every instruction as it runs\n"
    "  --events         print only the pin, supply and service events, without steps or addresses\n"
    "  --replies file   what services that return a value return (lines: name values...)\n"
    "  --max-steps N    stop after N steps (default 10000000)\n";

struct Options {
  std::string rom, board = "control.dat", vcd, svg, replies, firmware;
  bool trace = false, events = false, has_board = false;
  Limits limits;
};

bool take_value(int argc, const char* const* argv, int& i, std::string& value) {
  if (i + 1 >= argc) return false;
  value = argv[++i];
  return true;
}

bool take_option(int argc, const char* const* argv, int& i, Options& o) {
  std::string arg = argv[i], steps;
  if (arg == "--trace") return o.trace = true;
  if (arg == "--events") return o.events = true;
  if (arg == "--vcd") return take_value(argc, argv, i, o.vcd);
  if (arg == "--svg") return take_value(argc, argv, i, o.svg);
  if (arg == "--replies") return take_value(argc, argv, i, o.replies);
  if (arg == "--firmware") return take_value(argc, argv, i, o.firmware);
  if (arg == "--max-steps") {
    if (!take_value(argc, argv, i, steps) || steps.find_first_not_of("0123456789") != std::string::npos || steps.empty()) return false;
    o.limits.max_steps = std::stol(steps.substr(0, 15));
    return true;
  }
  if (arg.rfind("--", 0) == 0 || o.has_board) return false;
  o.board = arg.substr(1);
  return o.has_board = true;
}

bool parse(int argc, const char* const* argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (!arg.empty() && arg[0] == '-') {
      if (!take_option(argc, argv, i, o)) return false;
    } else if (o.rom.empty()) {
      o.rom = arg;
    } else {
      return false;
    }
  }
  return !o.rom.empty();
}

bool is_native(const corvel::ground::Image& image) { return image.bytes[corvel::ground::kCompileModeByte] == 1; }

// The ROM's image, or an empty one after the message.
bool load_rom(const Options& o, corvel::ground::Image& image, std::FILE* console) {
  try {
    image = corvel::output::read_rom_file(o.rom);
  } catch (const corvel::ground::Failure& f) {
    std::fputs(f.message.c_str(), console);
    return false;
  }
  if (is_native(image)) place_native_image(image);
  const char* refusal = nullptr;
  if (image.size <= corvel::ground::kHeaderSize) refusal = "is too short to hold a program";
  else if (is_native(image) && o.firmware.empty())
    refusal = "holds native code (compile mode 1): name the firmware's entry points with --firmware H8FUNC.H";
  if (refusal) std::fprintf(console, "corvsim: %s %s\n", o.rom.c_str(), refusal);
  return !refusal;
}

bool load_entries(const Options& o, const corvel::ground::Image& image, Entries& entries, std::FILE* console) {
  if (!is_native(image)) return true;
  try {
    entries = read_entries(o.firmware);
    return true;
  } catch (const EntriesError& e) {
    std::fprintf(console, "corvsim: %s\n", e.what());
    return false;
  }
}

bool load_board(const Options& o, corvel::ground::Board& board, std::FILE* console) {
  if (corvel::ground::read_board(o.board, board)) return true;
  std::fprintf(console, "%s\n", corvel::ground::format_text(corvel::msg::kConfigReadError, o.board.c_str()).c_str());
  return false;
}

bool load_replies(const Options& o, Replies& replies, std::FILE* console) {
  if (o.replies.empty()) return true;
  try {
    replies.read(o.replies);
    return true;
  } catch (const RepliesError& e) {
    std::fprintf(console, "corvsim: %s\n", e.what());
    return false;
  }
}

void print_header(const Options& o, const corvel::ground::Image& image, std::FILE* console) {
  std::fprintf(console, "corvsim: %s: %d bytes of %s", o.rom.c_str(), image.size, is_native(image) ? "native code" : "byte code");
  if (image.frame_count > 0) std::fprintf(console, " in %d frames", image.frame_count);
  std::fprintf(console, ", board %s\n%9s  %6s  %s\n", o.board.c_str(), "step", "offset", "event");
}

int simulate(const Options& o, Model& model, const Entries& entries, std::FILE* console) {
  Timeline& timeline = model.timeline();
  int status = 0;
  try {
    if (is_native(model.image())) NativeMachine(model, entries, o.trace).run();
    else Machine(model, o.trace).run();
  } catch (const Stop& s) {
    std::fprintf(console, "corvsim: stopped at <%04ld>: %s\n", s.offset, s.what());
    status = 1;
  }
  timeline.print_serial();
  const std::vector<Signal>& signals = model.board().signals();
  if (!o.vcd.empty() && !write_vcd(o.vcd, signals, timeline, model.time))
    status = 1, std::fprintf(console, "corvsim: cannot write %s\n", o.vcd.c_str());
  if (!o.svg.empty() && !write_svg(o.svg, signals, timeline, model.time))
    status = 1, std::fprintf(console, "corvsim: cannot write %s\n", o.svg.c_str());
  return status;
}

}  // namespace

int run_corvsim(int argc, const char* const* argv, std::FILE* console) {
  Options o;
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) return std::fputs(kUsage, console), 0;
  if (!parse(argc, argv, o)) return std::fputs(kUsage, console), 1;
  corvel::ground::Image image;
  corvel::ground::Board board;
  Replies replies;
  Entries entries;
  if (!load_rom(o, image, console) || !load_entries(o, image, entries, console) || !load_board(o, board, console) ||
      !load_replies(o, replies, console))
    return 1;
  if (!o.events) print_header(o, image, console);
  Timeline timeline(console, o.events);
  Model model(std::move(image), board, timeline, replies, o.limits);
  return simulate(o, model, entries, console);
}

}  // namespace corvsim
