// Symbolic differentiation.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinDiff(Value* const* args, Value* out) {
  return PendingApplication(BuiltinDiff, args, 2, out);
}

}  // namespace symcalc
