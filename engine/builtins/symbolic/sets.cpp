// Set operations beyond insertion.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinUnion(Value* const* args, Value* out) {
  return PendingApplication(BuiltinUnion, args, 2, out);
}

Value* BuiltinMinus(Value* const* args, Value* out) {
  return PendingApplication(BuiltinMinus, args, 2, out);
}

Value* BuiltinIntersect(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIntersect, args, 2, out);
}

Value* BuiltinSubset(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSubset, args, 2, out);
}

}  // namespace symcalc
