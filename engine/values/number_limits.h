// Number constants and the exact-quotient constructor shared by the arithmetic.
#pragma once

#include "values/value.h"

namespace symcalc {

// Doubles strictly inside (-SnapBound(), SnapBound()) are stored as 0.0.
double SnapBound();
// The double nearest to pi; the engine's pi is always this double.
double PiValue();
// n / d reduced: a qword for denominator 1, a ratio when both parts fit 32
// bits, otherwise the double quotient; d = 0 is "Division by 0.".
Value* MakeExactQuotient(__int128 n, __int128 d, Value* out = nullptr);
// Numerator and denominator of a qword (denominator 1) or ratio.
void FractionParts(const Value* v, __int128& n, __int128& d);

}  // namespace symcalc
