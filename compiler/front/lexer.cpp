#include "front/lexer.hpp"

#include <array>
#include <cstdint>
#include <string>

#include "front/source_reader.hpp"
#include "ground/text.hpp"

namespace corvel::front {

namespace {

using ground::hex_value;
using ground::is_digit;
using ground::is_hex_digit;
using ground::is_letter;
using ground::is_space;

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

bool is_octal(int c) { return c >= '0' && c <= '7'; }

constexpr bool is_name_byte(int c) { return is_letter(c) || is_digit(c) || c == '_' || c == '.'; }

// Byte classes, looked up once a byte instead of tested one by one.
enum ByteClass : std::uint8_t { kOther, kSpace, kNameStart, kDigit, kQuote, kApostrophe, kSlash, kOperator };

constexpr ByteClass class_of(int c) {
  if (is_space(c)) return kSpace;
  if (is_letter(c) || c == '#' || c == '_') return kNameStart;
  if (is_digit(c)) return kDigit;
  if (c == '"') return kQuote;
  if (c == '\'') return kApostrophe;
  if (c == '/') return kSlash;
  for (const OperatorRule& rule : kOperators)
    if (rule.first == c) return kOperator;
  return kOther;
}

struct Tables {
  std::array<ByteClass, 256> classes{};
  std::array<bool, 256> name_bytes{};
  std::array<signed char, 256> operators{};  // the row of kOperators, or -1
};

constexpr Tables make_tables() {
  Tables t;
  for (int c = 0; c < 256; ++c) {
    t.classes[c] = class_of(c);
    t.name_bytes[c] = is_name_byte(c);
    t.operators[c] = -1;
  }
  for (int row = 0; row < static_cast<int>(std::size(kOperators)); ++row)
    t.operators[static_cast<unsigned char>(kOperators[row].first)] = static_cast<signed char>(row);
  return t;
}

constexpr Tables kTables = make_tables();

// Every token but a name has no entry.
int finish(Token& t, int code) {
  t.symbol = nullptr;
  return t.code = code;
}

bool is_full(const Token& t) { return static_cast<int>(t.text.size()) >= ground::kMaxTokenText; }

// Appends `c` unless the text is full; a full text pushes `c` back instead.
bool append(Parser& p, Token& t, int c) {
  if (is_full(t)) {
    push_back(p.reader);
    return false;
  }
  t.text.push_back(static_cast<char>(c));
  return true;
}

// Skips to the end of a block comment; -1 when the input ends inside it.
int skip_block_comment(Parser& p) {
  p.in_comment = true;
  int previous = 0;
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) return -1;
    if (previous == '*' && c == '/') break;
    previous = c;
  }
  p.in_comment = false;
  return 0;
}

// The value of an escape after its backslash, or -1. Raw bytes consumed are
// added to `consumed` when given.
int read_escape(Parser& p, std::string* consumed) {
  auto take = [&](int c) {
    if (consumed && c >= 0) consumed->push_back(static_cast<char>(c));
    return c;
  };
  int c = take(next_byte(p.reader));
  for (const Escape& e : kEscapes)
    if (c == e.written) return e.value;
  if (c == 'x' || c == 'X') {
    int d = next_byte(p.reader);
    if (!is_hex_digit(d)) {
      if (d >= 0) push_back(p.reader);
      return -1;
    }
    int value = hex_value(take(d));
    int e = next_byte(p.reader);
    if (is_hex_digit(e)) return value * 16 + hex_value(take(e));
    if (e >= 0) push_back(p.reader);
    return value;
  }
  if (!is_octal(c)) return -1;
  int value = c - '0';
  for (int i = 0; i < 2; ++i) {
    int d = next_byte(p.reader);
    if (!is_octal(d)) {
      if (d >= 0) push_back(p.reader);
      break;
    }
    value = value * 8 + (take(d) - '0');
  }
  return value;
}

// One level deep: the replacement is not looked up again.
int substitute_define(Parser& p, Token& t, std::uint32_t hash) {
  Symbol* s = p.symbols.intern(t.text, hash);
  t.code = kIdentifier;
  t.symbol = s;
  if (!p.substitute_defines || s->kind != Kind::Define) return kIdentifier;
  int code = s->define_code;
  t.text = s->define_text;
  if (code == kSmallNumber || code == kMediumNumber || code == kLargeNumber) p.value = ground::parse_decimal(t.text);
  finish(t, code);
  t.symbol = s->define_name;
  return code;
}

// The rest of a name that reaches the end of the bytes the line holds: a
// line longer than a read goes on in the next one.
int lex_name_across_reads(Parser& p, Token& t) {
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) break;
    if (!kTables.name_bytes[c]) {
      push_back(p.reader);
      break;
    }
    if (!append(p, t, c)) return finish(t, kError);
  }
  return substitute_define(p, t, hash_of(t.text));
}

// The first byte was just read from the line; the name is taken from the
// line in one piece when it ends there.
int lex_identifier(Parser& p, Token& t) {
  SourceReader& r = p.reader;
  const unsigned char* line = r.line;
  int start = r.position - 1;
  int end = r.position;
  std::uint32_t hash = hash_step(kHashStart, line[start]);
  for (; end < r.length && kTables.name_bytes[line[end]]; ++end) hash = hash_step(hash, line[end]);
  t.text.assign(reinterpret_cast<const char*>(line) + start, static_cast<size_t>(end - start));
  r.position = end;
  if (end == r.length) return lex_name_across_reads(p, t);
  return substitute_define(p, t, hash);
}

