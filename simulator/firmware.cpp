#include "firmware.hpp"

#include <algorithm>

namespace corvsim {

namespace {

const char* const kSerialServices[] = {"SendByte", "SendWord", "SendHex",     "SendCode", "StartMsg",  "SendMsg",
                                       "EndMsg",   "Message",  "SendNum2Str", "DataDump", "StartDump", "EndDump"};
const char* const kWaitingServices[] = {"Wait", "WaitExecEvent"};
const char* const kMemoryServices[] = {"memcpy", "mset", "mget", "mgetw"};
const char* const kInPlaceServices[] = {"Pulse", "Inc", "Dec", "Clear"};

template <size_t N>
bool in(const std::string& name, const char* const (&names)[N]) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

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

// memcpy(to, from, count), mset(address, count, byte), mget(address, offset),
// mgetw(address, offset), all within the image's data area.
long memory_service(Model& m, const std::string& name, const std::vector<ServiceArgument>& args) {
  long a = args[0].value, b = args[1].value;
  if (name == "mget") return m.data(a + b);
  if (name == "mgetw") return m.data(a + b) * 256 + m.data(a + b + 1);
  if (name == "mset") {
    for (long i = 0; i < b; ++i) m.store_data(a + i, static_cast<int>(args[2].value & 0xFF));
    return 0;
  }
  std::vector<int> bytes;
  for (long i = 0; i < args[2].value; ++i) bytes.push_back(m.data(b + i));
  for (long i = 0; i < args[2].value; ++i) m.store_data(a + i, bytes[i]);
  return 0;
}

// What both forms of a program do alike: memory services and return act
// inside the program, and a variable's Pulse, Inc, Dec or Clear is code of
// the program's own in native form.
bool compared(const std::string& name, const std::vector<ServiceArgument>& args) {
  if (in(name, kMemoryServices) || name == "return") return false;
  return !(in(name, kInPlaceServices) && !args.empty() && args[0].variable);
}

}  // namespace

bool passes_address(const codegen::Builtin& b, size_t index) {
  std::string_view letters = codegen::parameter_letters(b);
  if (index < letters.size() && (letters[index] == 'A' || letters[index] == 'P')) return true;
  return in(b.name, kMemoryServices) && index == 0;
}

std::string call_text(const codegen::Builtin& b, const std::vector<ServiceArgument>& args) {
  std::string text = b.name;
  for (const ServiceArgument& a : args) text += " " + (a.is_string ? quoted(a.text) : std::to_string(a.value));
  return text;
}

long call_service(Model& m, const codegen::Builtin& b, const std::vector<ServiceArgument>& args) {
  std::string name = b.name, text = call_text(b, args);
  m.event(text);
  if (compared(name, args)) m.canonical(text);
  m.timeline().call(m.time, text);
  if (in(name, kSerialServices)) m.timeline().serial(text);
  if (name == "VppVolt" || name == "VccVolt") m.set_supply(name == "VppVolt" ? Supply::Vpp : Supply::Vcc, args[0].value);
  else if (name == "exit") m.end("end of program");
  else if (name == "return") m.leaving = true;
  else if (in(name, kMemoryServices)) return memory_service(m, name, args);
  if (in(name, kWaitingServices)) m.wait(name);
  return codegen::result_letter(b) == ' ' ? 0 : m.replies().next(name);
}

}  // namespace corvsim
