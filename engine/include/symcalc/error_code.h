// The codes of the engine's errors, each named after its message. A code is
// seen outside the engine (ErrorCodeOf, and the worksheet's explanations are
// indexed by it), so the enumerators keep their values: new codes go last.
#pragma once

#include <cstdint>

namespace symcalc {

enum class ErrorCode : std::int16_t {
  DivisionByZero = 0,               // Division by 0.
  IllegalNumberFormat = 1,          // Illegal number format.
  IllegalComplexFormat = 2,         // Illegal complex number format.
  IllegalBinaryDigits = 3,          // Illegal digits for radix 2.
  IllegalHexDigits = 4,             // Illegal digits for radix 16.
  NotASymbol = 5,                   // Is not a symbol.
  NotANumber = 6,                   // Is not a number-type.
  NotAReal = 7,                     // Is not a real-number.
  NotARational = 8,                 // Is not a rational-number.
  NotAnInteger = 9,                 // Is not a integer-number.
  CloseParenWithoutOpen = 10,       // ')' without '('.
  OpenParenWithoutClose = 11,       // '(' without ')'.
  IllegalFunctionFormat = 12,       // Illegal function format.
  FunctionNotDeclared = 13,         // Function is not declared.
  WrongParameterCount = 14,         // Incorrect number of parameters.
  IllegalStringFormat = 15,         // Illegal string format.
  ConstantAlreadyDeclared = 16,     // Constant is already declared.
  IllegalVariableName = 17,         // Variablename is not correct.
  NotAStringSymbolOrVariable = 18,  // Is not a string, symbol or variable.
  NotAnAnalysisTerm = 19,           // Is not a correct analysis-term.
  CannotDifferentiate = 20,         // Cannot differential function.
  VariableNotDeclared = 21,         // Variable is not declared.
  ConstantCannotBeDeleted = 22,     // Constant cannot delete.
  NotABoolean = 23,                 // Is not a boolean.
  NotAString = 24,                  // Is not a string.
  ArraySizeBelowOne = 25,           // Illegal array-size (lower as 1).
  ArraySizeTooLarge = 26,           // Illegal array-size (width*height greater as 32767).
  IllegalArrayFormat = 27,          // Illegal array format.
  ArrayRowSizesDiffer = 28,         // Array-size is not equal.
  CloseBracketWithoutOpen = 29,     // ']' without '['.
  OpenBracketWithoutClose = 30,     // '[' without ']'.
  NotAnArray = 31,                  // Is not an array.
  NotSquare = 32,                   // Width and height is not equal.
  DeterminantSizeBelowTwo = 33,     // Illegal array-size by determinant (lower as 2).
  IllegalDeterminantNumber = 34,    // Illegal number by determinant.
  ArrayOperand = 35,                // Illegal operand is array.
  ArraySizesDiffer = 36,            // Array-sizes is not equal.
  NotAVector = 37,                  // Is not a vector.
  IllegalFunctionName = 38,         // Functionname is not correct.
  TooManyParameters = 39,           // Maximum of parameter is 4.
  UserFunctionNotDeclared = 40,     // Function is not declared.
  FunctionAlreadyDeclared = 41,     // Function is already declared.
  ParameterNamesNotDistinct = 42,   // Parameternames must be different.
  ArrayIndexOutOfBounds = 43,       // Array index out of bounds.
  ArrayInArray = 44,                // Array cannot in array.
  FunctionCannotBeDeleted = 45,     // Function cannot delete.
  NotARangeOrOperator = 46,         // Is not a range or an operator.
  NotAnError = 47,                  // Is not an error.
  NotAFunction = 48,                // Is not a function.
  ArgumentIndexOutOfBounds = 49,    // Argument index out of bounds.
  IllegalSetFormat = 50,            // Illegal set format.
  NotASet = 51,                     // Is not a set.
  CloseBraceWithoutOpen = 52,       // '}' without '{'.
  OpenBraceWithoutClose = 53,       // '{' without '}'.
  NotAnEquation = 54,               // Is not an equation.
  NotASolveTerm = 55,               // Is not a correct solve-term.
  NotARange = 56,                   // Is not a range.
  NotAnArrayOrSet = 57,             // Is not an array or set.
  SetIndexOutOfBounds = 58,         // Set index out of bounds.
  NotASetofSymbol = 59,             // Is not a setof-symbol.
};

inline constexpr int kErrorCount = static_cast<int>(ErrorCode::NotASetofSymbol) + 1;

}  // namespace symcalc