int lex_number(Parser& p, int first, Token& t) {
  t.text.assign(1, static_cast<char>(first));
  int points = 0;
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) break;
    bool hex_prefix = c == 'x' && t.text == "0";
    if (!hex_prefix && c != '.' && !is_hex_digit(c)) {
      push_back(p.reader);
      break;
    }
    if (!append(p, t, c)) return finish(t, kError);
    if (c == '.' && ++points == 2) return finish(t, kError);
  }
  if (points == 1) {
    p.value = 0;
    return finish(t, kRealNumber);
  }
  std::uint32_t value;
  if (t.text.size() >= 2 && t.text[1] == 'x') {
    value = ground::parse_hex(std::string_view(t.text).substr(2));
    t.text = std::to_string(value);
  } else {
    value = ground::parse_decimal(t.text);
  }
  p.value = value;
  return finish(t, value < 256 ? kSmallNumber : value < 65536 ? kMediumNumber : kLargeNumber);
}

int lex_string(Parser& p, Token& t) {
  t.text.assign(1, '"');
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) return finish(t, kError);
    if (is_full(t)) {
      push_back(p.reader);
      return finish(t, kError);
    }
    if (c == '"') {
      t.text.push_back('"');
      return finish(t, kString);
    }
    if (c == '\\') {
      int value = read_escape(p, nullptr);
      if (value < 0) return finish(t, kError);
      t.text.push_back(static_cast<char>(value & 0xFF));
      continue;
    }
    t.text.push_back(static_cast<char>(c));
    if (c >= 0x80) {  // the second byte of a double-byte character is taken unread
      int second = next_byte(p.reader);
      if (second < 0 || !append(p, t, second)) return finish(t, kError);
    }
  }
}

int lex_character(Parser& p, Token& t) {
  t.text.assign(1, '\'');
  int c = next_byte(p.reader);
  if (c < 0) return finish(t, kError);
  t.text.push_back(static_cast<char>(c));
  int value = c == '\\' ? read_escape(p, &t.text) : c;
  if (value < 0) return finish(t, kError);
  int close = next_byte(p.reader);
  if (close < 0) return finish(t, kError);
  if (close != '\'') {
    t.text.push_back(static_cast<char>(close));
    return finish(t, kError);
  }
  p.value = static_cast<std::uint32_t>(value);
  t.text = std::to_string(value);
  return finish(t, kSmallNumber);
}

int lex_operator(Parser& p, const OperatorRule& rule, Token& t) {
  t.text.assign(1, rule.first);
  if (rule.follows[0].next == 0) return finish(t, rule.alone);
  int c = next_byte(p.reader);
  if (c < 0) return finish(t, rule.alone);
  for (const Follow& f : rule.follows) {
    if (f.next == 0 || f.next != c) continue;
    t.text.push_back(static_cast<char>(c));
    if (f.code != kShiftLeft && f.code != kShiftRight) return finish(t, f.code);
    int third = next_byte(p.reader);
    if (third == '=') {
      t.text.push_back('=');
      return finish(t, f.code == kShiftLeft ? kShlAssign : kShrAssign);
    }
    if (third >= 0) push_back(p.reader);
    return finish(t, f.code);
  }
  push_back(p.reader);
  return finish(t, rule.alone);
}

// The blanks that follow one, within the line.
void skip_spaces(SourceReader& r) {
  while (r.position < r.length && kTables.classes[r.line[r.position]] == kSpace) ++r.position;
}

constexpr int kGoOn = -100;  // a comment was skipped: read on

int lex_slash(Parser& p, Token& t) {
  int c = next_byte(p.reader);
  if (c == '*') {
    if (skip_block_comment(p) == 0) return kGoOn;
    t.text = "/*";
    return finish(t, kError);
  }
  if (c == '/') {
    drop_rest_of_line(p.reader);
    return kGoOn;
  }
  if (c == '=') {
    t.text = "/=";
    return finish(t, kDivAssign);
  }
  if (c >= 0) push_back(p.reader);
  t.text = "/";
  return finish(t, kDivide);
}

}  // namespace

int next_token(Parser& p, Token& t) {
  if (p.in_comment && skip_block_comment(p) < 0) return finish(t, kEnd);
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0 || c == kSubstituteByte) return finish(t, kEnd);
    switch (kTables.classes[c]) {
      case kSpace:
        skip_spaces(p.reader);
        continue;
      case kNameStart: return lex_identifier(p, t);
      case kDigit: return lex_number(p, c, t);
      case kQuote: return lex_string(p, t);
      case kApostrophe: return lex_character(p, t);
      case kOperator: return lex_operator(p, kOperators[kTables.operators[c]], t);
      case kSlash:
        if (int code = lex_slash(p, t); code != kGoOn) return code;
        continue;
      case kOther: break;
    }
    t.text.assign(1, static_cast<char>(c));
    return finish(t, kError);
  }
}

int advance(Parser& p) { return next_token(p, p.cur); }

}  // namespace corvel::front
