// Trigonometric, hyperbolic and complex-number functions. The real cases use
// the C library; everything else is composed from exp, log, sqr and the
// engine's arithmetic, so complex arguments go through the same formulas.
#include <cmath>

#include "builtins/numeric/screening.h"
#include "eval/arithmetic.h"
#include "eval/relations.h"
#include "values/number_limits.h"

namespace symcalc {
namespace {

Value* Qword(std::int64_t n) { return MakeQword(n); }

Value* Pi() { return MakeDouble(PiValue()); }

// i and -i
Value* ImaginaryUnit(std::int64_t im) {
  Held zero = Hold(Qword(0));
  Held part = Hold(Qword(im));
  return MakeComplex(zero.get(), part.get());
}

Value* Range(std::int64_t low, std::int64_t high, Value* out) {
  Held l = Hold(Qword(low));
  Held h = Hold(Qword(high));
  return MakeRange(l.get(), h.get(), out);
}

// 0 + im*i
Value* PurelyImaginary(const Value* im, Value* out) {
  Held zero = Hold(Qword(0));
  return MakeComplex(zero.get(), im, out);
}

Value* Half(const Value* v, Value* out = nullptr) {
  Held two = Hold(Qword(2));
  return Divide(v, two.get(), out);
}

Value* Exp(const Value* v) { return Apply(BuiltinExp, v); }
Value* Log(const Value* v) { return Apply(BuiltinLog, v); }
Value* Sqr(const Value* v) { return Apply(BuiltinSqr, v); }

bool IsNegativeReal(const Value* v) { return IsReal(v) && DoubleOf(v) < 0; }

bool IsInfiniteDouble(const Value* v) {
  return v->type == ValueType::Double && std::isinf(v->dbl);
}

// (exp(x) + sign*exp(0 - x)) / 2
Value* ExpCombination(const Value* x, int sign, Value* out) {
  Held zero = Hold(Qword(0));
  Held minusX = Hold(Subtract(zero.get(), x));
  Held a = Hold(Exp(x));
  Held b = Hold(Exp(minusX.get()));
  Held sum = Hold(sign > 0 ? Add(a.get(), b.get()) : Subtract(a.get(), b.get()));
  return Half(sum.get(), out);
}

// log(sqr(x*x + sign) + x)
Value* AreaFormula(const Value* x, int sign, Value* out) {
  Held square = Hold(Multiply(x, x));
  Held unit = Hold(Qword(sign));
  Held radicand = Hold(Add(square.get(), unit.get()));
  Held root = Hold(Sqr(radicand.get()));
  Held sum = Hold(Add(root.get(), x));
  return Deliver(Log(sum.get()), out);
}

// (-i) * log(z)
Value* MinusITimesLog(const Value* z, Value* out) {
  Held l = Hold(Log(z));
  Held minusI = Hold(ImaginaryUnit(-1));
  return Multiply(minusI.get(), l.get(), out);
}

// The two-argument arc tangent of screened, simplified arguments: the angle
// of the point (x, y), between -pi/2 and 3pi/2.
Value* AngleOf(const Value* y, const Value* x, Value* out) {
  if (y->type == ValueType::Complex) return MakeError(7, y, out);
  if (x->type == ValueType::Complex) return MakeError(7, x, out);
  if (IsInfinity(y)) {
    Held a = Hold(PiOver(IsPlusInfinity(y) ? 2 : -2));
    if (IsNumber(x)) return Deliver(a.release(), out);
    if (IsPlusInfinity(x)) return Half(a.get(), out);
    Held threeHalves = Hold(MakeRatio(3, 2));
    return Multiply(a.get(), threeHalves.get(), out);
  }
  if (IsPlusInfinity(x)) return MakeQword(0, out);
  if (IsMinusInfinity(x)) return MakeDouble(PiValue(), out);
  if (IsZero(x)) {
    Held a = Hold(PiOver(2));
    Held s = Hold(Apply(BuiltinSgn, y));
    return Multiply(a.get(), s.get(), out);
  }
  Held quotient = Hold(Divide(y, x));
  Held angle = Hold(Apply(BuiltinAtan, quotient.get()));
  Held zero = Hold(Qword(0));
  if (GreaterHolds(zero.get(), x)) {
    Held pi = Hold(Pi());
    return Add(pi.get(), angle.get(), out);
  }
  return Deliver(angle.release(), out);
}

Value* TwoArgumentAtan(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  const Value* y = a[0];
  const Value* x = a[1];
  if (IsError(y)) return PassError(y, out);
  if (IsError(x)) return PassError(x, out);
  if (IsSymbolic(y) || IsSymbolic(x)) return Unevaluated(BuiltinAtan, a.data(), 2, out);
  if (!IsInfinity(y) && !IsNumber(y)) return MakeError(6, y, out);
  if (!IsInfinity(x) && !IsNumber(x)) return MakeError(6, x, out);
  return AngleOf(y, x, out);
}

}  // namespace

// ---- hyperbolic functions ----------------------------------------------------

Value* BuiltinSinh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinSinh, args[0], Infinities::Accepted, x, out))
    return done;
  if (IsInfinity(x.get())) return CopyValue(x.get(), out);
  return ExpCombination(x.get(), -1, out);
}

