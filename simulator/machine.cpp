#include "machine.hpp"

#include "ground/limits.hpp"
#include "output/listing.hpp"

namespace corvsim {

namespace {

using codegen::Element;

bool is_unary(int op) {
  using codegen::Operator;
  for (Operator u : {Operator::Increment, Operator::Decrement, Operator::BitNot, Operator::LogicalNot})
    if (op == static_cast<int>(u)) return true;
  return false;
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
  return text;
}

bool is_port_operand(Element e) { return e == Element::Bool || e == Element::BoolDir || e == Element::PortRegister; }

}  // namespace

int Machine::code(long p) const {
  if (p < 0 || p >= m_.image().size) throw Stop(m_.at, "the code runs past the image at offset " + std::to_string(p));
  return m_.image().bytes[p];
}

long Machine::code_word(long p) const { return code(p) * 256 + code(p + 1); }

// Frame number in the top four bits; the overlay area begins after frame 0.
long Machine::resolve(long address) const {
  const corvel::ground::Image& image = m_.image();
  int frame = static_cast<int>(address >> 12);
  long offset = address;
  if (frame > 0) {
    const corvel::ground::Frame& f = image.frames[frame];
    offset = frame < image.frame_count ? f.start + (address & 0xFFF) - image.frames[0].size : -1;
    if (offset < f.start || offset >= f.start + f.size) offset = -1;
  }
  if (offset < 0 || offset >= image.size)
    throw Stop(m_.at, "a jump outside the image, to address " + std::to_string(address));
  return offset;
}

Operand Machine::decode(long p) const {
  int first = code(p);
  const codegen::ElementDef& d = codegen::element_at(first);
  Operand o{d.element, first, 0, 0, d.length};
  switch (d.element) {
    case Element::Const1: o.address = code(p + 1); break;
    case Element::Const2:
    case Element::Val1:
    case Element::Val2: o.address = code_word(p + 1); break;
    case Element::Array:
    case Element::ArrayW: {
      o.address = code_word(p + 1);
      Operand index = decode(p + 3);
      if (index.element == Element::Array || index.element == Element::ArrayW)
        throw Stop(m_.at, "an array index that is itself an array element, at offset " + std::to_string(p + 3));
      o.index = value(index);
      o.length += index.length;
      break;
    }
    case Element::Bool:
    case Element::BoolDir:
    case Element::PortRegister: break;
    default: throw Stop(m_.at, "byte " + std::to_string(first) + " at offset " + std::to_string(p) + " is not an operand");
  }
  return o;
}

long Machine::value(const Operand& o) const {
  switch (o.element) {
    case Element::Bool:
    case Element::BoolDir:
    case Element::PortRegister: return m_.port(o.first);
    case Element::Const1:
    case Element::Const2: return o.address;
    case Element::Val1: return m_.data(o.address);
    case Element::Val2: return m_.data(o.address) * 256 + m_.data(o.address + 1);
    case Element::Array: return m_.data(o.address + o.index);
    case Element::ArrayW: return m_.data(o.address + 2 * o.index) * 256 + m_.data(o.address + 2 * o.index + 1);
    default: return 0;
  }
}

void Machine::store(const Operand& o, long v) {
  switch (o.element) {
    case Element::Bool:
    case Element::BoolDir:
    case Element::PortRegister: return m_.set_port(o.first, v);
    case Element::Val1: return m_.store_data(o.address, static_cast<int>(v & 0xFF));
    case Element::Array: return m_.store_data(o.address + o.index, static_cast<int>(v & 0xFF));
    case Element::Val2:
    case Element::ArrayW: {
      long a = o.element == Element::Val2 ? o.address : o.address + 2 * o.index;
      m_.store_data(a, static_cast<int>((v >> 8) & 0xFF));
      return m_.store_data(a + 1, static_cast<int>(v & 0xFF));
    }
    default: throw Stop(m_.at, "a constant cannot be assigned to");
  }
}

long Machine::evaluate(long& p, int count) {
  std::vector<long> stack;
  auto pop = [&](long at) {
    if (stack.empty()) throw Stop(at, "an operator without enough values on the expression stack");
    long v = stack.back();
    stack.pop_back();
    return v;
  };
  for (int i = 0; i < count; ++i) {
    int first = code(p);
    Element e = codegen::element_at(first).element;
    if (e == Element::Operator) {
      int op = first - codegen::kOperatorBase;
      long right = is_unary(op) ? 0 : pop(p);
      stack.push_back(operate(op, pop(p), right, p));
      ++p;
    } else if (e == Element::CallIn) {
      stack.push_back(service(p));
    } else {
      Operand o = decode(p);
      stack.push_back(value(o));
      p += o.length;
    }
    if (static_cast<int>(stack.size()) > m_.limits().max_stack)
      throw Stop(p, "the expression stack overflows (" + std::to_string(m_.limits().max_stack) + " values)");
  }
  if (stack.size() != 1) throw Stop(m_.at, "an expression that leaves " + std::to_string(stack.size()) + " values instead of one");
  return stack.back();
}

// One argument per parameter letter: a string is its bytes up to a 0 byte; a
// port bit or register given to a C parameter is its code; a reference is
// its address.
std::vector<ServiceArgument> Machine::arguments(const codegen::Builtin& b, long& q, std::vector<Operand>& operands) {
  std::vector<ServiceArgument> args;
  for (char letter : codegen::parameter_letters(b)) {
    ServiceArgument a;
    a.letter = letter;
    Operand o{};
    if (letter == 'S') {
      a.is_string = true;
      for (int c; (c = code(q++)) != 0;) a.text.push_back(static_cast<char>(c));
    } else {
      o = decode(q);
      a.variable = letter == 'C' && (o.element == Element::Val1 || o.element == Element::Val2);
      a.value = letter == 'C' && is_port_operand(o.element) ? o.first : letter == 'P' ? o.address : value(o);
      q += o.length;
    }
    operands.push_back(o);
    args.push_back(a);
  }
  return args;
}

// Native code increments, decrements or clears a variable in place; the
// firmware's effect on a port bit or register is its own.
void Machine::in_place(const std::string& name, const Operand& target) {
  if (name != "Inc" && name != "Dec" && name != "Clear") return;
  long mask = target.element == Element::Val1 ? 0xFF : 0xFFFF;
  long v = value(target);
  store(target, (name == "Inc" ? v + 1 : name == "Dec" ? v - 1 : 0) & mask);
}

long Machine::service(long& p) {
  int number = code(p + 1);
  const codegen::Builtin* b = codegen::builtin_by_number(number);
  if (!b) throw Stop(p, "CALLIN of service " + std::to_string(number) + ", which no built-in is");
  long q = p + 2, at = m_.at;
  std::vector<Operand> operands;
  std::vector<ServiceArgument> args = arguments(*b, q, operands);
  m_.at = p;
  long result = call_service(m_, *b, args);
  m_.at = at;
  if (!args.empty() && args[0].variable) in_place(b->name, operands[0]);
  p = q;
  return result;
}

// The instruction in the listing's notation, with the items of its expression.
std::string Machine::trace_text(long p) const {
  int length = 0;
  std::string text = corvel::output::element_text(m_.image(), p, length);
  Element e = codegen::element_at(m_.image().at(p)).element;
  if ((e != Element::Let && e != Element::Judge) || length <= 0) return trimmed(text);
  int count = m_.image().at(p + length - 1);
  for (long q = p + length; count-- > 0 && length > 0; q += length) text += corvel::output::element_text(m_.image(), q, length);
  return trimmed(text);
}

void Machine::call(long return_to, long target) {
  if (static_cast<int>(returns_.size()) >= m_.limits().max_depth)
    throw Stop(m_.at, "calls nest deeper than " + std::to_string(m_.limits().max_depth));
  returns_.push_back(return_to);
  pc_ = resolve(target);
}

void Machine::step() {
  m_.at = pc_;
  int first = code(pc_);
  if (trace_) m_.timeline().trace(m_.steps, pc_, trace_text(pc_));
  switch (codegen::element_at(first).element) {
    case Element::Let: {
      Operand target = decode(pc_ + 1);
      long p = pc_ + 2 + target.length;
      long v = evaluate(p, code(pc_ + 1 + target.length));
      store(target, v);
      pc_ = p;
      break;
    }
    case Element::Judge: {
      long p = pc_ + 4;
      long v = evaluate(p, code(pc_ + 3));
      pc_ = v == 0 ? resolve(code_word(m_.at + 1)) : p;
      break;
    }
    case Element::Goto: pc_ = resolve(code_word(pc_ + 1)); break;
    case Element::Call: call(pc_ + 3, code_word(pc_ + 1)); break;
    case Element::CallIn: service(pc_); break;
    case Element::FuncEnd: m_.leaving = true; break;
    case Element::ProgEnd: m_.end("end of program"); break;
    default: throw Stop(m_.at, "byte " + std::to_string(first) + " is not an instruction");
  }
}

void Machine::run() {
  while (m_.running) {
    if (m_.steps >= m_.limits().max_steps)
      throw Stop(pc_, "the step limit of " + std::to_string(m_.limits().max_steps) + " steps is reached (--max-steps)");
    step();
    ++m_.steps;
    ++m_.time;
    if (!m_.leaving) continue;
    m_.leaving = false;
    if (returns_.empty()) {
      m_.end("main returns: end of program");
    } else {
      pc_ = returns_.back();
      returns_.pop_back();
    }
  }
}

}  // namespace corvsim
