// Number theory: parity, primes, factorial, factors and divisors.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinIszero(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIszero, args, 1, out);
}

Value* BuiltinIsodd(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIsodd, args, 1, out);
}

Value* BuiltinIseven(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIseven, args, 1, out);
}

Value* BuiltinIsprime(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIsprime, args, 1, out);
}

Value* BuiltinFactorial(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFactorial, args, 1, out);
}

Value* BuiltinFactors(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFactors, args, 1, out);
}

Value* BuiltinFactorset(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFactorset, args, 1, out);
}

Value* BuiltinDivisors(Value* const* args, Value* out) {
  return PendingApplication(BuiltinDivisors, args, 1, out);
}

}  // namespace symcalc
