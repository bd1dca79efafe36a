// The table of error messages, one row per error code in code order.
#include <array>

#include "state/engine_state.h"

namespace symcalc {
namespace {

struct ErrorEntry {
  ErrorCode code;
  std::string_view text;
};

constexpr std::array<ErrorEntry, kErrorCount> kMessages = {{
    {ErrorCode::DivisionByZero, "Division by 0."},
    {ErrorCode::IllegalNumberFormat, "Illegal number format."},
    {ErrorCode::IllegalComplexFormat, "Illegal complex number format."},
    {ErrorCode::IllegalBinaryDigits, "Illegal digits for radix 2."},
    {ErrorCode::IllegalHexDigits, "Illegal digits for radix 16."},
    {ErrorCode::NotASymbol, "Is not a symbol."},
    {ErrorCode::NotANumber, "Is not a number-type."},
    {ErrorCode::NotAReal, "Is not a real-number."},
    {ErrorCode::NotARational, "Is not a rational-number."},
    {ErrorCode::NotAnInteger, "Is not a integer-number."},
    {ErrorCode::CloseParenWithoutOpen, "')' without '('."},
    {ErrorCode::OpenParenWithoutClose, "'(' without ')'."},
    {ErrorCode::IllegalFunctionFormat, "Illegal function format."},
    {ErrorCode::FunctionNotDeclared, "Function is not declared."},
    {ErrorCode::WrongParameterCount, "Incorrect number of parameters."},
    {ErrorCode::IllegalStringFormat, "Illegal string format."},
    {ErrorCode::ConstantAlreadyDeclared, "Constant is already declared."},
    {ErrorCode::IllegalVariableName, "Variablename is not correct."},
    {ErrorCode::NotAStringSymbolOrVariable, "Is not a string, symbol or variable."},
    {ErrorCode::NotAnAnalysisTerm, "Is not a correct analysis-term."},
    {ErrorCode::CannotDifferentiate, "Cannot differential function."},
    {ErrorCode::VariableNotDeclared, "Variable is not declared."},
    {ErrorCode::ConstantCannotBeDeleted, "Constant cannot delete."},
    {ErrorCode::NotABoolean, "Is not a boolean."},
    {ErrorCode::NotAString, "Is not a string."},
    {ErrorCode::ArraySizeBelowOne, "Illegal array-size (lower as 1)."},
    {ErrorCode::ArraySizeTooLarge, "Illegal array-size (width*height greater as 32767)."},
    {ErrorCode::IllegalArrayFormat, "Illegal array format."},
    {ErrorCode::ArrayRowSizesDiffer, "Array-size is not equal."},
    {ErrorCode::CloseBracketWithoutOpen, "']' without '['."},
    {ErrorCode::OpenBracketWithoutClose, "'[' without ']'."},
    {ErrorCode::NotAnArray, "Is not an array."},
    {ErrorCode::NotSquare, "Width and height is not equal."},
    {ErrorCode::DeterminantSizeBelowTwo, "Illegal array-size by determinant (lower as 2)."},
    {ErrorCode::IllegalDeterminantNumber, "Illegal number by determinant."},
    {ErrorCode::ArrayOperand, "Illegal operand is array."},
    {ErrorCode::ArraySizesDiffer, "Array-sizes is not equal."},
    {ErrorCode::NotAVector, "Is not a vector."},
    {ErrorCode::IllegalFunctionName, "Functionname is not correct."},
    {ErrorCode::TooManyParameters, "Maximum of parameter is 4."},
    {ErrorCode::UserFunctionNotDeclared, "Function is not declared."},
    {ErrorCode::FunctionAlreadyDeclared, "Function is already declared."},
    {ErrorCode::ParameterNamesNotDistinct, "Parameternames must be different."},
    {ErrorCode::ArrayIndexOutOfBounds, "Array index out of bounds."},
    {ErrorCode::ArrayInArray, "Array cannot in array."},
    {ErrorCode::FunctionCannotBeDeleted, "Function cannot delete."},
    {ErrorCode::NotARangeOrOperator, "Is not a range or an operator."},
    {ErrorCode::NotAnError, "Is not an error."},
    {ErrorCode::NotAFunction, "Is not a function."},
    {ErrorCode::ArgumentIndexOutOfBounds, "Argument index out of bounds."},
    {ErrorCode::IllegalSetFormat, "Illegal set format."},
    {ErrorCode::NotASet, "Is not a set."},
    {ErrorCode::CloseBraceWithoutOpen, "'}' without '{'."},
    {ErrorCode::OpenBraceWithoutClose, "'{' without '}'."},
    {ErrorCode::NotAnEquation, "Is not an equation."},
    {ErrorCode::NotASolveTerm, "Is not a correct solve-term."},
    {ErrorCode::NotARange, "Is not a range."},
    {ErrorCode::NotAnArrayOrSet, "Is not an array or set."},
    {ErrorCode::SetIndexOutOfBounds, "Set index out of bounds."},
    {ErrorCode::NotASetofSymbol, "Is not a setof-symbol."},
}};

// The table is looked up by position, so each row must sit at its own code.
constexpr bool InCodeOrder() {
  for (int i = 0; i < kErrorCount; ++i)
    if (static_cast<int>(kMessages[i].code) != i) return false;
  return true;
}
static_assert(InCodeOrder());

}  // namespace

std::string_view ErrorText(ErrorCode code) {
  const int index = static_cast<int>(code);
  if (index < 0 || index >= kErrorCount) return {};
  return kMessages[index].text;
}

}  // namespace symcalc
