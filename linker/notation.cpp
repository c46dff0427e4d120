#include "notation.hpp"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string_view>

namespace corvlink {

namespace {

// Where native code begins; the linker places the section there, so an
// absolute .ORG becomes an offset into it.
constexpr const char* kMemoryTop = "0xFEF10";

// The H8/300H's instructions, without size suffix; their operands pass
// through with their numbers rewritten, and the assembler checks the rest.
constexpr std::string_view kMnemonics[] = {
    "ADD",  "ADDS",  "ADDX",   "AND",    "ANDC",   "BAND",  "BCLR",  "BIAND", "BILD",  "BIOR",  "BIST",  "BIXOR",
    "BLD",  "BNOT",  "BOR",    "BSET",   "BSR",    "BST",   "BTST",  "BXOR",  "CMP",   "DAA",   "DAS",   "DEC",
    "DIVXS", "DIVXU", "EEPMOV", "EXTS",  "EXTU",   "INC",   "JMP",   "JSR",   "LDC",   "MOV",   "MOVFPE", "MOVTPE",
    "MULXS", "MULXU", "NEG",    "NOP",   "NOT",    "OR",    "ORC",   "POP",   "PUSH",  "ROTL",  "ROTR",  "ROTXL",
    "ROTXR", "RTE",  "RTS",    "SHAL",   "SHAR",   "SHLL",  "SHLR",  "SLEEP", "STC",   "SUB",   "SUBS",  "SUBX",
    "TRAPA", "XOR",  "XORC",   "BRA",    "BRN",    "BT",    "BF",    "BHI",   "BLS",   "BCC",   "BHS",   "BCS",
    "BLO",  "BNE",   "BEQ",    "BVC",    "BVS",    "BPL",   "BMI",   "BGE",   "BLT",   "BGT",   "BLE",
};

// What the directives need beside their operands.
struct Translation {
  const IncludeResolver& include;
};

struct Line {
  const std::string& file;
  int number;
  [[noreturn]] void refuse(const std::string& why) const {
    throw NotationError(file + ":" + std::to_string(number) + ": " + why);
  }
};

std::string upper(std::string_view word) {
  std::string u(word);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '$'; }

// The code ends at the first ';' outside a string.
size_t comment_start(std::string_view line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ';' && !quoted) return i;
  }
  return line.size();
}

struct Radix {
  char letter;
  const char* prefix;
  std::function<bool(char)> digit;
};

const Radix kRadixes[] = {
    {'H', "0x", [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }},
    {'D', "", [](char c) { return c >= '0' && c <= '9'; }},
    {'B', "0b", [](char c) { return c == '0' || c == '1'; }},
    {'O', "0", [](char c) { return c >= '0' && c <= '7'; }},
    {'Q', "0", [](char c) { return c >= '0' && c <= '7'; }},
};

// H'1F, D'10, B'101, O'17 outside strings become the GNU assembler's numbers.
std::string numbers(const Line& line, std::string_view code) {
  std::string out;
  bool quoted = false;
  for (size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (c == '"') quoted = !quoted;
    bool starts = i == 0 || !is_name_char(code[i - 1]);
    const Radix* radix = nullptr;
    for (const Radix& r : kRadixes)
      if (!quoted && starts && i + 1 < code.size() && code[i + 1] == '\'' && std::toupper(c) == r.letter) radix = &r;
    if (!radix) {
      out += c;
      continue;
    }
    size_t end = i + 2;
    while (end < code.size() && is_name_char(code[end])) ++end;
    std::string_view digits = code.substr(i + 2, end - i - 2);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), radix->digit))
      line.refuse("not a number: " + std::string(code.substr(i, end - i)));
    out += radix->prefix;
    out += digits;
    i = end - 1;
  }
  return out;
}

// A .SDATA string: the GNU assembler reads backslashes as escapes, and a
// quote written twice stands for one quote.
std::string gnu_strings(const Line& line, std::string_view operands) {
  std::string out;
  size_t i = operands.find_first_not_of(" \t");
  while (i != std::string_view::npos && i < operands.size()) {
    if (operands[i] != '"') line.refuse("a string must stand in quotes: " + std::string(operands));
    out += '"';
    for (++i; i < operands.size(); ++i) {
      if (operands[i] == '"' && i + 1 < operands.size() && operands[i + 1] == '"') out += "\\\"", ++i;
      else if (operands[i] == '"') break;
      else if (operands[i] == '\\') out += "\\\\";
      else out += operands[i];
    }
    if (i >= operands.size()) line.refuse("a string has no closing quote");
    out += '"';
    i = operands.find_first_not_of(" \t", i + 1);
    if (i == std::string_view::npos) break;
    if (operands[i] != ',') line.refuse("strings are separated by commas");
    out += ',';
    i = operands.find_first_not_of(" \t", i + 1);
  }
  return out;
}

std::string trimmed(std::string_view text) {
  size_t a = text.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  size_t b = text.find_last_not_of(" \t");
  return std::string(text.substr(a, b - a + 1));
}

struct Statement {
  std::string word;      // the directive or mnemonic, upper case
  std::string operands;  // numbers already rewritten
  std::string raw;       // the operands as written
};

void require_operands(const Line& line, const Statement& s) {
  if (trimmed(s.operands).empty()) line.refuse(s.word + " needs an operand");
}

