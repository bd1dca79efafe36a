// Constructors whose operands are simplified first (MakeError, declared in
// the public header, is one of them).
#pragma once

#include "values/value.h"

namespace symcalc {

Value* MakeComplex(const Value* re, const Value* im, Value* out = nullptr);
// Passes an error on: same code, same operand.
Value* PassError(const Value* error, Value* out = nullptr);
Value* MakeRange(const Value* low, const Value* high, Value* out = nullptr);

}  // namespace symcalc
