// Test tool: rewrites the assembly that corvel writes, in the board
// assembler's notation, into the notation of the GNU assembler for the
// H8/300H, so that the GNU tools can stand in for the board's assembler.
// Instructions are left as they are; only constants (H'1F), pseudo
// instructions (.DATA.B, .ORG ...) and labels without a colon change.
//
//   hitachi_to_gnu < prog.asm > prog.s
#include <cctype>
#include <iostream>
#include <string>

namespace {

struct Directive {
  const char* board;
  const char* gnu;
};

// .ORG is relative to MEMORYTOP, where the linker places the section.
constexpr Directive kDirectives[] = {
    {".CPU", ".h8300h"}, {".INCLUDE", ".include"}, {".ORG", ".org"},    {".DATA.B", ".byte"},
    {".DATA.W", ".word"}, {".DATA.L", ".long"},    {".SDATA", ".ascii"}, {".RES.B", ".space"},
    {".ALIGN", ".balign"}, {".END", ".end"},
};

// The code part ends at the first ';' outside a string.
size_t comment_start(const std::string& line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ';' && !quoted) return i;
  }
  return line.size();
}

// H'1F becomes 0x1F outside strings.
std::string constants(const std::string& code) {
  std::string out;
  bool quoted = false;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] == '"') quoted = !quoted;
    bool starts_word = i == 0 || !(std::isalnum(static_cast<unsigned char>(code[i - 1])) || code[i - 1] == '_');
    if (!quoted && starts_word && code[i] == 'H' && i + 2 < code.size() + 1 && code[i + 1] == '\'') {
      out += "0x";
      ++i;
      continue;
    }
    out += code[i];
  }
  return out;
}

std::string directive(const std::string& code) {
  size_t start = code.find_first_not_of(" \t");
  if (start == std::string::npos || code[start] != '.') return code;
  size_t end = code.find_first_of(" \t", start);
  std::string word = code.substr(start, end - start);
  std::string rest = end == std::string::npos ? "" : code.substr(end);
  for (const Directive& d : kDirectives) {
    if (word != d.board) continue;
    if (word == ".ORG") return code.substr(0, start) + ".org\t(" + rest.substr(rest.find_first_not_of(" \t")) + ")-MEMORYTOP";
    if (word == ".CPU") return code.substr(0, start) + d.gnu;
    return code.substr(0, start) + d.gnu + rest;
  }
  return code;
}

// NAME .EQU value, or a label in the first column with or without its colon.
std::string first_column(const std::string& code) {
  size_t end = code.find_first_of(" \t:");
  std::string name = code.substr(0, end);
  std::string rest = end == std::string::npos ? "" : code.substr(end);
  size_t equ = rest.find(".EQU");
  if (equ != std::string::npos) return name + " = " + rest.substr(rest.find_first_not_of(" \t", equ + 4));
  if (!rest.empty() && rest[0] == ':') return code;
  return name + ":" + rest;
}

std::string translate(const std::string& line) {
  size_t at = comment_start(line);
  std::string code = constants(line.substr(0, at));
  std::string comment = line.substr(at);
  if (!code.empty() && code[0] != ' ' && code[0] != '\t') code = first_column(code);
  else code = directive(code);
  return code + comment;
}

}  // namespace

int main() {
  for (std::string line; std::getline(std::cin, line);) std::cout << translate(line) << '\n';
  return 0;
}
