#include "driver/compile.hpp"

#include "codegen/builtin_calls.hpp"
#include "codegen/builtin_table.hpp"
#include "codegen/intermediate_code.hpp"
#include "driver/board_config.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "driver/text_format.hpp"
#include "driver/top_level.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/state.hpp"
#include "front/statements.hpp"
#include "front/symbol_table.hpp"

namespace corvel::driver {

namespace {

struct Keyword {
  const char* name;
  int kind;
};

constexpr Keyword kKeywords[] = {{"if", front::kKindIf},       {"goto", front::kKindGoto},
                                 {"else", front::kKindElse},   {"while", front::kKindWhile},
                                 {"do", front::kKindDo},       {"break", front::kKindBreak},
                                 {"continue", front::kKindContinue}};

constexpr int kPortWordsPreset = 60;  // bytes 0..59: the three port blocks

const char* const kPrologue[] = {
    ";assembler source for TAMBER Version 3.51\n",
    "\n",
    "\t.CPU\t300HA\n",
    "MEMORYTOP\t.EQU\tH'FEF10\n",
    "\n",
    "\t.INCLUDE \"H8FUNC.H\"\n",
    "\n",
};

struct Source {
  std::FILE* file;
  long resume;  // where pass reading restarts: the line feed ending [CODE], or the end of file
  int lines_before_code;
};

int register_names() {
  for (const Keyword& k : kKeywords)
    if (register_symbol(k.name, {}, k.kind) < 0) return -1;
  for (const codegen::Builtin& b : codegen::kBuiltins) {
    std::string value = format_text("%02d%s", b.number, b.signature);
    if (register_symbol(b.name, value, front::kKindBuiltin) < 0) return -1;
  }
  return 0;
}

void preset_header() {
  for (int i = 0; i < kPortWordsPreset; ++i) g.image[i] = 255;
  for (int block = 0; block < kPortWordsPreset; block += kPortBlockSize) g.image[block] = g.image[block + 1] = 0;
  g.image[kCompileModeByte] = 0;
  g.image[kBoardNumberByte] = static_cast<std::uint8_t>(g.board_number);
  g.image[kEntryByte] = codegen::kProgEnd;
  g.image[kEntryByte + 1] = g.image[kEntryByte + 2] = 0;
}

int open_assembly(const std::string& path, Reports& reports) {
  g.data_stream = std::fopen(path.c_str(), "w");
  if (!g.data_stream) {
    reports.message = format_text(msg::kOutputOpenError, path.c_str());
    return kSetupError;
  }
  g.code_stream = std::tmpfile();
  if (!g.code_stream) {
    std::fclose(g.data_stream);
    g.data_stream = nullptr;
    reports.message = msg::kTempOpenError;
    return kSetupError;
  }
  for (const char* line : kPrologue) std::fputs(line, g.data_stream);
  return kCompiled;
}

int set_up(const CompileRequest& request, Reports& reports) {
  reports = Reports{};
  reset_run_state();
  front::symbol_reset();
  g.pass = 1;
  if (read_board_config(request.config_path) < 0) {
    reports.message = format_text(msg::kConfigReadError, request.config_path.c_str());
    return kSetupError;
  }
  if (!request.asm_path.empty() && open_assembly(request.asm_path, reports) != kCompiled) return kSetupError;
  if (register_names() < 0) {
    reports.message = msg::kInternalError;
    return kSetupError;
  }
  preset_header();
  return kCompiled;
}

void reset_pass(const Source& source) {
  reset_program_structure();
  front::reset_loops();
  codegen::reset_string_counter();
  front::reset_lexer();
  g.byte_counter = kHeaderSize;
  front::set_line_counter(source.lines_before_code);
  std::fseek(source.file, source.resume, SEEK_SET);
  front::set_source_file(source.file);
}

void echo_line() {
  if (!native_output()) return;
  std::FILE* stream = g.section == kSectionCode ? g.code_stream : g.data_stream;
  std::fputc(';', stream);
  std::fputs(front::line_text().c_str(), stream);
  std::fputc('\n', stream);
}

int check_sizes() {
  int f = g.current_frame;
  if (f == 0) {
    int limit = native_mode() ? kNativeLimit : kBaseLimit;
    if (g.byte_counter > limit) return fail(0, msg::kProgramTooBig, g.byte_counter);
  } else {
    long running = g.byte_counter - g.frames[f].start;
    long sum = running + g.frames[0].size;
    if (sum > kBaseLimit)
      return fail(3480, msg::kFrameTooBigBase, f, kBaseLimit, static_cast<int>(g.frames[0].size),
                  static_cast<int>(running), static_cast<int>(sum));
  }
  if (g.byte_counter >= kNativeLimit) return fail(0, msg::kProgramTooBigOverlay, g.byte_counter);
  return 0;
}

int compile_items() {
  for (;;) {
    int code = front::advance();
    if (code == front::kEnd) return 0;
    echo_line();
    // An error token is refused too: ending the pass there would drop the rest silently.
    if (code != front::kIdentifier) return fail(0, msg::kNotAName);
    if (compile_top_level_item() < 0) return -1;
    if (g.pass == 1 && check_sizes() < 0) return -1;
  }
}

int run_pass(const Source& source) {
  reset_pass(source);
  if (compile_items() < 0) return -1;
  lay(codegen::kProgEnd);
  if (g.pass == 2 && g.byte_counter != g.pass1_length) return fail(0, msg::kInternalError);
  if (g.pass == 1) {
    g.pass1_length = g.byte_counter;
    int f = g.current_frame;
    g.frames[f].size = g.byte_counter - g.frames[f].start;
    if (f >= 1) g.frame_count = f + 1;
  }
  return 0;
}

// The byte that ends the [CODE] line is where reading restarts; a [CODE]
// line without a line end leaves nothing to read.
long resume_position(std::FILE* file) {
  long position = std::ftell(file);
  if (position <= 0) return position < 0 ? 0 : position;
  std::fseek(file, position - 1, SEEK_SET);
  int c = std::fgetc(file);
  return c == '\n' ? position - 1 : position;
}

int finish_assembly(bool compiled, const std::string& path) {
  if (!g.data_stream) return 0;
  if (compiled && g.image[kEntryByte] != codegen::kGoto) std::fputs("\n_main:\n\tRTS\n", g.code_stream);
  std::rewind(g.code_stream);
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, g.code_stream)) > 0) std::fwrite(buffer, 1, n, g.data_stream);
  bool failed = std::ferror(g.code_stream) != 0;
  std::fclose(g.code_stream);
  std::fputs("\t.END\n", g.data_stream);
  failed = std::ferror(g.data_stream) != 0 || failed;
  failed = std::fclose(g.data_stream) != 0 || failed;
  g.code_stream = g.data_stream = nullptr;
  // An assembly file that was not written whole must not pass for a result.
  if (failed && compiled) return fail(0, msg::kOutputOpenError, path.c_str());
  return 0;
}

