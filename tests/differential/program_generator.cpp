#include "program_generator.hpp"

#include <random>
#include <string_view>
#include <vector>

#include "codegen/builtin_table.hpp"

namespace differential {

namespace codegen = corvel::codegen;

namespace {

// The board is the native road's: pins 1..8 on port 1, 9..16 on port 2,
// 17..20 on port 3. BUS holds pins 1..4 and CTRL port 5 bit 0 and pin 9, so
// #P17 (pin 8), #12 and #P33 are free to assign.
constexpr const char* kHeader =
    "#port BUS \"1,2,3,4\"\n"
    "#port CTRL \"P50,9\"\n"
    "#define LIMIT 3\n"
    "WORD w0, w1, w2, wa[4], seen;\n"
    "BYTE b0, b1, b2, i0, i1, ba[8], stamp[6], text[4] = \"ok\";\n";

// At the end every variable is shown, so that each store is compared.
std::string show_all() {
  std::string text;
  for (const char* name : {"w0", "w1", "w2", "b0", "b1", "b2"}) text += "seen = " + std::string(name) + ";\nSendWord(seen);\n";
  for (int i = 0; i < 4; ++i) text += "seen = wa[" + std::to_string(i) + "];\nSendWord(seen);\n";
  for (int i = 0; i < 8; ++i) text += "seen = ba[" + std::to_string(i) + "];\nSendWord(seen);\n";
  return text;
}

constexpr int kMaxFunctions = 4;  // main among them
constexpr int kMaxLoops = 3;      // nested in one another

const char* const kWords[] = {"w0", "w1", "w2"};
const char* const kBytes[] = {"b0", "b1", "b2"};
const char* const kPortBits[] = {"BUS15", "BUS13", "CTRL15", "CTRL14"};
const char* const kPins[] = {"#P17", "#12", "#P33", "#Vpp1", "#GND2"};
const char* const kFreePins[] = {"#P17", "#12", "#P33"};
const char* const kBinary[] = {"+", "-", "*", "!=", ">=", ">", "<=", "<", "==", "<<", ">>", "&&", "&", "||", "|"};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string program();

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(int percent) { return pick(100) < percent; }
  template <size_t N>
  const char* one_of(const char* const (&names)[N]) { return names[pick(N)]; }

  std::string constant();
  std::string operand();
  std::string value_call();
  std::string expression();
  std::string expression(int& items, int depth);
  std::string statement(int depth, int loop);
  std::string assignment();
  std::string assignment_target();
  std::string index_assignment();
  std::string builtin_statement();
  std::string argument(char letter, const std::string& service);
  std::string loop(int depth, int loop);
  std::string block(int depth, int loop, int count);
  std::string function(int n);

