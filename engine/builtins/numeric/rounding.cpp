// Rounding and rational conversions.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinFloor(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFloor, args, 2, out);
}

Value* BuiltinCeiling(Value* const* args, Value* out) {
  return PendingApplication(BuiltinCeiling, args, 2, out);
}

Value* BuiltinTruncate(Value* const* args, Value* out) {
  return PendingApplication(BuiltinTruncate, args, 2, out);
}

Value* BuiltinRound(Value* const* args, Value* out) {
  return PendingApplication(BuiltinRound, args, 2, out);
}

Value* BuiltinNumerator(Value* const* args, Value* out) {
  return PendingApplication(BuiltinNumerator, args, 1, out);
}

Value* BuiltinDenominator(Value* const* args, Value* out) {
  return PendingApplication(BuiltinDenominator, args, 1, out);
}

Value* BuiltinRatio(Value* const* args, Value* out) {
  return PendingApplication(BuiltinRatio, args, 1, out);
}

Value* BuiltinRational(Value* const* args, Value* out) {
  return PendingApplication(BuiltinRational, args, 1, out);
}

Value* BuiltinFloat(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFloat, args, 1, out);
}

}  // namespace symcalc
