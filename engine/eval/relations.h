// Relations and logic operators: booleans when decidable, symbolic relation
// nodes when an operand is symbolic.
#pragma once

#include "values/value.h"

namespace symcalc {

Value* GreaterOrEqual(const Value* a, const Value* b, Value* out = nullptr);
Value* NotEqual(const Value* a, const Value* b, Value* out = nullptr);
Value* And(const Value* a, const Value* b, Value* out = nullptr);
Value* Or(const Value* a, const Value* b, Value* out = nullptr);
Value* Xor(const Value* a, const Value* b, Value* out = nullptr);

// Convenience: evaluates the relation and tells whether it yields true.
bool GreaterHolds(const Value* a, const Value* b);
bool EqualHolds(const Value* a, const Value* b);
bool GreaterOrEqualHolds(const Value* a, const Value* b);

}  // namespace symcalc
