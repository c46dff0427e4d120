#include "driver/compile.hpp"

#include <cstring>
#include <exception>
#include <new>

#include "codegen/layout.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/top_level.hpp"
#include "ground/diagnostics.hpp"
#include "ground/messages.hpp"
#include "ground/text.hpp"

namespace corvel::driver {

namespace {

using ground::Diag;
using ground::fail;

struct Source {
  std::string_view text;  // from the line feed ending [CODE], or empty
  int lines_before_code;
};

bool compile_board_defines(Compilation& c) {
  try {
    for (const std::string& fields : c.board.defines) front::compile_board_define(c.parser, fields);
    return true;
  } catch (const ground::Failure&) {
    return false;
  }
}

CompileResult set_up(Compilation& c, const CompileRequest& request, Reports& reports) {
  c.gen.pass = 1;
  if (!ground::read_board(request.config_path, c.board) || !compile_board_defines(c)) {
    reports.message = ground::format_text(msg::kConfigReadError, request.config_path.c_str());
    return kSetupError;
  }
  c.gen.board_number = c.board.number;
  if (!request.asm_path.empty()) {
    ground::AsmOut::Opened opened = c.out.open(request.asm_path);
    if (opened == ground::AsmOut::Opened::kNoFile)
      reports.message = ground::format_text(msg::kOutputOpenError, request.asm_path.c_str());
    if (opened == ground::AsmOut::Opened::kNoTemporary) reports.message = msg::kTempOpenError;
    if (opened != ground::AsmOut::Opened::kOk) return kSetupError;
    codegen::write_prologue(c.gen);
  }
  front::register_names(c.parser);
  codegen::preset_header(c.gen);
  return kCompiled;
}

void check_sizes(Compilation& c) {
  int f = c.gen.current_frame;
  int size = c.image.size;
  if (f == 0) {
    int limit = codegen::native_mode(c.gen) ? ground::kNativeLimit : ground::kBaseLimit;
    if (size > limit) fail(Diag::ProgramTooBig, size);
  } else {
    long running = size - c.image.frames[f].start;
    long base = c.image.frames[0].size;
    if (running + base > ground::kBaseLimit)
      fail(Diag::FrameTooBigAfterItem, f, ground::kBaseLimit, static_cast<int>(base), static_cast<int>(running),
           static_cast<int>(running + base));
  }
  if (size >= ground::kNativeLimit) fail(Diag::ProgramTooBigOverlay, size);
}

void compile_items(Compilation& c) {
  front::Parser& p = c.parser;
  for (;;) {
    int code = front::advance(p);
    if (code == front::kEnd) return;
    if (codegen::native_output(c.gen)) codegen::echo_line(c.gen, front::line_text(p.reader), p.section == front::Section::Code);
    // An error token is refused too: ending the pass there would drop the rest silently.
    if (code != front::kIdentifier) fail(Diag::NotAName);
    front::compile_top_level_item(p);
    if (c.gen.pass == 1) check_sizes(c);
  }
}

// Pass 1 measures the last frame; pass 2 must lay as many bytes as pass 1.
void close_pass(Compilation& c) {
  if (c.gen.pass == 2) {
    if (c.image.size != c.pass1_length) fail(Diag::PassLengths);
    return;
  }
  c.pass1_length = c.image.size;
  int f = c.gen.current_frame;
  c.image.frames[f].size = c.image.size - c.image.frames[f].start;
  if (f >= 1) c.image.frame_count = f + 1;
}

void run_pass(Compilation& c, const Source& source, int pass) {
  codegen::start_pass(c.gen, pass);
  front::start_pass(c.parser);
  c.parser.reader.line_counter = source.lines_before_code;
  front::set_source_text(c.parser.reader, source.text);
  compile_items(c);
  codegen::end_program(c.gen);
  close_pass(c);
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

// A buffer twice as large with the program's bytes in it.
size_t grow_program(Program& program, size_t capacity) {
  size_t larger = 2 * capacity;
  auto bytes = std::make_unique_for_overwrite<char[]>(larger);
  if (program.size != 0) std::memcpy(bytes.get(), program.bytes.get(), program.size);
  program.bytes = std::move(bytes);
  return larger;
}

// Both passes read the program from one copy of it in memory, read straight
// into a buffer of the file's size; a file that cannot tell its size is read
// in growing steps.
void read_program(std::FILE* file, Program& program) {
  long start = resume_position(file);
  long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) - start : -1;
  std::fseek(file, start, SEEK_SET);
  // One byte more, so that the end of the file is seen without growing.
  size_t capacity = size > 0 ? static_cast<size_t>(size) + 1 : 4096;
  program.bytes = std::make_unique_for_overwrite<char[]>(capacity);
  program.size = 0;
  for (;;) {
    if (program.size == capacity) capacity = grow_program(program, capacity);
    size_t n = std::fread(program.bytes.get() + program.size, 1, capacity - program.size, file);
    program.size += n;
    if (n == 0) return;
  }
}

// The one place where a failed check becomes the compilation's failure.
bool run_passes(Compilation& c, const Source& source, ground::Failure& failure) {
  try {
    run_pass(c, source, 1);
    run_pass(c, source, 2);
    return true;
  } catch (const ground::Failure& f) {
    failure = f;
  } catch (const std::exception&) {
    failure = ground::Failure{Diag::Internal, {}, {}};
  }
  return false;
}

void fill_reports(const Compilation& c, bool compiled, const ground::Failure& failure, Reports& reports) {
  if (compiled) {
    reports.message = msg::kCompileOk;
    return;
  }
  reports.trace = failure.trace;
  reports.message = failure.message.empty() ? msg::kInternalError : failure.message;
  if (int number = ground::diag_number(failure.check)) reports.diagnostic = ground::format_text(msg::kLineNumber, number);
  std::string line(front::line_text(c.parser.reader));
  if (line.empty() || line.back() != '\n') line += '\n';
  reports.position =
      ground::format_text(msg::kSourcePosition, static_cast<long>(c.parser.reader.line_counter), line.c_str());
}

}  // namespace

CompileResult compile(Compilation& c, const CompileRequest& request, Reports& reports) {
  reports = Reports{};
  if (set_up(c, request, reports) != kCompiled) return kSetupError;
  read_program(request.source, c.program);
  Source source{std::string_view(c.program.bytes.get(), c.program.size), request.lines_before_code};
  ground::Failure failure{Diag::Internal, {}, {}};
  bool compiled = run_passes(c, source, failure);
  front::set_source_text(c.parser.reader, {});
  // An assembly file that was not written whole must not pass for a result.
  if (!codegen::finish_assembly(c.gen, compiled) && compiled) {
    compiled = false;
    failure = ground::Failure{Diag::AsmNotWritten, ground::format_text(msg::kOutputOpenError, request.asm_path.c_str()), {}};
  }
  fill_reports(c, compiled, failure, reports);
  return compiled ? kCompiled : kCompileError;
}

}  // namespace corvel::driver
