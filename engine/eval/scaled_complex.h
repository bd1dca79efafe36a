// Complex quotients and magnitudes in doubles, scaled by powers of two so that
// no partial product decides the result by overflowing or vanishing.
#pragma once

#include "values/value.h"

namespace symcalc {

struct ComplexDouble {
  double re = 0.0;
  double im = 0.0;
};

// The parts of a real number, or of a complex one whose parts are real
// numbers, as finite doubles; false for anything else (an infinity, NaN, a
// symbolic part).
bool FiniteParts(const Value* v, ComplexDouble& z);

// p / q for q = c + di (not 0), with both scaled to magnitudes near 1 first.
ComplexDouble ScaledQuotient(ComplexDouble p, ComplexDouble q);

// sqrt(a*a + b*b) without overflow or underflow of the squares; bit for bit
// the plain formula wherever that one stays in range.
double ScaledMagnitude(ComplexDouble z);

// Whether s and t point into opposite half-planes (the real part of
// s*conj(t) is negative), so that s + t loses digits to cancellation.
bool OppositeDirections(ComplexDouble s, ComplexDouble t);

}  // namespace symcalc
