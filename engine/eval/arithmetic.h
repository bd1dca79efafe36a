// Arithmetic over the number tower, the infinities, strings, arrays and
// symbolic operands.
#pragma once

#include "values/value.h"

namespace symcalc {

Value* Negate(const Value* x, Value* out = nullptr);

}  // namespace symcalc