Value* BuiltinCosh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinCosh, args[0], Infinities::Accepted, x, out))
    return done;
  if (IsInfinity(x.get())) return MakeMathSymbol(kInfinity, out);
  return ExpCombination(x.get(), 1, out);
}

Value* BuiltinTanh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinTanh, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) return Deliver(Apply(BuiltinSgn, v), out);
  Held s = Hold(Apply(BuiltinSinh, v));
  Held c = Hold(Apply(BuiltinCosh, v));
  if (IsZero(c.get())) return MakeError(0, v, out);
  // Where exp overflows, sinh/cosh is inf/inf; the curve is flat at +-1 there.
  if (IsReal(v) && (IsInfiniteDouble(s.get()) || IsInfiniteDouble(c.get())))
    return Deliver(Apply(BuiltinSgn, v), out);
  return Divide(s.get(), c.get(), out);
}

Value* BuiltinAsinh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAsinh, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) return CopyValue(v, out);
  // asinh(x) -> -asinh(-x) for x < 0: for large |x| the sum sqr(x*x + 1) + x
  // would cancel to zero.
  if (IsNegativeReal(v)) {
    Held minusX = Hold(Negate(v));
    Held r = Hold(AreaFormula(minusX.get(), 1, nullptr));
    return Negate(r.get(), out);
  }
  return AreaFormula(v, 1, out);
}

Value* BuiltinAcosh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAcosh, args[0], Infinities::Accepted, x, out))
    return done;
  if (IsInfinity(x.get())) return MakeMathSymbol(kInfinity, out);
  return AreaFormula(x.get(), -1, out);
}

Value* BuiltinAtanh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAtanh, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) {
    Held im = Hold(PiOver(IsPlusInfinity(v) ? -2 : 2));
    return PurelyImaginary(im.get(), out);
  }
  // atanh(x) -> log((1 + x)/(1 - x))/2
  Held one = Hold(Qword(1));
  Held numerator = Hold(Add(one.get(), v));
  Held denominator = Hold(Subtract(one.get(), v));
  Held quotient = Hold(Divide(numerator.get(), denominator.get()));
  Held l = Hold(Log(quotient.get()));
  return Half(l.get(), out);
}

// ---- circular functions ------------------------------------------------------

Value* BuiltinSin(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinSin, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  // sin(a + bi) -> sin(a)*cosh(b) + cos(a)*sinh(b)*i
  if (v->type == ValueType::Complex) {
    Held sa = Hold(Apply(BuiltinSin, v->pair.left));
    Held ca = Hold(Apply(BuiltinCos, v->pair.left));
    Held chb = Hold(Apply(BuiltinCosh, v->pair.right));
    Held shb = Hold(Apply(BuiltinSinh, v->pair.right));
    Held re = Hold(Multiply(sa.get(), chb.get()));
    Held im = Hold(Multiply(ca.get(), shb.get()));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsInfinity(v)) return Range(-1, 1, out);
  return MakeDouble(std::sin(DoubleOf(v)), out);
}

Value* BuiltinCos(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinCos, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  // cos(a + bi) -> cos(a)*cosh(b) - sin(a)*sinh(b)*i
  if (v->type == ValueType::Complex) {
    Held sa = Hold(Apply(BuiltinSin, v->pair.left));
    Held ca = Hold(Apply(BuiltinCos, v->pair.left));
    Held chb = Hold(Apply(BuiltinCosh, v->pair.right));
    Held shb = Hold(Apply(BuiltinSinh, v->pair.right));
    Held re = Hold(Multiply(ca.get(), chb.get()));
    Held product = Hold(Multiply(sa.get(), shb.get()));
    Held zero = Hold(Qword(0));
    Held im = Hold(Subtract(zero.get(), product.get()));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsInfinity(v)) return Range(-1, 1, out);
  return MakeDouble(std::cos(DoubleOf(v)), out);
}

