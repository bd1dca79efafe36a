// Arrays and matrices.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinArray(Value* const* args, Value* out) {
  return PendingApplication(BuiltinArray, args, 2, out);
}

Value* BuiltinVector(Value* const* args, Value* out) {
  return PendingApplication(BuiltinVector, args, 1, out);
}

Value* BuiltinIdentity(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIdentity, args, 1, out);
}

Value* BuiltinUntmat(Value* const* args, Value* out) {
  return PendingApplication(BuiltinUntmat, args, 3, out);
}

Value* BuiltinUntdet(Value* const* args, Value* out) {
  return PendingApplication(BuiltinUntdet, args, 3, out);
}

Value* BuiltinDet(Value* const* args, Value* out) {
  return PendingApplication(BuiltinDet, args, 1, out);
}

Value* BuiltinScalar(Value* const* args, Value* out) {
  return PendingApplication(BuiltinScalar, args, 2, out);
}

Value* BuiltinGetarg(Value* const* args, Value* out) {
  return PendingApplication(BuiltinGetarg, args, 2, out);
}

Value* BuiltinSetarg(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSetarg, args, 3, out);
}

Value* BuiltinGetargxy(Value* const* args, Value* out) {
  return PendingApplication(BuiltinGetargxy, args, 3, out);
}

Value* BuiltinSetargxy(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSetargxy, args, 4, out);
}

Value* BuiltinWidth(Value* const* args, Value* out) {
  return PendingApplication(BuiltinWidth, args, 1, out);
}

Value* BuiltinHeight(Value* const* args, Value* out) {
  return PendingApplication(BuiltinHeight, args, 1, out);
}

}  // namespace symcalc