std::string include_of(const Line& line, const Statement& s, Translation& t) {
  std::string name = trimmed(s.raw);
  if (name.size() < 2 || name.front() != '"' || name.back() != '"') line.refuse(".INCLUDE needs a file name in quotes");
  return ".include\t\"" + t.include(name.substr(1, name.size() - 2), line.number) + "\"";
}

std::string cpu_of(const Line& line, const Statement& s) {
  std::string cpu = upper(trimmed(s.raw));
  if (cpu != "300HA" && cpu != "300H") line.refuse("only the H8/300H (.CPU 300HA) can be assembled, not " + cpu);
  return ".h8300h";
}

std::string reserve_of(const Statement& s, const char* bytes) {
  return std::string(".space\t") + bytes + "*(" + trimmed(s.operands) + ")";
}

struct Directive {
  const char* word;
  std::function<std::string(const Line&, const Statement&, Translation&)> gnu;
};

const Directive kDirectives[] = {
    {".CPU", [](const Line& l, const Statement& s, Translation&) { return cpu_of(l, s); }},
    {".INCLUDE", [](const Line& l, const Statement& s, Translation& t) { return include_of(l, s, t); }},
    {".ORG", [](const Line&, const Statement& s, Translation&) {
       return ".org\t(" + trimmed(s.operands) + ")-" + kMemoryTop;
     }},
    {".DATA.B", [](const Line&, const Statement& s, Translation&) { return ".byte\t" + trimmed(s.operands); }},
    {".DATA.W", [](const Line&, const Statement& s, Translation&) { return ".word\t" + trimmed(s.operands); }},
    {".DATA.L", [](const Line&, const Statement& s, Translation&) { return ".long\t" + trimmed(s.operands); }},
    {".SDATA", [](const Line& l, const Statement& s, Translation&) { return ".ascii\t" + gnu_strings(l, s.raw); }},
    {".RES.B", [](const Line&, const Statement& s, Translation&) { return reserve_of(s, "1"); }},
    {".RES.W", [](const Line&, const Statement& s, Translation&) { return reserve_of(s, "2"); }},
    {".RES.L", [](const Line&, const Statement& s, Translation&) { return reserve_of(s, "4"); }},
    {".ALIGN", [](const Line&, const Statement& s, Translation&) { return ".balign\t" + trimmed(s.operands); }},
    {".EXPORT", [](const Line&, const Statement& s, Translation&) { return ".global\t" + trimmed(s.operands); }},
    {".END", [](const Line&, const Statement&, Translation&) { return std::string(".end"); }},
};

bool is_mnemonic(const std::string& word) {
  std::string base = word.substr(0, word.find('.'));
  std::string size = word.size() > base.size() ? word.substr(base.size()) : "";
  if (!size.empty() && size != ".B" && size != ".W" && size != ".L") return false;
  return std::find(std::begin(kMnemonics), std::end(kMnemonics), base) != std::end(kMnemonics);
}

// A directive or an instruction; empty code stays empty.
std::string statement(const Line& line, std::string_view code, Translation& t) {
  size_t start = code.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::string(code);
  size_t end = code.find_first_of(" \t", start);
  std::string_view rest = end == std::string_view::npos ? std::string_view() : code.substr(end);
  Statement s{upper(code.substr(start, end - start)), numbers(line, rest), std::string(rest)};
  std::string lead(code.substr(0, start));
  for (const Directive& d : kDirectives) {
    if (s.word != d.word) continue;
    if (s.word != ".END" && s.word != ".INCLUDE" && s.word != ".SDATA") require_operands(line, s);
    return lead + d.gnu(line, s, t);
  }
  if (s.word == ".EQU") line.refuse(".EQU needs a name in the first column");
  if (s.word[0] == '.') line.refuse("unknown directive " + s.word);
  if (!is_mnemonic(s.word)) line.refuse("unknown instruction " + s.word);
  return lead + std::string(code.substr(start, end - start)) + s.operands;
}

// A name in the first column: a label, with or without its colon, or the
// name of an .EQU.
std::string first_column(const Line& line, std::string_view code, Translation& t) {
  size_t end = 0;
  while (end < code.size() && is_name_char(code[end])) ++end;
  std::string name(code.substr(0, end));
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) line.refuse("not a label: " + std::string(code));
  std::string_view rest = code.substr(end);
  if (!rest.empty() && rest[0] == ':') rest.remove_prefix(1);
  else if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') line.refuse("not a label: " + std::string(code));
  std::string word = upper(trimmed(rest).substr(0, trimmed(rest).find_first_of(" \t")));
  if (word == ".EQU") return name + " = " + trimmed(numbers(line, trimmed(rest).substr(4)));
  return name + ":" + statement(line, rest, t);
}

std::string translate_line(const Line& line, std::string_view text, Translation& t) {
  size_t at = comment_start(text);
  std::string_view code = text.substr(0, at);
  std::string comment(text.substr(at));
  if (!code.empty() && code.back() == '\r') code.remove_suffix(1);
  if (!code.empty() && code[0] != ' ' && code[0] != '\t') return first_column(line, code, t) + comment;
  return statement(line, code, t) + comment;
}

}  // namespace

std::string translate(const std::string& file, const std::string& text, const IncludeResolver& include) {
  Translation t{include};
  std::string out;
  size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    size_t end = text.find('\n', start);
    std::string_view line = std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
    out += translate_line(Line{file, number}, line, t) + "\n";
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return out;
}

}  // namespace corvlink
