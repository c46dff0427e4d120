// The firmware's services as this system knows them: every call is shown;
// the effects the system fixes act on the model (supply voltages, exit and
// return, the memory services, and Inc/Dec/Clear on variables, which native
// code does in place); values the firmware returns come from the replies.
#include <algorithm>

#include "machine.hpp"

namespace corvsim {

namespace {

using codegen::Element;

const char* const kSerialServices[] = {"SendByte", "SendWord", "SendHex",     "SendCode", "StartMsg",  "SendMsg",
                                       "EndMsg",   "Message",  "SendNum2Str", "DataDump", "StartDump", "EndDump"};
const char* const kWaitingServices[] = {"Wait", "WaitExecEvent"};

bool one_of(const std::string& name, std::initializer_list<const char*> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

template <size_t N>
bool in(const std::string& name, const char* const (&names)[N]) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// A string as the transcript shows it: in quotes, other bytes than printable ones as \xNN.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c >= 0x20 && c != 0x7F) {
      out += static_cast<char>(c);
      continue;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += hex;
  }
  return out + "\"";
}

std::string call_text(const codegen::Builtin& b, const std::vector<Argument>& args) {
  std::string text = b.name;
  for (const Argument& a : args) text += " " + (a.is_string ? quoted(a.text) : std::to_string(a.value));
  return text;
}

}  // namespace

// One argument per parameter letter: a string is its bytes up to a 0 byte;
// a port bit given to a C parameter is shown as its port-bit code.
std::vector<Argument> Machine::arguments(const codegen::Builtin& b, long& q) {
  std::vector<Argument> args;
  for (char letter : codegen::parameter_letters(b)) {
    Argument a;
    a.letter = letter;
    if (letter == 'S') {
      a.is_string = true;
      for (int c; (c = code(q++)) != 0;) a.text.push_back(static_cast<char>(c));
    } else {
      a.operand = decode(q);
      bool bit = a.operand.element == Element::Bool || a.operand.element == Element::BoolDir;
      a.value = letter == 'C' && bit ? a.operand.first : value(a.operand);
      q += a.operand.length;
    }
    args.push_back(a);
  }
  return args;
}

long Machine::service(long& p) {
  int number = code(p + 1);
  const codegen::Builtin* b = codegen::builtin_by_number(number);
  if (!b) throw Stop(p, "CALLIN of service " + std::to_string(number) + ", which no built-in is");
  long q = p + 2;
  std::vector<Argument> args = arguments(*b, q);
  std::string text = call_text(*b, args);
  long at = at_;
  at_ = p;
  event(text);
  at_ = at;
  timeline_.call(time_, text);
  if (in(b->name, kSerialServices)) timeline_.serial(text);
  p = q;
  return effect(*b, args);
}

long Machine::effect(const codegen::Builtin& b, std::vector<Argument>& args) {
  std::string name = b.name;
  if (name == "VppVolt" || name == "VccVolt") set_supply(name == "VppVolt" ? Supply::Vpp : Supply::Vcc, args[0].value / 10.0);
  else if (name == "exit") end("end of program");
  else if (name == "return") returned_ = true;
  else if (one_of(name, {"memcpy", "mset", "mget", "mgetw"})) return memory_service(name, args);
  else if (one_of(name, {"Inc", "Dec", "Clear"})) variable_service(name, args[0]);
  if (in(name, kWaitingServices)) {
    timeline_.gap(time_, limits_.wait_gap, name);
    time_ += limits_.wait_gap;
  }
  return codegen::result_letter(b) == ' ' ? 0 : replies_.next(name);
}

// memcpy(to, from, count), mset(address, count, byte), mget(address, offset),
// mgetw(address, offset), all within the image's data area.
long Machine::memory_service(const std::string& name, const std::vector<Argument>& args) {
  long a = args[0].value, b = args[1].value;
  if (name == "mget") return data(a + b);
  if (name == "mgetw") return data(a + b) * 256 + data(a + b + 1);
  if (name == "mset") {
    for (long i = 0; i < b; ++i) store_data(a + i, static_cast<int>(args[2].value & 0xFF));
    return 0;
  }
  std::vector<int> bytes;
  for (long i = 0; i < args[2].value; ++i) bytes.push_back(data(b + i));
  for (long i = 0; i < args[2].value; ++i) store_data(a + i, bytes[i]);
  return 0;
}

// Native code increments, decrements or clears a variable in place; the
// firmware's effect on a port bit or register is its own.
void Machine::variable_service(const std::string& name, const Argument& target) {
  Element e = target.operand.element;
  if (e != Element::Val1 && e != Element::Val2) return;
  long mask = e == Element::Val1 ? 0xFF : 0xFFFF;
  long v = name == "Inc" ? target.value + 1 : name == "Dec" ? target.value - 1 : 0;
  store(target.operand, v & mask);
}

}  // namespace corvsim
