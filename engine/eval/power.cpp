// The operator "^" for the layers that evaluate expressions.
#include "eval/arithmetic.h"

namespace symcalc {
namespace {

NumericPower g_numericPower = nullptr;

}  // namespace

void InstallNumericPower(NumericPower power) { g_numericPower = power; }

Value* Power(const Value* base, const Value* exponent, Value* out) {
  Value* const args[2] = {const_cast<Value*>(base), const_cast<Value*>(exponent)};
  return g_numericPower(args, out);
}

}  // namespace symcalc
