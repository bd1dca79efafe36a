// Comparison of numbers: exact between qword and ratio values (integers as
// integers, ratios by cross-multiplication), by double value when a double is
// involved.
#pragma once

#include "values/value.h"

namespace symcalc {

// For two real numbers: -1, 0 or 1; `unordered` is set for a NaN operand.
int CompareReal(const Value* a, const Value* b, bool* unordered);
// Greater for two numbers (a complex operand is never greater).
bool NumberGreater(const Value* a, const Value* b);
// Equal for two numbers; complex numbers compare part by part.
bool NumberEqual(const Value* a, const Value* b);

}  // namespace symcalc
