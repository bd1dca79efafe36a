// Determinants of square arrays.
#pragma once

#include "values/value.h"

namespace symcalc {

// The determinant of a square array (width == height, checked by the caller).
//
// The value is that of the Laplace expansion along the first row, with
// cofactors computed the same way and all cell arithmetic done by Add and
// Multiply, so symbolic, double and error cells give what that expansion
// gives. Up to kLargestExpansion rows the expansion itself is computed, each
// minor once; larger matrices of numbers are eliminated instead, exactly when
// all cells are integers or fractions.
Value* Determinant(const Value* square);

inline constexpr int kLargestExpansion = 16;

// Laplace expansion along the first row, each minor computed once.
Value* ExpandDeterminant(const Value* square);

}  // namespace symcalc
