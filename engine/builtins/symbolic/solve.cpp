// Equation solving.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinSolve(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSolve, args, 2, out);
}

}  // namespace symcalc
