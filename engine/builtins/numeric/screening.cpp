#include "builtins/numeric/screening.h"

#include "eval/arithmetic.h"
#include "values/number_limits.h"

namespace symcalc {

Value* ScreenArgument(BuiltinFn self, const Value* arg, Infinities infinities, Held& held,
                      Value* out) {
  held = Hold(Simplify(arg));
  const Value* x = held.get();
  if (IsError(x)) return PassError(x, out);
  if (IsSymbolic(x)) {
    Value* const args[1] = {const_cast<Value*>(x)};
    return Unevaluated(self, args, 1, out);
  }
  if (infinities == Infinities::Accepted && IsInfinity(x)) return nullptr;
  // Arrays and sets are refused like any other non-number: no numeric builtin
  // works elementwise.
  if (!IsNumber(x)) return MakeError(ErrorCode::NotANumber, x, out);
  return nullptr;
}

Value* Apply(BuiltinFn f, const Value* a, const Value* b) {
  Value* const args[2] = {const_cast<Value*>(a), const_cast<Value*>(b)};
  return f(args, nullptr);
}

bool IsPlusInfinity(const Value* v) {
  return v && v->type == ValueType::MathSymbol && v->mathSymbol == kInfinity;
}

bool IsMinusInfinity(const Value* v) {
  return v && v->type == ValueType::MathSymbol && v->mathSymbol == kMinusInfinity;
}

Value* PiOver(std::int64_t divisor) {
  Held pi = Hold(MakeDouble(PiValue()));
  Held d = Hold(MakeQword(divisor));
  return Divide(pi.get(), d.get());
}

}  // namespace symcalc
