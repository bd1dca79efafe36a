// Expression access and control: operands, arguments, errors, not and if.
// Not computed yet: each answers with its pending application.
#include "builtins/builtin_support.h"

namespace symcalc {

Value* BuiltinNot(Value* const* args, Value* out) {
  return PendingApplication(BuiltinNot, args, 1, out);
}

Value* BuiltinIf(Value* const* args, Value* out) {
  return PendingApplication(BuiltinIf, args, 3, out);
}

Value* BuiltinOpleft(Value* const* args, Value* out) {
  return PendingApplication(BuiltinOpleft, args, 1, out);
}

Value* BuiltinOpright(Value* const* args, Value* out) {
  return PendingApplication(BuiltinOpright, args, 1, out);
}

Value* BuiltinErrormath(Value* const* args, Value* out) {
  return PendingApplication(BuiltinErrormath, args, 1, out);
}

Value* BuiltinFuncarg(Value* const* args, Value* out) {
  return PendingApplication(BuiltinFuncarg, args, 2, out);
}

Value* BuiltinNumbfuncarg(Value* const* args, Value* out) {
  return PendingApplication(BuiltinNumbfuncarg, args, 1, out);
}

}  // namespace symcalc
