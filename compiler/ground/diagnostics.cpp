#include "ground/diagnostics.hpp"

#include "ground/messages.hpp"

namespace corvel::ground {

namespace {

struct Check {
  Diag check;
  int number;
  const char* format;
};

// Several checks share a message; the number tells them apart.
constexpr Check kChecks[] = {
    {Diag::Internal, 0, nullptr},
    {Diag::PassLengths, 0, msg::kInternalError},
    {Diag::NotAName, 0, msg::kNotAName},
    {Diag::ProgramTooBig, 0, msg::kProgramTooBig},
    {Diag::ProgramTooBigOverlay, 0, msg::kProgramTooBigOverlay},
    {Diag::FrameTooBigAfterItem, 3480, msg::kFrameTooBigBase},
    {Diag::AsmNotWritten, 0, msg::kOutputOpenError},
    {Diag::NotALabelName, 0, msg::kNotALabelName},
    {Diag::AsmInInterpreter, 163, msg::kAsmInInterpreter},
    {Diag::EndAsmMissing, 181, msg::kEndAsmMissing},
    {Diag::BadBitNumber, 267, msg::kBadBitNumber},
    {Diag::BadPortSlot, 278, msg::kBadPortSlot},
    {Diag::OperandKind, 328, nullptr},
    {Diag::ReadDirectionBit, 350, msg::kReadDirectionPort},
    {Diag::ReadDirectionPin, 368, msg::kReadDirectionPort},
    {Diag::LoadKind, 571, nullptr},
    {Diag::NoNativeOperator, 731, nullptr},
    {Diag::ConstantOutOfRange, 758, msg::kConstantOutOfRange},
    {Diag::NoResultInExpression, 788, msg::kNoReturnValue},
    {Diag::TooFewArguments, 799, nullptr},
    {Diag::ExprNeedsWordName, 812, msg::kNeedWordVariable},
    {Diag::ExprNeedsArrayName, 817, msg::kNeedArray},
    {Diag::ExprNeedsWordVariable, 837, msg::kNeedWordVariable},
    {Diag::ExprNeedsArray, 842, msg::kNeedArray},
    {Diag::ExprUnusableName, 911, msg::kUnsupportedVariable},
    {Diag::ExprUnusableArgument, 917, msg::kUnsupportedVariable},
    {Diag::ExprArgumentCount, 939, msg::kParameterCount},
    {Diag::UnusableOperand, 1021, nullptr},
    {Diag::UnknownItem, 1025, nullptr},
    {Diag::IfParen, 1039, msg::kNoLeftParen},
    {Diag::WhileTooDeep, 1131, msg::kLoopsTooDeep},
    {Diag::WhileParen, 1139, msg::kNoLeftParen},
    {Diag::WhileContinueTwice, 1201, msg::kDuplicate},
    {Diag::WhileBreakTwice, 1213, msg::kDuplicate},
    {Diag::DoTooDeep, 1236, msg::kLoopsTooDeep},
    {Diag::DoWithoutWhile, 1265, msg::kWhileMissing},
    {Diag::DoParen, 1270, msg::kNoLeftParen},
    {Diag::DoContinueTwice, 1307, msg::kDuplicate},
    {Diag::DoBreakTwice, 1319, msg::kDuplicate},
    {Diag::DoSemicolon, 1335, msg::kDoNoSemicolon},
    {Diag::GotoNotLabel, 1348, msg::kGotoNotLabel},
    {Diag::GotoSemicolon, 1353, msg::kGotoNoSemicolon},
    {Diag::GotoTargetMissing, 1360, msg::kGotoTargetMissing},
    {Diag::BreakSemicolon, 1386, msg::kBreakNoSemicolon},
    {Diag::BreakOutsideLoop, 1391, msg::kBreakOutsideLoop},
    {Diag::BreakTargetMissing, 1399, msg::kBreakTargetMissing},
    {Diag::ContinueSemicolon, 1424, msg::kContinueNoSemicolon},
    {Diag::ContinueOutsideLoop, 1429, msg::kContinueOutsideLoop},
    {Diag::ContinueTargetMissing, 1437, msg::kContinueTargetMissing},
    {Diag::BadPortNumber, 1466, msg::kBadPortNumber},
    {Diag::BadPinNumber, 1482, msg::kBadPinNumber},
    {Diag::PinNotMapped, 1489, msg::kPinNotMapped},
    {Diag::UnexpectedEnd, 1520, msg::kUnexpectedEnd},
    {Diag::SemicolonInCondition, 1538, msg::kBadProgram},
    {Diag::NoArrayLeftBracket, 1551, msg::kNoArrayLeftBracket},
    {Diag::NoArrayRightBracket, 1559, msg::kNoArrayRightBracket},
    {Diag::NoCallLeftParen, 1584, msg::kNoFuncLeftParen},
    {Diag::BadParameter, 1599, msg::kBadParameter},
    {Diag::Undeclared, 1625, msg::kUndeclared},
    {Diag::OperandAfterName, 1634, msg::kBadForm},
    {Diag::UnsupportedOperator, 1676, msg::kUnsupportedOperator},
    {Diag::OperandAfterNumber, 1692, msg::kBadForm},
    {Diag::UnexpectedToken, 1698, nullptr},
    {Diag::ExpressionTooComplex, 1716, msg::kExpressionTooComplex},
    {Diag::TargetIndexKind, 1783, msg::kOnlyByteWordVariables},
    {Diag::TargetIndexToken, 1789, msg::kOnlyByteWordVariables},
    {Diag::TargetIndexBracket, 1794, msg::kNoArrayCloseBracket},
    {Diag::LabelTwice, 1976, msg::kDuplicate},
    {Diag::ControlArgument, 2146, msg::kOnlyVariablesOrPorts},
    {Diag::NeedsWordName, 2161, msg::kNeedWordVariable},
    {Diag::NeedsArrayName, 2166, msg::kNeedArray},
    {Diag::VoltageRange, 2196, msg::kVoltageRange},
    {Diag::NeedsWordVariable, 2216, msg::kNeedWordVariable},
    {Diag::NeedsArray, 2221, msg::kNeedArray},
    {Diag::ValueArgument, 2294, msg::kOnlyByteWordVariables},
    {Diag::NeedsString, 2304, msg::kNeedString},
    // In byte code a string ends at its first 0 byte; the rest would run as code.
    {Diag::ZeroInString, 2310, msg::kZeroInString},
    {Diag::CallSeparator, 2340, msg::kBadCallParameter},
    {Diag::CallRightParen, 2364, msg::kNoFuncRightParen},
    {Diag::CallSemicolon, 2369, msg::kNoCallSemicolon},
    {Diag::FunctionCallParen, 2384, msg::kNoFuncRightParen},
    {Diag::FunctionCallSemicolon, 2389, msg::kNoCallSemicolon},
    {Diag::FunctionUndefined, 2404, msg::kFunctionUndefined},
    {Diag::CompoundAssignment, 2442, msg::kUnsupportedOperator},
    {Diag::NotAnArray, 2449, msg::kNotAnArray},
    {Diag::NoEquals, 2462, msg::kNoEquals},
    {Diag::AssignPortBit, 2517, msg::kAssignPortBit},
    {Diag::AssignPinOfPort, 2568, msg::kAssignPortBit},
    {Diag::TargetNotVariable, 2583, msg::kTargetNotVariable},
    {Diag::TargetNotName, 2590, msg::kTargetNotVariable},
    {Diag::UnsupportedForm, 2609, msg::kUnsupportedForm},
    {Diag::DataReqPortRegister, 0, nullptr},
    {Diag::DefineName, 2676, msg::kNeedName},
    {Diag::DefineValue, 2684, msg::kNeedNameOrNumber},
    {Diag::DefineTwice, 2690, msg::kDuplicate},
    {Diag::PortBitForm, 2718, msg::kBadPortBitForm},
    {Diag::TooManyBitsP, 2724, msg::kTooManyBits},
    {Diag::TooManyBitsPin, 2737, msg::kTooManyBits},
    {Diag::PinOutOfRange, 2742, msg::kPinOutOfRange},
    {Diag::PortPinNotMapped, 2747, msg::kPinNotMapped},
    {Diag::BadPinForm, 2756, msg::kBadPinForm},
    {Diag::NoPortName, 2772, msg::kNoPortName},
    {Diag::BadPortFormat, 2777, msg::kBadPortFormat},
    {Diag::TooManyPorts, 2784, msg::kTooManyPorts},
    {Diag::PortAfterDeclarations, 2869, msg::kPortAfterDecl},
    {Diag::DefineAfterCode, 2877, msg::kDefineAfterCode},
    {Diag::VariableAfterCode, 2893, msg::kVarAfterCode},
    {Diag::NoVariableName, 2907, msg::kNoVarName},
    {Diag::VariableTwice, 2916, msg::kDuplicate},
    {Diag::WordArrayOdd, 2951, msg::kWordOddAddress},
    {Diag::ArraySizeNotConstant, 2960, msg::kArraySizeNotConst},
    {Diag::ArrayNoClose, 2965, msg::kArrayNoClose},
    {Diag::ListBeyondByte, 2992, msg::kInitBeyondByte},
    {Diag::ListBeyondWord, 2997, msg::kInitBeyondWord},
    {Diag::ListFormat, 3029, msg::kBadInitializer},
    {Diag::InitializerFormat, 3035, msg::kBadInitializer},
    {Diag::ArrayTooSmall, 3048, msg::kArrayTooSmall},
    {Diag::ArraySeparator, 3067, msg::kNoCommaOrSemicolon},
    {Diag::ScalarBeyondByte, 3084, msg::kInitBeyondByte},
    {Diag::ScalarBeyondWord, 3089, msg::kInitBeyondWord},
    {Diag::ScalarSeparator, 3096, msg::kNoCommaOrSemicolon},
    {Diag::WordScalarOdd, 3119, msg::kWordOddAddress},
    {Diag::TooManyOverlays, 3157, msg::kTooManyOverlays},
    {Diag::BaseFrameTooBig, 3167, msg::kFrameTooBig},
    {Diag::FrameTooBig, 3177, msg::kFrameTooBigBase},
    {Diag::FunctionLeftParen, 3200, msg::kNoFuncLeftParen},
    {Diag::FunctionRightParen, 3205, msg::kNoFuncRightParen},
    {Diag::FunctionLeftBrace, 3210, msg::kNoFuncLeftBrace},
    {Diag::FunctionTwice, 3219, msg::kDuplicate},
    {Diag::TooManyFunctions, 3232, msg::kTooManyFunctions},
    {Diag::FunctionNameTooLong, 3237, msg::kFuncNameTooLong},
    {Diag::FileOpen, 0, msg::kFileOpenErrorLn},
    {Diag::FileFormat, 0, msg::kFileFormatError},
    {Diag::ImportOpen, 0, msg::kImportOpenError},
    {Diag::UpdateOverflow, 0, msg::kUpdateOverflow},
    {Diag::SymbolNotFound, 0, msg::kSymbolNotFound},
    {Diag::HexRead, 0, msg::kHexReadError},
    {Diag::ImportTooBig, 0, msg::kImportTooBig},
};

constexpr bool in_order() {
  int i = 0;
  for (const Check& c : kChecks)
    if (static_cast<int>(c.check) != i++) return false;
  return i == static_cast<int>(Diag::Count);
}
static_assert(in_order(), "the table lists every check once, in the order of the enumeration");

}  // namespace

int diag_number(Diag check) { return kChecks[static_cast<int>(check)].number; }

const char* diag_format(Diag check) { return kChecks[static_cast<int>(check)].format; }

void raise_failure(Diag check, std::string message, std::string trace) {
  throw Failure{check, std::move(message), std::move(trace)};
}

}  // namespace corvel::ground
