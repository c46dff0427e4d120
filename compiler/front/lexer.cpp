#include "front/lexer.hpp"

#include <string>

#include "front/source_reader.hpp"
#include "front/symbol_table.hpp"

namespace corvel::front {

namespace {

constexpr int kSubstituteByte = 0x1A;  // end of input, as old editors wrote it

struct Follow {
  char next;
  int code;
};

struct OperatorRule {
  char first;
  int alone;
  Follow follows[2];
};

// Operators and punctuation, matched longest first. `/` is handled apart
// because it also opens comments, `<<=` and `>>=` by a third look.
constexpr OperatorRule kOperators[] = {
    {'+', kPlus, {{'+', kIncrement}, {'=', kAddAssign}}},
    {'-', kMinus, {{'-', kDecrement}, {'=', kSubAssign}}},
    {'*', kMultiply, {{'=', kMulAssign}, {}}},
    {'%', kRemainder, {{'=', kModAssign}, {}}},
    {'!', kLogicalNot, {{'=', kNotEqual}, {}}},
    {'=', kAssign, {{'=', kEqual}, {}}},
    {'<', kLess, {{'=', kLessEqual}, {'<', kShiftLeft}}},
    {'>', kGreater, {{'=', kGreaterEqual}, {'>', kShiftRight}}},
    {'&', kBitAnd, {{'=', kAndAssign}, {'&', kLogicalAnd}}},
    {'|', kBitOr, {{'=', kOrAssign}, {'|', kLogicalOr}}},
    {'^', kXor, {{'=', kXorAssign}, {}}},
    {'~', kBitNot, {}},
    {',', kComma, {}},
    {';', kSemicolon, {}},
    {':', kColon, {}},
    {'(', kLeftParen, {}},
    {')', kRightParen, {}},
    {'[', kLeftBracket, {}},
    {']', kRightBracket, {}},
    {'{', kLeftBrace, {}},
    {'}', kRightBrace, {}},
};

struct Escape {
  char written;
  int value;
};

constexpr Escape kEscapes[] = {{'"', 34}, {'\'', 39}, {'?', 63}, {'\\', 92}, {'a', 7}, {'b', 8},
                               {'f', 12}, {'n', 10},  {'r', 13}, {'t', 9},    {'v', 11}};

int hex_value(int c) {
  if (is_digit(c)) return c - '0';
  return (c | 0x20) - 'a' + 10;
}

bool is_octal(int c) { return c >= '0' && c <= '7'; }

int finish(Token& t, int code) { return t.code = code; }

bool is_full(const Token& t) { return static_cast<int>(t.text.size()) >= kMaxTokenText; }

// Appends `c` unless the text is full; a full text pushes `c` back instead.
bool append(Token& t, int c) {
  if (is_full(t)) {
    push_back();
    return false;
  }
  t.text.push_back(static_cast<char>(c));
  return true;
}

// Skips to the end of a block comment; -1 when the input ends inside it.
int skip_block_comment() {
  g.lexer.in_comment = true;
  int previous = 0;
  for (;;) {
    int c = next_byte();
    if (c < 0) return -1;
    if (previous == '*' && c == '/') break;
    previous = c;
  }
  g.lexer.in_comment = false;
  return 0;
}

// The value of an escape after its backslash, or -1. Raw bytes consumed are
// added to `consumed` when given.
int read_escape(std::string* consumed) {
  auto take = [&](int c) {
    if (consumed && c >= 0) consumed->push_back(static_cast<char>(c));
    return c;
  };
  int c = take(next_byte());
  for (const Escape& e : kEscapes)
    if (c == e.written) return e.value;
  if (c == 'x' || c == 'X') {
    int d = next_byte();
    if (!is_hex_digit(d)) {
      if (d >= 0) push_back();
      return -1;
    }
    int value = hex_value(take(d));
    int e = next_byte();
    if (is_hex_digit(e)) return value * 16 + hex_value(take(e));
    if (e >= 0) push_back();
    return value;
  }
  if (!is_octal(c)) return -1;
  int value = c - '0';
  for (int i = 0; i < 2; ++i) {
    int d = next_byte();
    if (!is_octal(d)) {
      if (d >= 0) push_back();
      break;
    }
    value = value * 8 + (take(d) - '0');
  }
  return value;
}

int substitute_define(Token& t) {
  std::string value;
  if (!g.lexer.substitute_defines || symbol_lookup(t.text, &value) != kKindDefine || value.empty())
    return finish(t, kIdentifier);
  int code = static_cast<unsigned char>(value[0]);
  t.text = value.substr(1);
  if (code == kSmallNumber || code == kMediumNumber || code == kLargeNumber) g.value = parse_decimal(t.text);
  return finish(t, code);
}

int lex_identifier(int first, Token& t) {
  t.text.assign(1, static_cast<char>(first));
  for (;;) {
    int c = next_byte();
    if (c < 0) break;
    if (!is_letter(c) && !is_digit(c) && c != '_' && c != '.') {
      push_back();
      break;
    }
    if (!append(t, c)) return finish(t, kError);
  }
  return substitute_define(t);
}

int lex_number(int first, Token& t) {
  t.text.assign(1, static_cast<char>(first));
  int points = 0;
  for (;;) {
    int c = next_byte();
    if (c < 0) break;
    bool hex_prefix = c == 'x' && t.text == "0";
    if (!hex_prefix && c != '.' && !is_hex_digit(c)) {
      push_back();
      break;
    }
    if (!append(t, c)) return finish(t, kError);
    if (c == '.' && ++points == 2) return finish(t, kError);
  }
  if (points == 1) {
    g.value = 0;
    return finish(t, kRealNumber);
  }
  std::uint32_t value;
  if (t.text.size() >= 2 && t.text[1] == 'x') {
    value = parse_hex(std::string_view(t.text).substr(2));
    t.text = std::to_string(value);
  } else {
    value = parse_decimal(t.text);
  }
  g.value = value;
  return finish(t, value < 256 ? kSmallNumber : value < 65536 ? kMediumNumber : kLargeNumber);
}

int lex_string(Token& t) {
  t.text.assign(1, '"');
  for (;;) {
    int c = next_byte();
    if (c < 0) return finish(t, kError);
    if (is_full(t)) {
      push_back();
      return finish(t, kError);
    }
    if (c == '"') {
      t.text.push_back('"');
      return finish(t, kString);
    }
    if (c == '\\') {
      int value = read_escape(nullptr);
      if (value < 0) return finish(t, kError);
      t.text.push_back(static_cast<char>(value & 0xFF));
      continue;
    }
    t.text.push_back(static_cast<char>(c));
    if (c >= 0x80) {  // the second byte of a double-byte character is taken unread
      int second = next_byte();
      if (second < 0 || !append(t, second)) return finish(t, kError);
    }
  }
}

int lex_character(Token& t) {
  t.text.assign(1, '\'');
  int c = next_byte();
  if (c < 0) return finish(t, kError);
  t.text.push_back(static_cast<char>(c));
  int value = c == '\\' ? read_escape(&t.text) : c;
  if (value < 0) return finish(t, kError);
  int close = next_byte();
  if (close < 0) return finish(t, kError);
  if (close != '\'') {
    t.text.push_back(static_cast<char>(close));
    return finish(t, kError);
  }
  g.value = static_cast<std::uint32_t>(value);
  t.text = std::to_string(value);
  return finish(t, kSmallNumber);
}

const OperatorRule* find_operator(int c) {
  for (const OperatorRule& rule : kOperators)
    if (rule.first == c) return &rule;
  return nullptr;
}

int lex_operator(const OperatorRule& rule, Token& t) {
  t.text.assign(1, rule.first);
  if (rule.follows[0].next == 0) return finish(t, rule.alone);
  int c = next_byte();
  if (c < 0) return finish(t, rule.alone);
  for (const Follow& f : rule.follows) {
    if (f.next == 0 || f.next != c) continue;
    t.text.push_back(static_cast<char>(c));
    if (f.code != kShiftLeft && f.code != kShiftRight) return finish(t, f.code);
    int third = next_byte();
    if (third == '=') {
      t.text.push_back('=');
      return finish(t, f.code == kShiftLeft ? kShlAssign : kShrAssign);
    }
    if (third >= 0) push_back();
    return finish(t, f.code);
  }
  push_back();
  return finish(t, rule.alone);
}

constexpr int kGoOn = -100;  // a comment was skipped: read on

int lex_slash(Token& t) {
  int c = next_byte();
  if (c == '*') {
    if (skip_block_comment() == 0) return kGoOn;
    t.text = "/*";
    return finish(t, kError);
  }
  if (c == '/') {
    drop_rest_of_line();
    return kGoOn;
  }
  if (c == '=') {
    t.text = "/=";
    return finish(t, kDivAssign);
  }
  if (c >= 0) push_back();
  t.text = "/";
  return finish(t, kDivide);
}

}  // namespace

bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_hex_digit(int c) { return is_digit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::uint32_t parse_decimal(std::string_view text) {
  std::uint64_t value = 0;
  for (char ch : text) {
    if (!is_digit(static_cast<unsigned char>(ch))) break;
    value = value * 10 + static_cast<unsigned>(ch - '0');
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  return static_cast<std::uint32_t>(value);
}

std::uint32_t parse_hex(std::string_view text) {
  std::uint64_t value = 0;
  for (char ch : text) {
    if (!is_hex_digit(static_cast<unsigned char>(ch))) break;
    value = value * 16 + static_cast<unsigned>(hex_value(static_cast<unsigned char>(ch)));
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  return static_cast<std::uint32_t>(value);
}

void set_define_substitution(bool on) { g.lexer.substitute_defines = on; }

void reset_lexer() { g.lexer = LexerState{}; }

int next_token(Token& t) {
  if (g.lexer.in_comment && skip_block_comment() < 0) return finish(t, kEnd);
  for (;;) {
    int c = next_byte();
    if (c < 0 || c == kSubstituteByte) return finish(t, kEnd);
    if (is_space(c)) continue;
    if (is_letter(c) || c == '#' || c == '_') return lex_identifier(c, t);
    if (is_digit(c)) return lex_number(c, t);
    if (c == '"') return lex_string(t);
    if (c == '\'') return lex_character(t);
    if (c == '/') {
      int code = lex_slash(t);
      if (code == kGoOn) continue;
      return code;
    }
    if (const OperatorRule* rule = find_operator(c)) return lex_operator(*rule, t);
    t.text.assign(1, static_cast<char>(c));
    return finish(t, kError);
  }
}

int advance() { return next_token(g.cur); }

}  // namespace corvel::front
