// Arithmetic over the number tower, the infinities, strings, arrays and
// symbolic operands.
#pragma once

#include "values/value.h"

namespace symcalc {

Value* Negate(const Value* x, Value* out = nullptr);

// base^exponent, what the operator "^" computes: a symbolic side makes a power
// node in normal form, numbers their power.
Value* Power(const Value* base, const Value* exponent, Value* out = nullptr);
// Powers of numbers go through exp, log and abs of the number tower, which
// are builtins one layer up; that layer installs its power here when the
// engine starts (it follows the registry's calling contract).
using NumericPower = Value* (*)(Value* const* args, Value* out);
void InstallNumericPower(NumericPower power);

}  // namespace symcalc
