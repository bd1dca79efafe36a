// The degree of a term as a polynomial in one variable, and the coefficients
// of its summands, for the polynomial steps of solve.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "values/value.h"

namespace symcalc {

// One summand: the product of its factors other than the variable, and the
// variable's exponent in it.
struct CoefficientEntry {
  Held coefficient;
  std::int64_t power = 0;
};
using CoefficientList = std::vector<CoefficientEntry>;

enum PolynomialFlags : int {
  kDescendIntoSums = 1,
  kRecordCoefficients = 2,
};

// The degree of t in the variable `name`: 0 for a term free of it, -1 (or
// another negative number) when t is not a polynomial in it. With
// kDescendIntoSums a sum is analysed summand by summand; without
// kRecordCoefficients a sum with a summand free of the variable has degree 0,
// so a positive answer means the variable divides every summand. With
// kRecordCoefficients each summand appends one entry to `list`.
std::int64_t PolynomialDegree(const Value* t, std::string_view name, int flags,
                              CoefficientList* list = nullptr);

}  // namespace symcalc
