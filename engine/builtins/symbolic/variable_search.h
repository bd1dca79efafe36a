// Whether a value depends on a named variable.
#pragma once

#include <string_view>

#include "values/value.h"

namespace symcalc {

// True when t mentions the name: as a string, symbol or variable of that
// text, or anywhere inside function arguments, array cells, set elements,
// complex parts and operator operands.
bool ContainsVariable(const Value* t, std::string_view name);

// True when `text` could be typed as a variable name: letters, digits and
// underscores, not starting with a digit.
bool IsVariableName(std::string_view text);

}  // namespace symcalc
