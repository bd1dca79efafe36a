// Exact determinants of large matrices of integers and fractions.
#pragma once

#include "values/value.h"

namespace symcalc {

// The determinant of a square array whose cells are all qword or ratio
// values, given as the arithmetic gives an exact value: a qword, a ratio, or
// the double of the quotient when the reduced parts do not fit those.
// Null when a row's common denominator does not fit 128 bits.
Value* ExactDeterminant(const Value* square);

}  // namespace symcalc
