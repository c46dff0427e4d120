#include "front/lexer.hpp"

#include <array>
#include <cstdint>
#include <cstring>
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
enum ByteClass : std::uint8_t { kOther, kSpace, kNameStart, kDigit, kQuote, kApostrophe, kSlash, kOperator, kEndOfInput };

constexpr ByteClass class_of(int c) {
  if (c == kSubstituteByte) return kEndOfInput;
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

// How an operator or punctuation token is written: its text refers to this.
struct Spelling {
  char text[4];
  std::uint8_t size;
};

constexpr int kCodes = kError + 1;

struct Tables {
  std::array<ByteClass, 256> classes{};
  std::array<bool, 256> name_bytes{};
  std::array<signed char, 256> operators{};  // the row of kOperators, or -1
  std::array<Spelling, kCodes> spellings{};
};

constexpr void spell(Tables& t, int code, char a, char b = 0, char c = 0) {
  t.spellings[code] = {{a, b, c, 0}, static_cast<std::uint8_t>(1 + (b != 0) + (c != 0))};
}

constexpr Tables make_tables() {
  Tables t;
  for (int c = 0; c < 256; ++c) {
    t.classes[c] = class_of(c);
    t.name_bytes[c] = is_name_byte(c);
    t.operators[c] = -1;
  }
  for (int row = 0; row < static_cast<int>(std::size(kOperators)); ++row) {
    const OperatorRule& rule = kOperators[row];
    t.operators[static_cast<unsigned char>(rule.first)] = static_cast<signed char>(row);
    spell(t, rule.alone, rule.first);
    for (const Follow& f : rule.follows)
      if (f.next != 0) spell(t, f.code, rule.first, f.next);
  }
  spell(t, kShlAssign, '<', '<', '=');
  spell(t, kShrAssign, '>', '>', '=');
  spell(t, kDivide, '/');
  spell(t, kDivAssign, '/', '=');
  return t;
}

constexpr Tables kTables = make_tables();

// Every token but a name has no entry.
int finish(Token& t, int code) {
  t.symbol = nullptr;
  return t.code = code;
}

// A token whose text was built in its own copy.
int finish_own(Token& t, int code) {
  t.text.done();
  return finish(t, code);
}

int finish_spelled(Token& t, int code) {
  const Spelling& s = kTables.spellings[code];
  t.text.refer(std::string_view(s.text, s.size));
  return finish(t, code);
}

bool is_full(const std::string& text) { return static_cast<int>(text.size()) >= ground::kMaxTokenText; }

// Appends `c` unless the text is full; a full text pushes `c` back instead.
bool append(Parser& p, std::string& text, int c) {
  if (is_full(text)) {
    push_back(p.reader);
    return false;
  }
  text.push_back(static_cast<char>(c));
  return true;
}

// The lexers of the rarer tokens stay out of next_token, which keeps its
// frame small for names, blanks and operators.
#define CORVEL_COLD __attribute__((noinline))

// Skips to the end of a block comment; -1 when the input ends inside it.
CORVEL_COLD int skip_block_comment(Parser& p) {
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

// A #define's value in place of its name, one level deep: the replacement is
// not looked up again.
CORVEL_COLD int substitute_define(Parser& p, Token& t, const Symbol& define) {
  int code = define.define_code;
  t.text.set(define.define_text);
  if (code == kSmallNumber || code == kMediumNumber || code == kLargeNumber)
    p.value = ground::parse_decimal(define.define_text);
  finish(t, code);
  t.symbol = define.define_name;
  return code;
}

[[gnu::always_inline]] inline int name_token(Parser& p, Token& t, std::string_view name, std::uint32_t hash) {
  Symbol* s = p.symbols.intern(name, hash);
  if (p.substitute_defines && s->kind == Kind::Define) [[unlikely]]
    return substitute_define(p, t, *s);
  t.text.refer(s->name);
  t.symbol = s;
  return t.code = kIdentifier;
}

// The rest of a name that reaches the end of the bytes the line holds: a
// line longer than a read goes on in the next one.
CORVEL_COLD int lex_name_across_reads(Parser& p, Token& t, std::string_view start) {
  std::string& text = t.text.own();
  text.assign(start);
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) break;
    if (!kTables.name_bytes[c]) {
      push_back(p.reader);
      break;
    }
    if (!append(p, text, c)) return finish_own(t, kError);
  }
  return name_token(p, t, text, hash_of(text));
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
  r.position = end;
  std::string_view name(reinterpret_cast<const char*>(line) + start, static_cast<size_t>(end - start));
  if (end == r.length) return lex_name_across_reads(p, t, name);
  return name_token(p, t, name, hash);
}

int number_code(std::uint32_t value) { return value < 256 ? kSmallNumber : value < 65536 ? kMediumNumber : kLargeNumber; }

// Decimal digits that end inside the line, before a byte that cannot go on a
// number, are taken in one piece; anything else is read byte by byte.
bool lex_decimal(Parser& p, Token& t) {
  SourceReader& r = p.reader;
  int start = r.position - 1;
  int end = r.position;
  while (end < r.length && is_digit(r.line[end])) ++end;
  if (end == r.length) return false;
  int stop = r.line[end];
  if (is_hex_digit(stop) || stop == '.' || stop == 'x') return false;
  std::string_view digits(reinterpret_cast<const char*>(r.line) + start, static_cast<size_t>(end - start));
  r.position = end;
  p.value = ground::parse_decimal(digits);
  t.text.set(digits);
  finish(t, number_code(p.value));
  return true;
}

