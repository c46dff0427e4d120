#include "front/top_level.hpp"

#include <string>

#include "codegen/layout.hpp"
#include "front/lexer.hpp"
#include "front/source_reader.hpp"
#include "front/statements.hpp"
#include "ground/diagnostics.hpp"
#include "ground/text.hpp"

namespace corvel::front {

namespace {

using ground::Diag;
using ground::fail;

struct Keyword {
  const char* name;
  Kind kind;
};

constexpr Keyword kKeywords[] = {{"if", Kind::If},       {"goto", Kind::Goto},   {"else", Kind::Else},
                                 {"while", Kind::While}, {"do", Kind::Do},       {"break", Kind::Break},
                                 {"continue", Kind::Continue}};

// Moves the section forward; the header text goes out when it first leaves the ports.
void enter_section(Parser& p, Section section) {
  if (p.section == Section::Ports) codegen::write_header(p.gen);
  if (section == Section::Code) codegen::begin_code(p.gen);
  p.section = section;
}

void compile_function_body(Parser& p) {
  advance(p);
  while (p.cur.code != kRightBrace) {
    if (p.cur.code == kEnd) fail(Diag::UnexpectedEnd);
    compile_statement(p);
  }
  codegen::end_function(p.gen);
}

void compile_function(Parser& p) {
  const std::string name = p.cur.text;
  Symbol& function = *p.cur.symbol;
  check_label_name(p, name, true);
  if (advance(p) != kLeftParen) fail(Diag::FunctionLeftParen);
  if (advance(p) != kRightParen) fail(Diag::FunctionRightParen);
  if (advance(p) != kLeftBrace) fail(Diag::FunctionLeftBrace);
  Kind kind = function.kind;
  if (p.gen.pass == 1 && kind != Kind::None && kind != Kind::Forward) fail(Diag::FunctionTwice, name.c_str());
  codegen::begin_function(p.gen, name);
  SymbolTable::set_offset(function, Kind::Function, codegen::counter(p.gen));
  compile_function_body(p);
}

// BYTE or WORD in any case.
bool is_declaration_word(std::string_view text, bool& word) {
  auto is = [text](std::string_view keyword) { return text.size() == keyword.size() && ground::starts_with_nocase(text, keyword); };
  word = is("WORD");
  return word || is("BYTE");
}

}  // namespace

void start_pass(Parser& p) {
  p.loops = LoopState{};
  p.in_comment = false;
  p.substitute_defines = true;
  p.section = Section::Ports;
  p.port_count = 0;
}

void register_names(Parser& p) {
  for (const Keyword& k : kKeywords) p.symbols.add_keyword(k.name, k.kind);
  for (const codegen::Builtin& b : codegen::kBuiltins) p.symbols.add_builtin(b);
}

void check_label_name(const Parser& p, std::string_view name, bool is_function) {
  if (!codegen::native_mode(p.gen)) return;
  if (name.starts_with('#') || (!is_function && name == "main")) fail(Diag::NotALabelName, std::string(name).c_str());
}

void compile_board_define(Parser& p, std::string_view fields) {
  set_source_file(p.reader, nullptr);
  if (!load_line(p.reader, fields)) fail(Diag::Internal);
  compile_define(p);
}

void compile_top_level_item(Parser& p) {
  std::string_view text = p.cur.text;
  bool word = false;
  if (text == "#port") {
    if (p.section != Section::Ports) fail(Diag::PortAfterDeclarations);
    return compile_port(p);
  }
  if (text == "#define") {
    if (p.section == Section::Code) fail(Diag::DefineAfterCode);
    enter_section(p, Section::Declarations);
    return compile_define(p);
  }
  if (is_declaration_word(text, word)) {
    if (p.section == Section::Code) fail(Diag::VariableAfterCode);
    enter_section(p, Section::Declarations);
    return compile_declaration(p, word);
  }
  if (p.section != Section::Code) enter_section(p, Section::Code);
  if (text == "#frame") return codegen::mark_frame(p.gen);
  compile_function(p);
}

}  // namespace corvel::front
