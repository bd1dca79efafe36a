// pow, the builtin behind the operator "^".
#include "builtins/builtin_support.h"
#include "eval/simplify.h"

namespace symcalc {

Value* BuiltinPow(Value* const* args, Value* out) {
  // A symbolic base or exponent makes the power an expression in normal form.
  if (IsSymbolic(args[0]) || IsSymbolic(args[1]))
    return MakeOperatorNode(ValueType::Power, args[0], args[1], out);
  SimplifiedArgs a(args, 2);
  if (IsError(a[0])) return PassError(a[0], out);
  if (IsError(a[1])) return PassError(a[1], out);
  if (IsSymbolic(a[0]) || IsSymbolic(a[1])) return Unevaluated(BuiltinPow, a.data(), 2, out);
  return PendingApplication(BuiltinPow, a.data(), 2, out);
}

}  // namespace symcalc