CORVEL_COLD int lex_number(Parser& p, int first, Token& t) {
  if (lex_decimal(p, t)) return t.code;
  std::string& text = t.text.own();
  text.assign(1, static_cast<char>(first));
  int points = 0;
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) break;
    bool hex_prefix = c == 'x' && text == "0";
    if (!hex_prefix && c != '.' && !is_hex_digit(c)) {
      push_back(p.reader);
      break;
    }
    if (!append(p, text, c)) return finish_own(t, kError);
    if (c == '.' && ++points == 2) return finish_own(t, kError);
  }
  if (points == 1) {
    p.value = 0;
    return finish_own(t, kRealNumber);
  }
  std::uint32_t value;
  if (text.size() >= 2 && text[1] == 'x') {
    value = ground::parse_hex(std::string_view(text).substr(2));
    text = std::to_string(value);
  } else {
    value = ground::parse_decimal(text);
  }
  p.value = value;
  return finish_own(t, number_code(value));
}

CORVEL_COLD int lex_string(Parser& p, Token& t) {
  std::string& text = t.text.own();
  text.assign(1, '"');
  for (;;) {
    int c = next_byte(p.reader);
    if (c < 0) return finish_own(t, kError);
    if (is_full(text)) {
      push_back(p.reader);
      return finish_own(t, kError);
    }
    if (c == '"') {
      text.push_back('"');
      return finish_own(t, kString);
    }
    if (c == '\\') {
      int value = read_escape(p, nullptr);
      if (value < 0) return finish_own(t, kError);
      text.push_back(static_cast<char>(value & 0xFF));
      continue;
    }
    text.push_back(static_cast<char>(c));
    if (c >= 0x80) {  // the second byte of a double-byte character is taken unread
      int second = next_byte(p.reader);
      if (second < 0 || !append(p, text, second)) return finish_own(t, kError);
    }
  }
}

CORVEL_COLD int lex_character(Parser& p, Token& t) {
  std::string& text = t.text.own();
  text.assign(1, '\'');
  int c = next_byte(p.reader);
  if (c < 0) return finish_own(t, kError);
  text.push_back(static_cast<char>(c));
  int value = c == '\\' ? read_escape(p, &text) : c;
  if (value < 0) return finish_own(t, kError);
  int close = next_byte(p.reader);
  if (close < 0) return finish_own(t, kError);
  if (close != '\'') {
    text.push_back(static_cast<char>(close));
    return finish_own(t, kError);
  }
  p.value = static_cast<std::uint32_t>(value);
  text = std::to_string(value);
  return finish_own(t, kSmallNumber);
}

int lex_operator(Parser& p, const OperatorRule& rule, Token& t) {
  if (rule.follows[0].next == 0) return finish_spelled(t, rule.alone);
  int c = next_byte(p.reader);
  if (c < 0) return finish_spelled(t, rule.alone);
  for (const Follow& f : rule.follows) {
    if (f.next == 0 || f.next != c) continue;
    if (f.code != kShiftLeft && f.code != kShiftRight) return finish_spelled(t, f.code);
    int third = next_byte(p.reader);
    if (third == '=') return finish_spelled(t, f.code == kShiftLeft ? kShlAssign : kShrAssign);
    if (third >= 0) push_back(p.reader);
    return finish_spelled(t, f.code);
  }
  push_back(p.reader);
  return finish_spelled(t, rule.alone);
}

// A new line's indentation, four blanks at a time.
void skip_indentation(SourceReader& r) {
  constexpr std::uint32_t kFourBlanks = 0x20202020u;
  for (std::uint32_t four; r.position + 4 <= r.length; r.position += 4) {
    std::memcpy(&four, r.line + r.position, 4);
    if (four != kFourBlanks) return;
  }
}

constexpr int kGoOn = -100;  // a comment was skipped: read on

CORVEL_COLD int lex_slash(Parser& p, Token& t) {
  int c = next_byte(p.reader);
  if (c == '*') {
    if (skip_block_comment(p) == 0) return kGoOn;
    t.text.refer(std::string_view("/*"));
    return finish(t, kError);
  }
  if (c == '/') {
    drop_rest_of_line(p.reader);
    return kGoOn;
  }
  if (c == '=') return finish_spelled(t, kDivAssign);
  if (c >= 0) push_back(p.reader);
  return finish_spelled(t, kDivide);
}

CORVEL_COLD int lex_other(Token& t, int c) {
  t.text.own().assign(1, static_cast<char>(c));
  return finish_own(t, kError);
}

}  // namespace

// Blanks are skipped within the line, and the line buffer is refilled only
// when it is read to its end.
int next_token(Parser& p, Token& t) {
  if (p.in_comment && skip_block_comment(p) < 0) return finish(t, kEnd);
  SourceReader& r = p.reader;
  for (;;) {
    int at = r.position;
    while (at < r.length && kTables.classes[r.line[at]] == kSpace) ++at;
    r.position = at;
    if (at == r.length) {
      if (!read_line(r)) return finish(t, kEnd);
      skip_indentation(r);
      continue;
    }
    int c = r.line[at];
    r.position = at + 1;
    switch (kTables.classes[c]) {
      case kNameStart: return lex_identifier(p, t);
      case kOperator: return lex_operator(p, kOperators[kTables.operators[c]], t);
      case kDigit: return lex_number(p, c, t);
      case kQuote: return lex_string(p, t);
      case kApostrophe: return lex_character(p, t);
      case kSlash:
        if (int code = lex_slash(p, t); code != kGoOn) return code;
        continue;
      case kEndOfInput: return finish(t, kEnd);
      case kSpace:
      case kOther: return lex_other(t, c);
    }
  }
}

int advance(Parser& p) { return next_token(p, p.cur); }

}  // namespace corvel::front
