#include "codegen/layout.hpp"

#include <algorithm>

#include "codegen/intermediate_code.hpp"
#include "ground/diagnostics.hpp"

namespace corvel::codegen {

namespace {

using ground::Diag;
using ground::fail;
using namespace ground;  // the limits

constexpr int kPortWords = kPortBlocks * kPortBlockSize;  // bytes 0..59

const char* const kPrologue =
    ";assembler source for TAMBER Version 3.51\n"
    "\n"
    "\t.CPU\t300HA\n"
    "MEMORYTOP\t.EQU\tH'FEF10\n"
    "\n"
    "\t.INCLUDE \"H8FUNC.H\"\n"
    "\n";

void write_blank_port(Gen& g, int n) {
  emit_data(g, "\t.ORG\tMEMORYTOP+%d\n", n * kPortBlockSize);
  emit_data(g, "\t.DATA.B\t0,0,255,255\n");
  emit_data(g, "\t.DATA.B\t255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255\n");
}

void write_port_block(Gen& g, int n, const PinMap& map) {
  g.port_written[n] = true;
  emit_data(g, "\t.ORG\tMEMORYTOP+%d\n", n * kPortBlockSize);
  emit_data(g, "\t.DATA.B\t0,0,255,255\n");
  std::string line = "\t.DATA.B\t";
  for (int j = 0; j < kPortBits; ++j) line += (j ? "," : "") + std::to_string(map[j]);
  emit_data(g, "%s\n", line.c_str());
}

void check_frame_size(int f, long size, long base) {
  if (f == 0 && size > kBaseLimit) fail(Diag::BaseFrameTooBig, 0, kBaseLimit, static_cast<int>(size));
  long sum = size + base;
  if (f >= 1 && sum > kBaseLimit)
    fail(Diag::FrameTooBig, f, kBaseLimit, static_cast<int>(base), static_cast<int>(size), static_cast<int>(sum));
}

void measure_frame(Gen& g) {
  int f = g.current_frame;
  if (f == kMaxOverlayFrame) fail(Diag::TooManyOverlays);
  Frame* frames = g.image.frames.data();
  frames[f].size = g.image.size - frames[f].start;
  check_frame_size(f, frames[f].size, frames[0].size);
  g.current_frame = f + 1;
  frames[f + 1] = {g.image.size, 0};
}

}  // namespace

void write_prologue(Gen& g) { g.out.data(kPrologue); }

void preset_header(Gen& g) {
  std::uint8_t* bytes = g.image.bytes.data();
  for (int i = 0; i < kPortWords; ++i) bytes[i] = 255;
  for (int block = 0; block < kPortWords; block += kPortBlockSize) bytes[block] = bytes[block + 1] = 0;
  bytes[kCompileModeByte] = 0;
  bytes[kBoardNumberByte] = static_cast<std::uint8_t>(g.board_number);
  bytes[kEntryByte] = kProgEnd;
  bytes[kEntryByte + 1] = bytes[kEntryByte + 2] = 0;
  std::fill(bytes + kEntryByte + 3, bytes + kHeaderSize, std::uint8_t{0});
}

void start_pass(Gen& g, int pass) {
  g.pass = pass;
  g.string_counter = 0;
  g.frame_label_counter = 0;
  g.port_written.fill(false);
  g.image.size = kHeaderSize;
  g.image.code_start = 0;
}

void write_header(Gen& g) {
  for (int n = 0; n < kPortBlocks; ++n)
    if (!g.port_written[n]) write_blank_port(g, n);
  emit_data(g, "\t.ORG\tMEMORYTOP+%d\n", kCompileModeByte);
  emit_data(g, "\t.DATA.B\tH'01\t;compile mode\n");
  emit_data(g, "\t.DATA.B\tH'%02X\t;Board Number(0-2)\n", g.board_number);
  emit_data(g, "\tJMP\t@_main:24\n");
  emit_data(g, "\t.ORG\tMEMORYTOP+%d\n", kHeaderSize);
}

void begin_code(Gen& g) {
  g.image.code_start = g.image.size;
  emit(g, "\n");
  emit(g, "\t.ALIGN\t2\n");
}

void lay_port_block(Gen& g, int n, const PinMap& map) {
  std::copy(map.begin(), map.end(), g.image.bytes.begin() + n * kPortBlockSize + kPinMapOffset);
  if (native_output(g)) write_port_block(g, n, map);
}

void data_label(Gen& g, const std::string& name) { emit_data(g, "_%s:\n", name.c_str()); }

void data_byte(Gen& g, long value) {
  g.image.lay(static_cast<int>(value));
  emit_data(g, "\t.DATA.B\t%d\n", static_cast<int>(value));
}

void data_word(Gen& g, long value) {
  g.image.lay_word(value);
  emit_data(g, "\t.DATA.W\t%d\n", static_cast<int>(value));
}

void data_char(Gen& g, int byte) {
  g.image.lay(byte & 0xFF);
  emit_data(g, "\t.DATA.B\t%d\n", static_cast<int>(static_cast<signed char>(byte)));
}

void reserve(Gen& g, long count) {
  for (long i = 0; i < count; ++i) g.image.lay(0);
  emit_data(g, "\t.RES.B\t%d\n", static_cast<int>(count));
}

bool word_misaligned(const Gen& g) { return native_output(g) && (g.image.size & 1) != 0; }

void mark_frame(Gen& g) {
  if (g.pass == 1) measure_frame(g);
  if (!native_output(g)) return;
  emit(g, "\n");
  emit(g, "frame_%d:\n", g.frame_label_counter++);
}

void begin_function(Gen& g, const std::string& name) {
  if (g.pass == 1) return;
  long address = address_of(g, g.image.size);
  if (name == "main") {
    g.image.bytes[kEntryByte] = kGoto;
    g.image.put_word(kEntryByte + 1, address);
  }
  if (static_cast<int>(g.image.functions.size()) >= kMaxFunctions) fail(Diag::TooManyFunctions, kMaxFunctions);
  if (name.size() >= kMaxFunctionName) fail(Diag::FunctionNameTooLong, name.c_str());
  g.image.functions.push_back({name, address});
  emit(g, "\n_%s:\n", name.c_str());
}

void end_function(Gen& g) {
  g.image.lay(kFuncEnd);
  emit(g, "\tRTS\n");
}

void end_program(Gen& g) { g.image.lay(kProgEnd); }

void echo_line(Gen& g, std::string_view line, bool in_code) {
  if (!native_output(g)) return;
  std::string text = ";" + std::string(line) + "\n";
  if (in_code) g.out.code(text);
  else g.out.data(text);
}

void asm_line(Gen& g, std::string_view line) { emit_text(g, line); }

bool finish_assembly(Gen& g, bool compiled) {
  if (!g.out.is_open()) return true;
  if (compiled && g.image.bytes[kEntryByte] != kGoto) g.out.code("\n_main:\n\tRTS\n");
  return g.out.close("\t.END\n");
}

}  // namespace corvel::codegen