  std::mt19937 random_;
  int functions_ = 0;  // functions defined so far: a function calls only earlier ones
  int current_ = 0;    // the function being written, whose loop counters are its own
  int labels_ = 0;
};

std::string Generator::constant() {
  static const int kValues[] = {0, 1, 2, 3, 7, 15, 16, 100, 255, 256, 1000, 32767, 32768, 65535};
  return chance(70) ? std::to_string(kValues[pick(14)]) : std::to_string(pick(65536));
}

std::string Generator::value_call() {
  switch (pick(7)) {
    case 0: return "GetTimer()";
    case 1: return "RecByte()";
    case 2: return "GetClock()";
    case 3: return "mget(ba, " + std::to_string(pick(8)) + ")";
    case 4: return "mgetw(ba, " + std::to_string(pick(7)) + ")";
    case 5: return "ee_read(" + std::to_string(pick(16)) + ")";
    default: return "time_get(stamp, " + std::to_string(pick(3)) + ")";
  }
}

std::string Generator::operand() {
  switch (pick(10)) {
    case 0: return constant();
    case 1: return one_of(kWords);
    case 2: return one_of(kBytes);
    case 3: return "ba[" + std::string(chance(50) ? "i0" : std::to_string(pick(8))) + "]";
    case 4: return "wa[" + std::string(chance(50) ? "i1" : std::to_string(pick(4))) + "]";
    case 5: return one_of(kPortBits);
    case 6: return one_of(kPins);
    case 7: return chance(50) ? "BUS" : chance(50) ? "CTRL" : "BUS.dir";
    case 8: return value_call();
    default: return "LIMIT";
  }
}

// The compiler takes at most 19 items in postfix order.
std::string Generator::expression() {
  for (;;) {
    int items = 0;
    std::string text = expression(items, 0);
    if (items <= 19) return text;
  }
}

// Items counted as the postfix order has them; / and % only by an odd value.
std::string Generator::expression(int& items, int depth) {
  ++items;
  if (depth >= 3 || items > 15 || chance(35)) return operand();
  switch (pick(5)) {
    // A prefix operator goes in parentheses of its own: after another prefix
    // operator or after * / %, the order of items it makes reads no operand.
    case 0: return "(~" + expression(items, depth + 1) + ")";
    case 1: return "(!" + expression(items, depth + 1) + ")";
    case 2: {
      std::string left = expression(items, depth + 1);
      items += 2;
      return "(" + left + (chance(50) ? " / " : " % ") + "(" + expression(items, depth + 1) + " | 1))";
    }
    default: {
      std::string left = expression(items, depth + 1);
      return "(" + left + " " + one_of(kBinary) + " " + expression(items, depth + 1) + ")";
    }
  }
}

std::string Generator::argument(char letter, const std::string& service) {
  switch (letter) {
    case 'C': {
      const char* const targets[] = {"BUS15", "CTRL14", "#P17", "#12", "b1", "w1", "BUS", "CTRL"};
      return targets[pick(8)];
    }
    case 'S': return chance(50) ? "\"hello\"" : "\"say \\\"hi\\\"\\n\"";
    case 'F': return chance(20) ? one_of(kBytes) : chance(50) ? "12.5" : chance(50) ? "5" : "0";
    case 'P': return one_of(kWords);
    case 'A': return chance(50) ? "ba" : "stamp";
    default: break;
  }
  if (service == "mset" || service == "mget" || service == "mgetw") return "ba";
  return chance(50) ? constant() : chance(50) ? one_of(kWords) : one_of(kBytes);
}

// Half the stores to a variable are shown at once, through `seen`, so that a
// wrong value shows in the events even when a later store hides it.
std::string Generator::assignment() {
  std::string target = assignment_target();
  std::string text = target + " = " + expression() + ";";
  bool variable = target[0] == 'w' || target[0] == 'b';
  return variable && chance(50) ? text + "\nseen = " + target + ";\nSendWord(seen);" : text;
}

std::string Generator::assignment_target() {
  switch (pick(8)) {
    case 0: return one_of(kWords);
    case 1: return one_of(kBytes);
    case 2: return "ba[" + std::string(chance(50) ? "i0" : std::to_string(pick(8))) + "]";
    case 3: return "wa[" + std::string(chance(50) ? "i1" : std::to_string(pick(4))) + "]";
    case 4: return std::string(chance(50) ? "BUS" : "CTRL") + (chance(30) ? ".dir" : "");
    case 5: return std::string(one_of(kFreePins)) + (chance(30) ? ".dir" : "");
    default: return std::string(one_of(kPortBits)) + ".dir";
  }
}

std::string Generator::index_assignment() {
  return chance(50) ? "i0 = " + std::to_string(pick(8)) + ";" : "i1 = " + std::to_string(pick(4)) + ";";
}

// Every built-in but return and exit, which end functions and the program;
// the memory services within their arrays.
std::string Generator::builtin_statement() {
  const codegen::Builtin& b = codegen::kBuiltins[pick(codegen::kBuiltinCount)];
  std::string name = b.name;
  if (name == "return" || name == "exit") return "SendByte(b0);";
  if (name == "mset") return "mset(ba, " + std::to_string(pick(9)) + ", " + std::to_string(pick(256)) + ");";
  if (name == "memcpy") return "memcpy(ba, stamp, " + std::to_string(pick(7)) + ");";
  if (name == "mget" || name == "mgetw") return std::string(one_of(kWords)) + " = " + value_call() + ";";
  std::string call = name + "(";
  std::string_view letters = codegen::parameter_letters(b);
  for (size_t i = 0; i < letters.size(); ++i) {
    bool optional = letters[i] == 'b' || letters[i] == 'w';
    if (optional && chance(40)) break;
    call += (i ? ", " : "") + argument(static_cast<char>(letters[i] & ~0x20), name);
  }
  std::string statement = call + ");";
  return codegen::result_letter(b) != ' ' && chance(40) ? std::string(one_of(kWords)) + " = " + statement : statement;
}

// Loop counters count up from the body's first statement, so that continue
// cannot skip them and every loop ends.
std::string Generator::loop(int depth, int loop) {
  std::string counter = "c" + std::to_string(current_) + "_" + std::to_string(loop), limit = std::to_string(1 + pick(3));
  std::string step = counter + " = " + counter + " + 1;\n";
  std::string body = block(depth + 1, loop + 1, 1 + pick(3));
  std::string test = chance(40) ? "if (" + operand() + ") " : "";
  // continue goes back to the test of a while loop, but to the first
  // statement of a do loop's body, past its test: there only break ends it.
  if (chance(50)) {
    std::string jump = test.empty() ? "" : test + (chance(50) ? "break;\n" : "continue;\n");
    return counter + " = 0;\nwhile (" + counter + " < " + limit + ") {\n" + step + jump + body + "}\n";
  }
  std::string jump = test.empty() ? "" : test + "break;\n";
  return counter + " = 0;\ndo {\n" + step + jump + body + "} while (" + counter + " < " + limit + ");\n";
}

std::string Generator::statement(int depth, int loop_level) {
  switch (pick(depth >= 2 ? 3 : 8)) {
    case 0: return assignment() + "\n";
    case 1: return builtin_statement() + "\n";
    case 2: return functions_ > 0 ? "f" + std::to_string(pick(functions_)) + "();\n" : assignment() + "\n";
    case 3: {
      std::string then = block(depth + 1, loop_level, 1 + pick(2));
      std::string otherwise = chance(50) ? "else {\n" + block(depth + 1, loop_level, 1 + pick(2)) + "}\n" : "";
      return "if (" + expression() + ") {\n" + then + "}\n" + otherwise;
    }
    case 4: {
      if (loop_level >= kMaxLoops) return assignment() + "\n";
      return loop(depth, loop_level);
    }
    case 5: {
      std::string label = "skip" + std::to_string(labels_++);
      return "if (" + expression() + ") goto " + label + ";\n" + block(depth + 1, loop_level, 1) + label + ":\n";
    }
    case 6: return index_assignment() + "\n";
    default: return assignment() + "\n";
  }
}

std::string Generator::block(int depth, int loop_level, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += statement(depth, loop_level);
  return text;
}

std::string Generator::function(int n) {
  current_ = n;
  std::string body = block(0, 0, 2 + pick(4));
  if (chance(20)) body += "if (" + std::string(one_of(kBytes)) + ") return();\nSendWord(w0);\n";
  functions_ = n + 1;
  return "f" + std::to_string(n) + "()\n{\n" + body + "}\n";
}

// Each function counts its loops in counters of its own, so that a call
// inside a loop cannot reset the loop's counter.
std::string loop_counters() {
  std::string text = "BYTE ";
  for (int f = 0; f < kMaxFunctions; ++f)
    for (int l = 0; l < kMaxLoops; ++l) text += "c" + std::to_string(f) + "_" + std::to_string(l) + (f + 1 < kMaxFunctions || l + 1 < kMaxLoops ? ", " : ";\n");
  return text;
}

std::string Generator::program() {
  std::string text = kHeader + loop_counters();
  int count = 1 + pick(kMaxFunctions - 1);
  for (int n = 0; n < count; ++n) {
    if (n > 0 && chance(20)) text += "#frame\n";
    text += function(n);
  }
  current_ = count;
  std::string main_body = block(0, 0, 3 + pick(5)) + show_all();
  if (chance(30)) main_body += "exit(" + std::string(one_of(kBytes)) + ");\n";
  return text + "main()\n{\n" + main_body + "}\n";
}

}  // namespace

std::string generate_program(unsigned seed) { return Generator(seed).program(); }

std::string generate_replies(unsigned seed) {
  std::mt19937 random(seed ^ 0x5EEDu);
  std::string text;
  for (const codegen::Builtin& b : codegen::kBuiltins) {
    if (codegen::result_letter(b) == ' ') continue;
    text += b.name;
    for (int i = 0; i < 8; ++i) text += " " + std::to_string(std::uniform_int_distribution<int>(0, i % 3 ? 65535 : 3)(random));
    text += "\n";
  }
  return text;
}

}  // namespace differential
