#include "driver/top_level.hpp"

#include <strings.h>

#include <string>

#include "codegen/intermediate_code.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/native_output.hpp"
#include "driver/state.hpp"
#include "front/lexer.hpp"
#include "front/statements.hpp"
#include "front/symbol_table.hpp"

namespace corvel::driver {

namespace {

using front::advance;

constexpr int kMaxOverlayFrame = 15;

void write_header_text() {
  for (int n = 0; n < kMaxPorts; ++n) {
    if (g.port_defined[n]) continue;
    emit_data("\t.ORG\tMEMORYTOP+%d\n", n * kPortBlockSize);
    emit_data("\t.DATA.B\t0,0,255,255\n");
    emit_data("\t.DATA.B\t255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255\n");
  }
  emit_data("\t.ORG\tMEMORYTOP+%d\n", kCompileModeByte);
  emit_data("\t.DATA.B\tH'01\t;compile mode\n");
  emit_data("\t.DATA.B\tH'%02X\t;Board Number(0-2)\n", g.board_number);
  emit_data("\tJMP\t@_main:24\n");
  emit_data("\t.ORG\tMEMORYTOP+%d\n", kHeaderSize);
}

// Moves the section state forward; the header text goes out when it first leaves 0.
void enter_section(int section) {
  if (g.section == kSectionPorts) write_header_text();
  if (section == kSectionCode) {
    g.code_start = g.byte_counter;
    emit_code("\n");
    emit_code("\t.ALIGN\t2\n");
  }
  g.section = section;
}

int compile_frame_mark() {
  if (g.pass == 1) {
    int f = g.current_frame;
    if (f == kMaxOverlayFrame) return fail(3157, msg::kTooManyOverlays);
    long size = g.byte_counter - g.frames[f].start;
    g.frames[f].size = size;
    if (f == 0 && size > kBaseLimit) return fail(3167, msg::kFrameTooBig, 0, kBaseLimit, static_cast<int>(size));
    long sum = size + g.frames[0].size;
    if (f >= 1 && sum > kBaseLimit)
      return fail(3177, msg::kFrameTooBigBase, f, kBaseLimit, static_cast<int>(g.frames[0].size),
                  static_cast<int>(size), static_cast<int>(sum));
    g.current_frame = f + 1;
    g.frames[f + 1] = {g.byte_counter, 0};
  }
  if (native_output()) {
    emit_code("\n");
    emit_code("frame_%d:\n", g.frame_label_counter++);
  }
  return 0;
}

int enter_function_table(const std::string& name) {
  long address = runtime_address(g.byte_counter);
  if (name == "main") {
    g.image[kEntryByte] = codegen::kGoto;
    put_word(kEntryByte + 1, address);
  }
  if (static_cast<int>(g.functions.size()) >= kMaxFunctions) return fail(3232, msg::kTooManyFunctions, kMaxFunctions);
  if (name.size() >= kMaxFunctionName) return fail(3237, msg::kFuncNameTooLong, name.c_str());
  g.functions.push_back({name, address});
  emit_code("\n_%s:\n", name.c_str());
  return 0;
}

int compile_function_body() {
  advance();
  while (front::g.cur.code != front::kRightBrace) {
    if (front::g.cur.code == front::kEnd) return fail(1520, msg::kUnexpectedEnd);
    if (front::compile_statement() < 0) return -1;
  }
  lay(codegen::kFuncEnd);
  emit_code("\tRTS\n");
  return 0;
}

int compile_function() {
  const std::string name = front::g.cur.text;
  if (check_label_name(name, true) < 0) return -1;
  if (advance() != front::kLeftParen) return fail(3200, msg::kNoFuncLeftParen);
  if (advance() != front::kRightParen) return fail(3205, msg::kNoFuncRightParen);
  if (advance() != front::kLeftBrace) return fail(3210, msg::kNoFuncLeftBrace);
  if (g.pass == 1) {
    int kind = front::symbol_kind(name);
    if (kind >= 0 && kind != front::kKindForward) return fail(3219, msg::kDuplicate, name.c_str());
  } else if (enter_function_table(name) < 0) {
    return -1;
  }
  if (register_symbol(name, std::to_string(g.byte_counter), front::kKindFunction) < 0) return -1;
  return compile_function_body();
}

bool is_declaration_word(const std::string& text, bool& word) {
  word = strcasecmp(text.c_str(), "WORD") == 0;
  return word || strcasecmp(text.c_str(), "BYTE") == 0;
}

}  // namespace

int register_symbol(std::string_view name, std::string_view value, int kind) {
  if (front::symbol_insert(name, value, kind) < 0) return fail(0, nullptr);
  return 0;
}

int check_label_name(std::string_view name, bool is_function) {
  if (!native_mode()) return 0;
  if (name.starts_with('#') || (!is_function && name == "main"))
    return fail(0, msg::kNotALabelName, std::string(name).c_str());
  return 0;
}

void reset_program_structure() {
  g.section = kSectionPorts;
  g.port_count = 0;
  g.port_defined.fill(false);
  g.frame_label_counter = 0;
  g.code_start = 0;
}

int compile_top_level_item() {
  const std::string& text = front::g.cur.text;
  bool word = false;
  if (text == "#port") {
    if (g.section != kSectionPorts) return fail(2869, msg::kPortAfterDecl);
    return compile_port();
  }
  if (text == "#define") {
    if (g.section == kSectionCode) return fail(2877, msg::kDefineAfterCode);
    enter_section(kSectionDeclarations);
    return compile_define();
  }
  if (is_declaration_word(text, word)) {
    if (g.section == kSectionCode) return fail(2893, msg::kVarAfterCode);
    enter_section(kSectionDeclarations);
    return compile_declaration(word);
  }
  if (g.section != kSectionCode) enter_section(kSectionCode);
  if (text == "#frame") return compile_frame_mark();
  return compile_function();
}

}  // namespace corvel::driver
