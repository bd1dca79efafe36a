// Expansion and factoring out.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinExpand(Value* const* args, Value* out) {
  return PendingApplication(BuiltinExpand, args, 1, out);
}

Value* BuiltinFactorout(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFactorout, args, 2, out);
}

}  // namespace symcalc
