#include "front/expression_parser.hpp"

#include <string>

#include "codegen/intermediate_code.hpp"
#include "driver/board_config.hpp"
#include "driver/code_image.hpp"
#include "driver/diagnostics.hpp"
#include "driver/messages.hpp"
#include "driver/state.hpp"
#include "front/lexer.hpp"
#include "front/precedence.hpp"
#include "front/symbol_table.hpp"

namespace corvel::front {

namespace {

using driver::fail;

constexpr int kOperatorStackSize = 50;
constexpr int kVppBase = 40, kVccBase = 80, kGndBase = 120;
constexpr int kPortSlots = 3;

enum Previous { kStart, kOperator, kOperand };

struct ParseState {
  int terminator;
  Previous previous = kStart;
  int depth = 1;
  bool ended = false;
};

int add_item(int type, std::string text) {
  if (static_cast<int>(g.items.size()) >= kMaxItems) return fail(1716, msg::kExpressionTooComplex);
  g.items.push_back({type, std::move(text)});
  return 0;
}

// Appends "," + token code + token text to an item text, within its bound.
int append_argument(std::string& text, int code, const std::string& arg) {
  if (text.size() + 2 + arg.size() > kMaxItemText) return fail(1716, msg::kExpressionTooComplex);
  text += ',';
  text += static_cast<char>(code);
  text += arg;
  return 0;
}

int read_builtin_call(std::string& text) {
  if (advance() != kLeftParen) return fail(1584, msg::kNoFuncLeftParen);
  int code = advance();
  while (code != kRightParen) {
    if (code != kSmallNumber && code != kMediumNumber && code != kIdentifier) return fail(1599, msg::kBadParameter);
    if (append_argument(text, code, g.cur.text) < 0) return -1;
    code = advance();
    if (code == kComma) code = advance();
  }
  return 0;
}

int read_array_element(std::string& text) {
  if (advance() != kLeftBracket) return fail(1551, msg::kNoArrayLeftBracket);
  int code = advance();
  if (append_argument(text, code, g.cur.text) < 0) return -1;
  if (advance() != kRightBracket) return fail(1559, msg::kNoArrayRightBracket);
  return 0;
}

// The item text of a named operand: its kind byte, then its name and parts.
int read_named_operand(std::string& text) {
  const std::string name = g.cur.text;
  int kind = symbol_kind(name);
  text = std::string(1, static_cast<char>(kind)) + name;
  bool named = kind == kKindPortBit || kind == kKindByte || kind == kKindWord || kind == kKindBuiltin ||
               kind == kKindByteArray || kind == kKindWordArray;
  if (named && text.size() > kMaxItemText) return fail(1716, msg::kExpressionTooComplex);
  if (kind == kKindPortBit || kind == kKindByte || kind == kKindWord) return 0;
  if (kind == kKindBuiltin) return read_builtin_call(text);
  if (kind == kKindByteArray || kind == kKindWordArray) return read_array_element(text);
  if (name.empty() || name[0] != '#') return fail(1625, msg::kUndeclared, name.c_str());
  int code = pin_reference(std::string_view(name).substr(1));
  if (code < 0) return -1;
  text = std::string(1, static_cast<char>(kKindPin)) + std::to_string(code);
  return 0;
}

int take_operand(ParseState& s, int type, std::string text, int site) {
  if (s.previous == kOperand) return fail(site, msg::kBadForm);
  s.previous = kOperand;
  return add_item(type, std::move(text));
}

int take_right_paren(ParseState& s) {
  if (s.terminator == kRightParen && --s.depth == 0) {
    s.ended = true;
    return 0;
  }
  s.previous = kStart;
  return add_item(kRightParen, ")");
}

bool is_refused_operator(int code) { return code == kXor || (code >= kModAssign && code <= kAssign); }

int take_token(ParseState& s, int code) {
  if (code == kEnd) return fail(1520, msg::kUnexpectedEnd);
  if (code == kSemicolon) {
    if (s.terminator != kSemicolon) return fail(1538, msg::kBadProgram);
    s.ended = true;
    return 0;
  }
  if (code == kIdentifier) {
    std::string text;
    if (read_named_operand(text) < 0) return -1;
    return take_operand(s, kIdentifier, std::move(text), 1634);
  }
  if (code == kLeftParen) {
    ++s.depth;
    s.previous = kStart;
    return add_item(kLeftParen, "(");
  }
  if (code == kRightParen) return take_right_paren(s);
  if (is_operator_token(code)) {
    if (is_refused_operator(code)) return fail(1676, msg::kUnsupportedOperator, g.cur.text.c_str());
    s.previous = kOperator;
    return add_item(code, g.cur.text);
  }
  if (is_number_token(code)) return take_operand(s, code, g.cur.text, 1692);
  return fail(1698, nullptr);
}

bool goes_to_output(int type) { return (type <= 1 || type >= 35) && type != kLeftParen && type != kRightParen; }

// One operator against the stack; false when the conversion fails.
bool convert_operator(const Item& item, std::vector<Item>& stack, std::vector<Item>& out) {
  for (;;) {
    const Item& top = stack.back();
    std::uint8_t in = kClassTable[item.type & 0xFF], on = kClassTable[top.type & 0xFF];
    if (in == kNoClass || on == kNoClass) return false;
    if (!is_reduce(kActions[in][on])) {
      if (static_cast<int>(stack.size()) >= kOperatorStackSize) return false;
      stack.push_back(item);
      return true;
    }
    if (top.type == kLeftParen) {
      if (stack.size() == 1) return false;  // the implicit bottom
      stack.pop_back();
      return true;
    }
    out.push_back(top);
    stack.pop_back();
  }
}

int code_of_port_name(std::string_view rest) {
  if (rest.size() < 2) return -1;
  return driver::port_bit_code_of_chars(static_cast<unsigned char>(rest[0]), static_cast<unsigned char>(rest[1]));
}

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if ((text[i] | 0x20) != (prefix[i] | 0x20)) return false;
  return true;
}

int pin_base(std::string_view text) {
  if (starts_with_nocase(text, "Vpp")) return kVppBase;
  if (starts_with_nocase(text, "Vcc")) return kVccBase;
  if (starts_with_nocase(text, "GND")) return kGndBase;
  return 0;
}

int direction_offset(std::string_view name) { return name.find(".dir") != std::string_view::npos ? codegen::kDirectionOffset : 0; }

}  // namespace

