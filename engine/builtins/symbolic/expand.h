// Expansion and factoring out, shared by the builtins and by solve.
#pragma once

#include "values/value.h"

namespace symcalc {

// Multiplies out products of sums and integer powers of sums in e (and in
// both sides of equations and other operator nodes).
Value* Expand(const Value* e);

// f times the expanded e / f for a sum e; the expanded e^(1/f), raised to f,
// for a product; e itself otherwise.
Value* FactorOut(const Value* e, const Value* f);

}  // namespace symcalc
