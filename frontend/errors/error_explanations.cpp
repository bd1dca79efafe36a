#include "errors/error_explanations.h"

#include <array>

#include "help/arity_hint.h"
#include "symcalc/engine.h"

namespace symcalc::gui {
namespace {

// One entry per error code, in code order.
constexpr std::array<std::string_view, kLastErrorCode + 1> kExplanations = {
    // 0
    "Something was divided by zero, or zero was raised to a negative power. Change the "
    "divisor or the exponent.",
    "This is not a number the calculator can read: look for a second decimal point, a sign "
    "in the wrong place, or an operator followed directly by a minus (write 2*(-3), not "
    "2*-3).",
    "A complex number is written #c(real part, imaginary part), with both parts inside the "
    "parentheses and a comma between them.",
    "A binary number (#b...) may contain only the digits 0 and 1.",
    "A hexadecimal number (#x...) may contain only the digits 0 to 9 and the letters a to f.",
    // 5
    "This needs a symbol here, a name in single quotes such as 'qword'.",
    "This needs a number here, but got text, a set, a range or another kind of value.",
    "This needs a real number here: a complex number or an infinity is not accepted.",
    "This needs an integer or a fraction here, not a decimal number.",
    "This needs a whole number here.",
    // 10
    "A closing parenthesis has no opening one before it. Remove it or add the missing \"(\".",
    "An opening parenthesis is never closed. Add the missing \")\".",
    "A function call is a name followed directly by its arguments in parentheses, such as "
    "sin(x); nothing may follow the closing parenthesis.",
    "No function has this name. Check the spelling, or define the function first, for "
    "example f(x):=x^2.",
    "The function was called with the wrong number of arguments; separate them with commas.",
    // 15
    "A text must be enclosed in double quotes (\"...\") and a symbol in single quotes "
    "('...'), with no further quote of the same kind inside.",
    "This name belongs to a constant, which keeps its value. Choose another name.",
    "A variable name may contain only lower-case letters, digits and _, and must not look "
    "like a number.",
    "Give the name as a variable, a symbol or a text.",
    "This cannot be differentiated: diff works on numbers and expressions, not on truth "
    "values, ranges, arrays, sets or relations.",
    // 20
    "diff knows no derivative for this function.",
    "No variable has this name, so there is nothing to remove.",
    "Constants cannot be removed.",
    "This needs true or false here, such as the result of a comparison.",
    "Text can only be joined to more text in double quotes.",
    // 25
    "An array needs at least one row and one column.",
    "An array may have at most 32767 cells in all.",
    "Write an array as rows in square brackets with the cells separated by commas, such as "
    "[1,2][3,4]; a cell cannot be empty or another array.",
    "Every row of an array must have as many cells as the first one.",
    "A closing square bracket has no opening one before it. Remove it or add the missing "
    "\"[\".",
    // 30
    "An opening square bracket is never closed. Add the missing \"]\".",
    "This needs an array here, such as [1,2][3,4].",
    "This needs a square array, with as many rows as columns.",
    "The array must have at least two rows and two columns.",
    "The determinant needs numbers or expressions in every cell.",
    // 35
    "An array cannot be used here; this works on single values.",
    "The arrays do not fit together: for adding they need the same size, for multiplying the "
    "first needs as many columns as the second has rows.",
    "This needs a vector: an array of a single row or a single column.",
    "A function is defined as name(parameters):=body, with the parameter names separated "
    "by commas, such as f(x,y):=x*y.",
    "A function can have at most four parameters.",
    // 40
    "No function has this name, so there is nothing to remove.",
    "A built-in function already has this name. Choose another name for your function.",
    "Each parameter of a function needs its own name.",
    "The index lies outside the array. Cells are counted from 0.",
    "An array cannot be the cell of another array.",
    // 45
    "Built-in functions cannot be removed, only the ones you defined.",
    "This needs an expression with an operator or a range here, such as x = -1..1 for plot.",
    "This needs an error value here.",
    "This needs a function application here, such as sin(x).",
    "The function has fewer arguments than the index asks for. Arguments are counted from "
    "0.",
    // 50
    "Write a set as elements between braces separated by commas, such as {1,2,3}, with "
    "nothing after the closing brace.",
    "This needs a set here, such as {1,2}.",
    "A closing brace has no opening one before it. Remove it or add the missing \"{\".",
    "An opening brace is never closed. Add the missing \"}\".",
    "This needs an equation here, such as x^2-2=0.",
    // 55
    "solve cannot isolate the variable in this equation.",
    "This needs a range here, such as 1..10.",
    "This needs an array or a set here.",
    "The index lies outside the set. Elements are counted from 0.",
    "This needs one of the type names listed by typelist, as a symbol in single quotes.",
};

// A table one entry short would leave the last codes without words, and a
// pasted entry would explain two messages the same.
constexpr bool EveryCodeHasWordsOfItsOwn() {
  for (std::size_t i = 0; i < kExplanations.size(); ++i) {
    if (kExplanations[i].empty()) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (kExplanations[i] == kExplanations[j]) return false;
  }
  return true;
}
static_assert(EveryCodeHasWordsOfItsOwn());

}  // namespace

std::string_view ErrorExplanation(int code) {
  if (code < 0 || code > kLastErrorCode) return {};
  return kExplanations[static_cast<std::size_t>(code)];
}

// The counts come from the engine, the one that checks them, so a function of
// the user's is told as truly as a builtin; the sentence is the input help's.
std::string ExpectedArgumentsText(std::string_view function) {
  int fewest = 0;
  int most = 0;
  if (!FunctionArgumentCounts(function, &fewest, &most)) return {};
  return help::ArityHint(function, most, most - fewest) + '.';
}

std::string ErrorTip(int code, std::string_view operand) {
  std::string tip(ErrorExplanation(code));
  if (code == kWrongArgumentCountCode) {
    const std::size_t open = operand.find('(');
    if (open != std::string_view::npos) {
      const std::string expected = ExpectedArgumentsText(operand.substr(0, open));
      if (!expected.empty()) tip += " " + expected;
    }
  }
  return tip;
}

}  // namespace symcalc::gui