int parse_expression(int terminator) {
  g.items.clear();
  ParseState s{terminator};
  while (!s.ended)
    if (take_token(s, advance()) < 0) return -1;
  int count = convert_to_postfix(g.items);
  if (count < 0 || count > kMaxPostfixItems) return fail(1716, msg::kExpressionTooComplex);
  return 0;
}

int convert_to_postfix(std::vector<Item>& items) {
  std::vector<Item> stack{{kLeftParen, "("}};
  std::vector<Item> out;
  for (const Item& item : items) {
    if (goes_to_output(item.type)) out.push_back(item);
    else if (!convert_operator(item, stack, out)) return -1;
  }
  while (stack.size() > 1) {
    out.push_back(stack.back());
    stack.pop_back();
  }
  items = std::move(out);
  return static_cast<int>(items.size());
}

int trailing_number(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (!is_digit(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    int number = text[i++] - '0';
    if (i < text.size() && is_digit(static_cast<unsigned char>(text[i]))) number = number * 10 + (text[i++] - '0');
    if (i == text.size() || text[i] == '.') return number;
    ++i;
  }
  return -1;
}

int pin_reference(std::string_view text) {
  int code;
  if (!text.empty() && (text[0] == 'P' || text[0] == 'p')) {
    code = code_of_port_name(text.substr(1));
    if (code < 0) return fail(1466, msg::kBadPortNumber);
  } else {
    int number = trailing_number(text);
    if (number < 0) return fail(1482, msg::kBadPinNumber);
    code = driver::pin_lookup(pin_base(text) + number);
    if (code == driver::kNoPort) return fail(1489, msg::kPinNotMapped);
  }
  return code + direction_offset(text);
}

int port_bit_lookup(std::string_view name, long offset) {
  int bit = trailing_number(name);
  // A bit above 15 would read outside the port block; one without a pin has no code.
  if (bit < 0 || bit > 15) return fail(267, msg::kBadBitNumber);
  if (offset < 0 || offset >= kPortSlots * driver::kPortBlockSize) return fail(278, msg::kBadPortSlot);
  long slot = offset / driver::kPortBlockSize;
  int code = driver::image_at(slot * driver::kPortBlockSize + driver::kPortBlockSize - 1 - bit);
  if (code == driver::kNoPort) return fail(267, msg::kBadBitNumber);
  return code + direction_offset(name);
}

}  // namespace corvel::front
