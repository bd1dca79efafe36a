// Elementary functions: exp, sqr, abs, log, pow and sgn.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinExp(Value* const* args, Value* out) {
  return PendingApplication(BuiltinExp, args, 1, out);
}

Value* BuiltinSqr(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSqr, args, 1, out);
}

Value* BuiltinAbs(Value* const* args, Value* out) {
  return PendingApplication(BuiltinAbs, args, 1, out);
}

Value* BuiltinLog(Value* const* args, Value* out) {
  return PendingApplication(BuiltinLog, args, 1, out);
}

Value* BuiltinSgn(Value* const* args, Value* out) {
  return PendingApplication(BuiltinSgn, args, 1, out);
}

}  // namespace symcalc
