// Trigonometric, hyperbolic and complex-number functions.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinSinh(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSinh, args, 1, out);
}

Value* BuiltinCosh(Value* const* args, Value* out) {
  return PendingApplication(BuiltinCosh, args, 1, out);
}

Value* BuiltinTanh(Value* const* args, Value* out) {
  return PendingApplication(BuiltinTanh, args, 1, out);
}

Value* BuiltinAsinh(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAsinh, args, 1, out);
}

Value* BuiltinAcosh(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAcosh, args, 1, out);
}

Value* BuiltinAtanh(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAtanh, args, 1, out);
}

Value* BuiltinSin(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSin, args, 1, out);
}

Value* BuiltinCos(Value* const* args, Value* out) {
  return PendingApplication(BuiltinCos, args, 1, out);
}

Value* BuiltinTan(Value* const* args, Value* out) {
  return PendingApplication(BuiltinTan, args, 1, out);
}

Value* BuiltinAsin(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAsin, args, 1, out);
}

Value* BuiltinAcos(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAcos, args, 1, out);
}

Value* BuiltinAtan(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAtan, args, 2, out);
}

Value* BuiltinRealpart(Value* const* args, Value* out) {
  return PendingApplication(BuiltinRealpart, args, 1, out);
}

Value* BuiltinImagpart(Value* const* args, Value* out) {
  return PendingApplication(BuiltinImagpart, args, 1, out);
}

Value* BuiltinPhase(Value* const* args, Value* out) {
  return PendingApplication(BuiltinPhase, args, 1, out);
}

Value* BuiltinCis(Value* const* args, Value* out) {
  return PendingApplication(BuiltinCis, args, 1, out);
}

Value* BuiltinConjugate(Value* const* args, Value* out) {
  return PendingApplication(BuiltinConjugate, args, 1, out);
}

}  // namespace symcalc
