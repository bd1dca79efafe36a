// The argument screening shared by the numeric builtins, and small helpers for
// calling one builtin from another.
#pragma once

#include "builtins/builtin_support.h"

namespace symcalc {

enum class Infinities : bool { Refused, Accepted };

// Simplifies `arg` into `held` and decides whether the builtin `self` can compute
// on it. Returns the finished answer (the argument's error, the unevaluated
// application for a symbolic argument, or "Is not a number-type.") or null
// when `held` is a number, or an infinity where they are accepted.
Value* ScreenArgument(BuiltinFn self, const Value* arg, Infinities infinities, Held& held,
                      Value* out);

// A builtin applied to one or two borrowed values; the caller owns the result.
Value* Apply(BuiltinFn f, const Value* a, const Value* b = nullptr);

bool IsPlusInfinity(const Value* v);
bool IsMinusInfinity(const Value* v);

// pi divided by `divisor` with the engine's division: pi/2 is 1.5707963267948966
// and pi/-2 its negation, both doubles.
Value* PiOver(std::int64_t divisor);

}  // namespace symcalc