void fill_reports(bool compiled, Reports& reports) {
  if (compiled) {
    reports.message = msg::kCompileOk;
    return;
  }
  reports.message = g.message.empty() ? msg::kInternalError : g.message;
  reports.diagnostic = g.diagnostic;
  std::string line = front::line_text();
  if (line.empty() || line.back() != '\n') line += '\n';
  reports.position = format_text(msg::kSourcePosition, static_cast<long>(front::line_counter()), line.c_str());
}

}  // namespace

// A fresh run of the program starts from an empty state; so does each compilation.
void reset_run_state() {
  std::FILE* console = g.console;
  g = DriverState{};
  g.console = console;
  for (auto& table : g.board.pins) table.fill(kNoPort);
  front::g = front::FrontState{};
  codegen::reset_string_counter();
}

int compile(const CompileRequest& request, Reports& reports) {
  if (set_up(request, reports) != kCompiled) return kSetupError;
  Source source{request.source, resume_position(request.source), request.lines_before_code};
  bool compiled = run_pass(source) == 0;
  if (compiled) {
    g.pass = 2;
    compiled = run_pass(source) == 0;
  }
  front::set_source_file(nullptr);
  front::symbol_clear();
  if (finish_assembly(compiled, request.asm_path) < 0) compiled = false;
  fill_reports(compiled, reports);
  return compiled ? kCompiled : kCompileError;
}

}  // namespace corvel::driver
