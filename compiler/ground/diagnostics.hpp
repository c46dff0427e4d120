// The checks of the compiler: each names its diagnostic number (0: none) and
// its message, and a failed check unwinds to the entry of the library.
#pragma once

#include <string>

#include "ground/text.hpp"

namespace corvel::ground {

enum class Diag {
  // The driver and the program structure.
  Internal, PassLengths, NotAName, ProgramTooBig, ProgramTooBigOverlay, FrameTooBigAfterItem, AsmNotWritten,
  NotALabelName, AsmInInterpreter, EndAsmMissing,
  // Operands and expressions.
  BadBitNumber, BadPortSlot, OperandKind, ReadDirectionBit, ReadDirectionPin, LoadKind, NoNativeOperator,
  ConstantOutOfRange, NoResultInExpression, TooFewArguments, ExprNeedsWordName, ExprNeedsArrayName,
  ExprNeedsWordVariable, ExprNeedsArray, ExprUnusableName, ExprUnusableArgument, ExprArgumentCount,
  UnusableOperand, UnknownItem,
  // Control statements.
  IfParen, WhileTooDeep, WhileParen, WhileContinueTwice, WhileBreakTwice, DoTooDeep, DoWithoutWhile, DoParen,
  DoContinueTwice, DoBreakTwice, DoSemicolon, GotoNotLabel, GotoSemicolon, GotoTargetMissing, BreakSemicolon,
  BreakOutsideLoop, BreakTargetMissing, ContinueSemicolon, ContinueOutsideLoop, ContinueTargetMissing,
  // The expression parser.
  BadPortNumber, BadPinNumber, PinNotMapped, UnexpectedEnd, SemicolonInCondition, NoArrayLeftBracket,
  NoArrayRightBracket, NoCallLeftParen, BadParameter, Undeclared, OperandAfterName, UnsupportedOperator,
  OperandAfterNumber, UnexpectedToken, ExpressionTooComplex,
  // Name statements and built-in calls.
  TargetIndexKind, TargetIndexToken, TargetIndexBracket, LabelTwice, ControlArgument, NeedsWordName,
  NeedsArrayName, VoltageRange, NeedsWordVariable, NeedsArray, ValueArgument, NeedsString, ZeroInString, CallSeparator,
  CallRightParen, CallSemicolon, FunctionCallParen, FunctionCallSemicolon, FunctionUndefined,
  CompoundAssignment, NotAnArray, NoEquals, AssignPortBit, AssignPinOfPort, TargetNotVariable, TargetNotName,
  UnsupportedForm, DataReqPortRegister,
  // Top-level items.
  DefineName, DefineValue, DefineTwice, PortBitForm, TooManyBitsP, TooManyBitsPin, PinOutOfRange,
  PortPinNotMapped, BadPinForm, NoPortName, BadPortFormat, TooManyPorts, PortAfterDeclarations,
  DefineAfterCode, VariableAfterCode, NoVariableName, VariableTwice, WordArrayOdd, ArraySizeNotConstant,
  ArrayNoClose, ListBeyondByte, ListBeyondWord, ListFormat, InitializerFormat, ArrayTooSmall, ArraySeparator,
  ScalarBeyondByte, ScalarBeyondWord, ScalarSeparator, WordScalarOdd, TooManyOverlays, BaseFrameTooBig,
  FrameTooBig, FunctionLeftParen, FunctionRightParen, FunctionLeftBrace, FunctionTwice, TooManyFunctions,
  FunctionNameTooLong,
  // Files of the output layer; their messages end with their own line end.
  FileOpen, FileFormat, ImportOpen, UpdateOverflow, SymbolNotFound, HexRead, ImportTooBig,
  Count
};

// The diagnostic number (0 when the check has none) and the message format
// (null when the check reports no text of its own).
int diag_number(Diag check);
const char* diag_format(Diag check);

// What a failed check reports: its message, and a trace line that some
// checks print before it.
struct Failure {
  Diag check;
  std::string message;
  std::string trace;
};

[[noreturn]] void raise_failure(Diag check, std::string message, std::string trace = {});

// Fails the check with its message formatted from `args` (ints and C strings).
template <class... Args>
[[noreturn]] void fail(Diag check, Args... args) {
  const char* format = diag_format(check);
  raise_failure(check, format ? format_text_unchecked(format, args...) : std::string());
}

// The same, with a trace line printed before the message.
template <class... Args>
[[noreturn]] void fail_traced(Diag check, std::string trace, Args... args) {
  const char* format = diag_format(check);
  raise_failure(check, format ? format_text_unchecked(format, args...) : std::string(), std::move(trace));
}

}  // namespace corvel::ground