Value* BuiltinTan(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinTan, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) return MakeMathSymbol(kUndefined, out);
  Held s = Hold(Apply(BuiltinSin, v));
  Held c = Hold(Apply(BuiltinCos, v));
  if (IsZero(c.get())) return MakeError(0, v, out);
  return Divide(s.get(), c.get(), out);
}

Value* BuiltinAsin(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAsin, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) {
    Held im = Hold(MakeMathSymbol(IsPlusInfinity(v) ? kMinusInfinity : kInfinity));
    return PurelyImaginary(im.get(), out);
  }
  // asin(x) -> (-i)*log(sqr(1 - x*x) + x*i)
  Held one = Hold(Qword(1));
  Held square = Hold(Multiply(v, v));
  Held radicand = Hold(Subtract(one.get(), square.get()));
  Held root = Hold(Sqr(radicand.get()));
  Held i = Hold(ImaginaryUnit(1));
  Held xi = Hold(Multiply(v, i.get()));
  Held sum = Hold(Add(root.get(), xi.get()));
  return MinusITimesLog(sum.get(), out);
}

Value* BuiltinAcos(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAcos, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) return PurelyImaginary(v, out);
  // acos(x) -> (-i)*log(sqr(x*x - 1) + x)
  Held one = Hold(Qword(1));
  Held square = Hold(Multiply(v, v));
  Held radicand = Hold(Subtract(square.get(), one.get()));
  Held root = Hold(Sqr(radicand.get()));
  Held sum = Hold(Add(root.get(), v));
  return MinusITimesLog(sum.get(), out);
}

Value* BuiltinAtan(Value* const* args, Value* out) {
  if (args[1]) return TwoArgumentAtan(args, out);
  Held x;
  if (Value* done = ScreenArgument(BuiltinAtan, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  // atan(z) -> log((1 + i*z)/(1 - i*z))/(2i)
  if (v->type == ValueType::Complex) {
    Held one = Hold(Qword(1));
    Held i = Hold(ImaginaryUnit(1));
    Held iz = Hold(Multiply(i.get(), v));
    Held numerator = Hold(Add(one.get(), iz.get()));
    Held denominator = Hold(Subtract(one.get(), iz.get()));
    Held quotient = Hold(Divide(numerator.get(), denominator.get()));
    Held l = Hold(Log(quotient.get()));
    Held twoI = Hold(ImaginaryUnit(2));
    return Divide(l.get(), twoI.get(), out);
  }
  if (IsPlusInfinity(v)) return Deliver(PiOver(2), out);
  if (IsMinusInfinity(v)) return Deliver(PiOver(-2), out);
  return MakeDouble(std::atan(DoubleOf(v)), out);
}

// ---- complex-number parts ----------------------------------------------------

Value* BuiltinRealpart(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinRealpart, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  return CopyValue(v->type == ValueType::Complex ? v->pair.left : v, out);
}

Value* BuiltinImagpart(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinImagpart, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (v->type == ValueType::Complex) return CopyValue(v->pair.right, out);
  return MakeQword(0, out);
}

Value* BuiltinPhase(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinPhase, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (v->type == ValueType::Complex)
    return Deliver(Apply(BuiltinAtan, v->pair.right, v->pair.left), out);
  Held zero = Hold(Qword(0));
  return Deliver(Apply(BuiltinAtan, zero.get(), v), out);
}

Value* BuiltinCis(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinCis, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (v->type == ValueType::Complex) return MakeError(7, v, out);
  Held c = Hold(Apply(BuiltinCos, v));
  Held s = Hold(Apply(BuiltinSin, v));
  return MakeComplex(c.get(), s.get(), out);
}

Value* BuiltinConjugate(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinConjugate, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (v->type != ValueType::Complex) return CopyValue(v, out);
  Held minusOne = Hold(Qword(-1));
  Held im = Hold(Multiply(v->pair.right, minusOne.get()));
  return MakeComplex(v->pair.left, im.get(), out);
}

}  // namespace symcalc
