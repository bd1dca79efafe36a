// The table of error messages, indexed by error code.
#include <array>

#include "state/engine_state.h"

namespace symcalc {
namespace {

constexpr std::array<std::string_view, kErrorCount> kMessages = {
    "Division by 0.",
    "Illegal number format.",
    "Illegal complex number format.",
    "Illegal digits for radix 2.",
    "Illegal digits for radix 16.",
    "Is not a symbol.",
    "Is not a number-type.",
    "Is not a real-number.",
    "Is not a rational-number.",
    "Is not a integer-number.",
    "')' without '('.",
    "'(' without ')'.",
    "Illegal function format.",
    "Function is not declared.",
    "Incorrect number of parameters.",
    "Illegal string format.",
    "Constant is already declared.",
    "Variablename is not correct.",
    "Is not a string, symbol or variable.",
    "Is not a correct analysis-term.",
    "Cannot differential function.",
    "Variable is not declared.",
    "Constant cannot delete.",
    "Is not a boolean.",
    "Is not a string.",
    "Illegal array-size (lower as 1).",
    "Illegal array-size (width*height greater as 32767).",
    "Illegal array format.",
    "Array-size is not equal.",
    "']' without '['.",
    "'[' without ']'.",
    "Is not an array.",
    "Width and height is not equal.",
    "Illegal array-size by determinant (lower as 2).",
    "Illegal number by determinant.",
    "Illegal operand is array.",
    "Array-sizes is not equal.",
    "Is not a vector.",
    "Functionname is not correct.",
    "Maximum of parameter is 4.",
    "Function is not declared.",
    "Function is already declared.",
    "Parameternames must be different.",
    "Array index out of bounds.",
    "Array cannot in array.",
    "Function cannot delete.",
    "Is not a range or an operator.",
    "Is not an error.",
    "Is not a function.",
    "Argument index out of bounds.",
    "Illegal set format.",
    "Is not a set.",
    "'}' without '{'.",
    "'{' without '}'.",
    "Is not an equation.",
    "Is not a correct solve-term.",
    "Is not a range.",
    "Is not an array or set.",
    "Set index out of bounds.",
    "Is not a setof-symbol.",
};

}  // namespace

std::string_view ErrorText(int code) {
  if (code < 0 || code >= kErrorCount) return {};
  return kMessages[code];
}

}  // namespace symcalc
