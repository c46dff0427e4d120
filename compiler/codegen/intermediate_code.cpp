#include "codegen/intermediate_code.hpp"

namespace corvel::codegen {

namespace {

// Indexed by token code 2..34.
constexpr const char* kOperatorTexts[] = {
    "++ ", "-- ", "~ ",  "^ ", "! ",  "%= ", "*= ", "/= ", "+= ", "-= ", "&= ",
    "|= ", "^= ", "<<= ", ">>= ", "= ", "+ ",  "- ",  "/ ",  "* ",  "% ",  "!= ",
    ">= ", "> ",  "<= ", "< ",  "== ", "<< ", ">> ", "&& ", "& ",  "|| ", "| ",
};

constexpr const char* kPortRegisterWords[] = {"A_DT", "A_DIR", "B_DT", "B_DIR", "C_DT", "C_DIR"};

}  // namespace

Element element_of(int byte) {
  if (byte < kBoolDirFirst) return Element::Bool;
  if (byte < kConst1) return Element::BoolDir;
  if (byte >= kPortRegisterFirst && byte <= kPortRegisterLast) return Element::PortRegister;
  if (byte >= kOperatorFirst && byte <= kOperatorLast) return Element::Operator;
  switch (byte) {
    case kConst1: return Element::Const1;
    case kConst2: return Element::Const2;
    case kVal1: return Element::Val1;
    case kVal2: return Element::Val2;
    case kArray: return Element::Array;
    case kArrayW: return Element::ArrayW;
    case kLet: return Element::Let;
    case kJudge: return Element::Judge;
    case kGoto: return Element::Goto;
    case kCall: return Element::Call;
    case kCallIn: return Element::CallIn;
    case kFuncEnd: return Element::FuncEnd;
    case kProgEnd: return Element::ProgEnd;
    default: return Element::Unassigned;
  }
}

int element_own_length(Element e) {
  switch (e) {
    case Element::Const1:
    case Element::CallIn:
    case Element::Let: return 2;
    case Element::Const2:
    case Element::Val1:
    case Element::Val2:
    case Element::Array:
    case Element::ArrayW:
    case Element::Goto:
    case Element::Call: return 3;
    case Element::Judge: return 4;
    case Element::ProgEnd: return 0;
    default: return 1;
  }
}

const char* operator_text(int byte) {
  if (byte < kOperatorFirst || byte > kOperatorLast) return nullptr;
  return kOperatorTexts[byte - kOperatorFirst];
}

const char* port_register_word(int code) {
  if (code < kPortRegisterFirst || code > kPortRegisterLast) return nullptr;
  return kPortRegisterWords[code - kPortRegisterFirst];
}

}  // namespace corvel::codegen
