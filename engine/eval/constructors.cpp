// The constructors that bring their operands to normal form first, so they
// live beside the simplifier rather than with the plain records below it.
#include "eval/constructors.h"

#include "eval/simplify.h"

namespace symcalc {

Value* MakeError(ErrorCode code, const Value* operand, Value* out) {
  return MakeRawError(code, operand ? Simplify(operand) : nullptr, out);
}

Value* PassError(const Value* error, Value* out) {
  return MakeError(error->error.code, error->error.operand, out);
}

Value* MakeRange(const Value* low, const Value* high, Value* out) {
  Held lo = Hold(Simplify(low));
  Held hi = Hold(Simplify(high));
  if (IsError(lo.get())) return PassError(lo.get(), out);
  if (IsError(hi.get())) return PassError(hi.get(), out);
  return MakeRawPair(ValueType::Range, lo.release(), hi.release(), out);
}

Value* MakeComplex(const Value* re, const Value* im, Value* out) {
  Held r = Hold(Simplify(re));
  Held s = Hold(Simplify(im));
  if (IsError(r.get())) return PassError(r.get(), out);
  if (IsError(s.get())) return PassError(s.get(), out);
  auto admissible = [](const Value* v) {
    return IsNumber(v) || IsInfinity(v) || IsSymbolic(v);
  };
  if (!admissible(r.get())) return MakeError(ErrorCode::NotANumber, r.get(), out);
  if (!admissible(s.get())) return MakeError(ErrorCode::NotANumber, s.get(), out);
  if (IsType(r.get(), ValueType::Complex)) return MakeError(ErrorCode::NotAReal, r.get(), out);
  if (IsType(s.get(), ValueType::Complex)) return MakeError(ErrorCode::NotAReal, s.get(), out);
  if (IsZero(s.get())) return Deliver(r.release(), out);
  return MakeRawPair(ValueType::Complex, r.release(), s.release(), out);
}

}  // namespace symcalc
