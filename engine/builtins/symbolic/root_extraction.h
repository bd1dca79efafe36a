// The roots of a power: u^w = r rewritten as equations for u.
#pragma once

#include "values/value.h"

namespace symcalc {

// For a rational exponent n/d (a double is made exact first), the n
// equations u = z^d * r^(d/n), z running through the n-th roots of unity,
// joined with "|"; for any other exponent the one equation u = r^(1/w).
// Null when the exponent's numerator is 0 or larger than a thousand: no
// sensible set of roots to list.
Value* ExtractRoots(const Value* u, const Value* w, const Value* r);

}  // namespace symcalc
