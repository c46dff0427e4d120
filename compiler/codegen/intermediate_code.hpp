// The byte code that the board's firmware interprets, as one table: every
// element's opcode byte or range, its mnemonic, how its length is found and
// how the listing shows it; and the operators with their listing texts and
// native sequences. The emitters' constants, the element lengths and the
// listing's decoder all come from here.
#pragma once

#include <array>
#include <cstdint>

namespace corvel::codegen {

enum class Element : std::uint8_t {
  Bool, BoolDir, Const1, Const2, Val1, Val2, Array, ArrayW, PortRegister,
  Let, Judge, Goto, Call, CallIn, Operator, FuncEnd, ProgEnd, Unassigned,
};

// What follows an element's own bytes and belongs to it.
enum class Nested : std::uint8_t {
  None,
  Index,   // ARRAY/ARRAYW: one index operand at p + 3
  Target,  // LET: the target operand at p + 1, then the item count
};

// Where the listing takes a %d of the element's format from.
enum class Field : std::uint8_t { None, Opcode, Byte1, Word1, Byte3 };

// How the listing shows an element.
enum class Shows : std::uint8_t { Format, RegisterWord, OperatorText, Service };

struct ElementDef {
  Element element;
  std::uint8_t first, last;  // the opcode bytes it begins with
  std::uint8_t length;       // its own bytes; 0 ends the walk (PROG_END)
  Nested nested;
  bool line_head;            // the listing starts a line "<offset>" with it
  Shows shows;
  const char* format;        // the listing's text, with up to two %d
  Field fields[2];
};

// Unassigned bytes are the gaps between the ranges below.
inline constexpr ElementDef kElements[] = {
    {Element::Bool, 0, 79, 1, Nested::None, false, Shows::Format, "BOOL(%d) ", {Field::Opcode}},
    {Element::BoolDir, 80, 159, 1, Nested::None, false, Shows::Format, "BOOLD(%d) ", {Field::Opcode}},
    {Element::Const1, 160, 160, 2, Nested::None, false, Shows::Format, "CONST1(%d) ", {Field::Byte1}},
    {Element::Const2, 161, 161, 3, Nested::None, false, Shows::Format, "CONST2(%d) ", {Field::Word1}},
    {Element::Val1, 162, 162, 3, Nested::None, false, Shows::Format, "VAL1(%d) ", {Field::Word1}},
    {Element::Val2, 163, 163, 3, Nested::None, false, Shows::Format, "VAL2(%d) ", {Field::Word1}},
    {Element::Array, 164, 164, 3, Nested::Index, false, Shows::Format, "ARRAY(%d)[ ", {Field::Word1}},
    {Element::ArrayW, 165, 165, 3, Nested::Index, false, Shows::Format, "ARRAYW(%d)[ ", {Field::Word1}},
    {Element::PortRegister, 166, 171, 1, Nested::None, false, Shows::RegisterWord, nullptr, {}},
    {Element::Let, 180, 180, 2, Nested::Target, true, Shows::Format, "LET ", {}},
    {Element::Judge, 181, 181, 4, Nested::None, true, Shows::Format, "JUDGE(skip:%d) Para(%d) ",
     {Field::Word1, Field::Byte3}},
    {Element::Goto, 182, 182, 3, Nested::None, true, Shows::Format, "GOTO(%d) ", {Field::Word1}},
    {Element::Call, 183, 183, 3, Nested::None, true, Shows::Format, "CALL(%d) ", {Field::Word1}},
    {Element::CallIn, 184, 184, 2, Nested::None, true, Shows::Service, nullptr, {}},
    {Element::Operator, 186, 218, 1, Nested::None, false, Shows::OperatorText, nullptr, {}},
    {Element::FuncEnd, 254, 254, 1, Nested::None, true, Shows::Format, "FUNC_END\n", {}},
    {Element::ProgEnd, 255, 255, 0, Nested::None, false, Shows::Format, "PROG_END\n", {}},
};

inline constexpr ElementDef kUnassigned = {
    Element::Unassigned, 0, 0, 1, Nested::None, false, Shows::Format, "?(%d) ", {Field::Opcode}};

// The definition of the element that begins with `byte`.
const ElementDef& element_at(int byte);

constexpr const ElementDef& def_of(Element e) {
  for (const ElementDef& d : kElements)
    if (d.element == e) return d;
  return kUnassigned;
}

// The bytes the emitters lay, from the table.
inline constexpr int kConst1 = def_of(Element::Const1).first;
inline constexpr int kConst2 = def_of(Element::Const2).first;
inline constexpr int kVal1 = def_of(Element::Val1).first;
inline constexpr int kVal2 = def_of(Element::Val2).first;
inline constexpr int kArray = def_of(Element::Array).first;
inline constexpr int kArrayW = def_of(Element::ArrayW).first;
inline constexpr int kLet = def_of(Element::Let).first;
inline constexpr int kJudge = def_of(Element::Judge).first;
inline constexpr int kGoto = def_of(Element::Goto).first;
inline constexpr int kCall = def_of(Element::Call).first;
inline constexpr int kCallIn = def_of(Element::CallIn).first;
inline constexpr int kFuncEnd = def_of(Element::FuncEnd).first;
inline constexpr int kProgEnd = def_of(Element::ProgEnd).first;
inline constexpr int kDirectionOffset = def_of(Element::BoolDir).first;  // a bit's direction register

// The six port registers: the WORD each stands for and the word the listing prints.
struct PortRegisterDef {
  int code;
  long address;
  const char* word;
};

inline constexpr PortRegisterDef kPortRegisters[] = {
    {166, 0, "A_DT "}, {167, 2, "A_DIR "}, {168, 20, "B_DT "}, {169, 22, "B_DIR "}, {170, 40, "C_DT "}, {171, 42, "C_DIR "},
};

// Operators: the byte is the operator's code + 184; the codes are the
// operators' token codes too.
enum class Operator : std::uint8_t {
  Increment = 2, Decrement, BitNot, Xor, LogicalNot, ModAssign, MulAssign, DivAssign, AddAssign, SubAssign,
  AndAssign, OrAssign, XorAssign, ShlAssign, ShrAssign, Assign, Plus, Minus, Divide, Multiply, Remainder,
  NotEqual, GreaterEqual, Greater, LessEqual, Less, Equal, ShiftLeft, ShiftRight, LogicalAnd, BitAnd,
  LogicalOr, BitOr,
};

inline constexpr int kOperatorBase = 184;
inline constexpr int kFirstOperator = static_cast<int>(Operator::Increment);
inline constexpr int kLastOperator = static_cast<int>(Operator::BitOr);

struct OperatorDef {
  Operator op;
  const char* listing;  // what the listing prints for its byte
  const char* native;   // its sequence on the processor stack; null where native code has none
};

// Every operand pushes one word and every operator pops its operands and
// pushes its result, the left operand below the right one.
inline constexpr OperatorDef kOperators[] = {
    {Operator::Increment, "++ ", nullptr},
    {Operator::Decrement, "-- ", nullptr},
    {Operator::BitNot, "~ ", "\tPOP.W\tR0\n\tNOT.W\tR0\n\tPUSH.W\tR0\n"},
    {Operator::Xor, "^ ", nullptr},
    {Operator::LogicalNot, "! ", "\tPOP.W\tR0\n\tJSR\t@H8_M_NOT:24\n\tPUSH.W\tR0\n"},
    {Operator::ModAssign, "%= ", nullptr},
    {Operator::MulAssign, "*= ", nullptr},
    {Operator::DivAssign, "/= ", nullptr},
    {Operator::AddAssign, "+= ", nullptr},
    {Operator::SubAssign, "-= ", nullptr},
    {Operator::AndAssign, "&= ", nullptr},
    {Operator::OrAssign, "|= ", nullptr},
    {Operator::XorAssign, "^= ", nullptr},
    {Operator::ShlAssign, "<<= ", nullptr},
    {Operator::ShrAssign, ">>= ", nullptr},
    {Operator::Assign, "= ", nullptr},
    {Operator::Plus, "+ ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tADD.W\tR1,R0\n\tPUSH.W\tR0\n"},
    {Operator::Minus, "- ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tSUB.W\tR1,R0\n\tPUSH.W\tR0\n"},
    // Values are unsigned words: a signed divide would give wrong quotients.
    {Operator::Divide, "/ ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tXOR.W\tE0,E0\n\tDIVXU.W\tR1,ER0\n\tPUSH.W\tR0\n"},
    {Operator::Multiply, "* ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tMULXU.W\tR1,ER0\n\tPUSH.W\tR0\n"},
    {Operator::Remainder, "% ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_MOD:24\n\tPUSH.W\tR0\n"},
    {Operator::NotEqual, "!= ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_NEQ:24\n\tPUSH.W\tR0\n"},
    {Operator::GreaterEqual, ">= ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_GEQ:24\n\tPUSH.W\tR0\n"},
    {Operator::Greater, "> ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_GTR:24\n\tPUSH.W\tR0\n"},
    {Operator::LessEqual, "<= ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_GEQ:24\n\tPUSH.W\tR0\n"},
    {Operator::Less, "< ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_GTR:24\n\tPUSH.W\tR0\n"},
    {Operator::Equal, "== ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tJSR\t@H8_M_CMP:24\n\tPUSH.W\tR0\n"},
    {Operator::ShiftLeft, "<< ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_SHIFTL:24\n\tPUSH.W\tR0\n"},
    {Operator::ShiftRight, ">> ", "\tPOP.W\tR1\n\tPOP.W\tR0\n\tJSR\t@H8_M_SHIFTR:24\n\tPUSH.W\tR0\n"},
    {Operator::LogicalAnd, "&& ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tMULXU.W\tR1,ER0\n\tOR.W\tE0,R0\n\tPUSH.W\tR0\n"},
    {Operator::BitAnd, "& ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tAND.W\tR1,R0\n\tPUSH.W\tR0\n"},
    {Operator::LogicalOr, "|| ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tOR.W\tR1,R0\n\tPUSH.W\tR0\n"},
    {Operator::BitOr, "| ", "\tPOP.W\tR0\n\tPOP.W\tR1\n\tOR.W\tR1,R0\n\tPUSH.W\tR0\n"},
};

// The operator of a code 2..34.
const OperatorDef& operator_def(int code);
inline int operator_byte(int code) { return code + kOperatorBase; }

}  // namespace corvel::codegen
