#include "front/expression_parser.hpp"

#include "front/lexer.hpp"
#include "front/pins.hpp"
#include "front/precedence.hpp"
#include "ground/diagnostics.hpp"
#include "ground/text.hpp"

namespace corvel::front {

namespace {

using codegen::Expression;
using codegen::Item;
using ground::Diag;
using ground::fail;

enum Previous { kStart, kOperator, kOperand };

// The expression is converted to postfix order as it is read: operands go to
// the output at once, operators wait on the stack. A conversion that fails
// is only reported once the whole expression has been read, as the faults
// of reading come first.
struct ParseState {
  int terminator = kSemicolon;
  Previous previous = kStart;
  int depth = 1;
  bool ended = false;
  int written = 0;  // items read, operators and parentheses among them
  bool converted = true;
  Expression& postfix;
  std::vector<int>& stack;  // operator codes; kBottom for the implicit "(" below them
};

constexpr int kBottom = -1;

// An operand's item is made in place in the output; the size is checked
// after it is filled, as the checks of its operand come first.
Item& new_item(ParseState& s, int code, long value = 0) {
  Item& item = s.postfix.emplace_back();
  item.code = code;
  item.value = value;
  ++s.written;
  return item;
}

void check_size(const ParseState& s) {
  if (s.written > ground::kMaxItems) fail(Diag::ExpressionTooComplex);
}

int code_on(int top) { return top == kBottom ? kLeftParen : top; }

// One operator or parenthesis against the stack; false when the conversion fails.
bool convert_operator(ParseState& s, int code) {
  for (;;) {
    int top = s.stack.back();
    std::uint8_t in = kClassTable[code & 0xFF], on = kClassTable[code_on(top) & 0xFF];
    if (in == kNoClass || on == kNoClass) return false;
    if (!is_reduce(kActions[in][on])) {
      if (static_cast<int>(s.stack.size()) >= ground::kOperatorStackSize) return false;
      s.stack.push_back(code);
      return true;
    }
    if (code_on(top) == kLeftParen) {
      if (top == kBottom) return false;
      s.stack.pop_back();
      return true;
    }
    s.postfix.emplace_back().code = top;
    s.stack.pop_back();
  }
}

void take_operator(ParseState& s, int code) {
  ++s.written;
  if (s.converted && !convert_operator(s, code)) s.converted = false;
  check_size(s);
}

// An item's text holds its kind byte, its name and, per argument or index,
// a comma, the token's code and its text; it must fit its 98 bytes.
void grow_item_text(size_t& length, std::string_view part) {
  length += 2 + part.size();
  if (length > ground::kMaxItemText) fail(Diag::ExpressionTooComplex);
}

codegen::Argument argument_of(const Parser& p, int code) {
  codegen::Argument arg{code, 0, {}};
  if (code == kIdentifier) arg.name = resolve(p.cur);
  else arg.value = p.value;  // an integer token's
  return arg;
}

void read_builtin_call(Parser& p, Item& item, size_t& length) {
  if (advance(p) != kLeftParen) fail(Diag::NoCallLeftParen);
  int code = advance(p);
  while (code != kRightParen) {
    if (code != kSmallNumber && code != kMediumNumber && code != kIdentifier) fail(Diag::BadParameter);
    grow_item_text(length, p.cur.text);
    item.arguments.push_back(argument_of(p, code));
    code = advance(p);
    if (code == kComma) code = advance(p);
  }
}

// The index is one token, a number when it begins with a digit.
void read_array_element(Parser& p, Item& item, size_t& length) {
  if (advance(p) != kLeftBracket) fail(Diag::NoArrayLeftBracket);
  advance(p);
  std::string_view text = p.cur.text;
  grow_item_text(length, text);
  item.index.constant = !text.empty() && ground::is_digit(static_cast<unsigned char>(text[0]));
  if (item.index.constant) item.index.value = ground::parse_decimal(text);
  else item.index.name = resolve(p.cur);
  if (advance(p) != kRightBracket) fail(Diag::NoArrayRightBracket);
}

void named_operand(Parser& p, Item& item) {
  const Symbol* symbol = p.cur.symbol;
  Kind kind = kind_of(symbol);
  const std::string& name = item.operand.name.assign(p.cur.text.view());
  item.operand.kind = kind;
  item.operand.value = symbol ? symbol->number().value_or(0) : 0;
  size_t length = 1 + name.size();
  bool named = ground::is_variable(kind) || kind == Kind::Builtin || ground::is_array(kind);
  if (named && length > ground::kMaxItemText) fail(Diag::ExpressionTooComplex);
  if (ground::is_variable(kind)) return;
  if (kind == Kind::Builtin) {
    item.builtin = symbol->builtin;
    read_builtin_call(p, item, length);
  } else if (ground::is_array(kind)) {
    read_array_element(p, item, length);
  } else {
    if (name.empty() || name[0] != '#') fail(Diag::Undeclared, name.c_str());
    item.operand.kind = Kind::Pin;
    item.operand.value = pin_reference(p, std::string_view(name).substr(1));
  }
}

void take_operand(ParseState& s, Diag after_operand) {
  if (s.previous == kOperand) fail(after_operand);
  s.previous = kOperand;
  check_size(s);
}

void take_paren(ParseState& s, int code) {
  if (code == kRightParen && s.terminator == kRightParen && --s.depth == 0) {
    s.ended = true;
    return;
  }
  if (code == kLeftParen) ++s.depth;
  s.previous = kStart;
  take_operator(s, code);
}

bool is_refused_operator(int code) { return code == kXor || (code >= kModAssign && code <= kAssign); }

void take_token(Parser& p, ParseState& s, int code) {
  if (code == kEnd) fail(Diag::UnexpectedEnd);
  if (code == kSemicolon) {
    if (s.terminator != kSemicolon) fail(Diag::SemicolonInCondition);
    s.ended = true;
  } else if (code == kIdentifier) {
    named_operand(p, new_item(s, code));
    take_operand(s, Diag::OperandAfterName);
  } else if (code == kLeftParen || code == kRightParen) {
    take_paren(s, code);
  } else if (is_operator_token(code)) {
    if (is_refused_operator(code)) fail(Diag::UnsupportedOperator, p.cur.text.c_str());
    s.previous = kOperator;
    take_operator(s, code);
  } else if (is_number_token(code)) {
    // An integer token's value is the one its text reads as; a real's is its whole part.
    new_item(s, code, code == kRealNumber ? ground::parse_decimal(p.cur.text) : p.value);
    take_operand(s, Diag::OperandAfterNumber);
  } else {
    fail(Diag::UnexpectedToken);
  }
}

// The operators left on the stack follow the output, the top first.
void drain(ParseState& s) {
  for (; s.stack.size() > 1; s.stack.pop_back()) s.postfix.emplace_back().code = s.stack.back();
}

}  // namespace

codegen::Operand resolve(const Token& t) {
  const Symbol* s = t.symbol;
  if (!s || !s->has_value()) return {Kind::None, std::string(t.text.view()), 0};
  return {s->kind, s->name, *s->number()};
}

const Expression& parse_expression(Parser& p, int terminator) {
  ExpressionBuffers& b = p.expression;
  b.postfix.clear();
  b.stack.assign(1, kBottom);
  ParseState s{terminator, kStart, 1, false, 0, true, b.postfix, b.stack};
  while (!s.ended) take_token(p, s, advance(p));
  if (s.converted) drain(s);
  if (!s.converted || static_cast<int>(b.postfix.size()) > ground::kMaxPostfixItems) fail(Diag::ExpressionTooComplex);
  return b.postfix;
}

}  // namespace corvel::front
