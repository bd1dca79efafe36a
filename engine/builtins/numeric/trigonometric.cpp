// Trigonometric, hyperbolic and complex-number functions. The real cases use
// the C library; everything else is composed from exp, log, sqr and the
// engine's arithmetic, so complex arguments go through the same formulas.
#include <cmath>
#include <numbers>

#include "builtins/builtin_table.h"
#include "builtins/numeric/screening.h"
#include "eval/arithmetic.h"
#include "eval/relations.h"
#include "eval/scaled_complex.h"
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

// (-i) * v
Value* MinusITimes(const Value* v, Value* out) {
  Held minusI = Hold(ImaginaryUnit(-1));
  return Multiply(minusI.get(), v, out);
}

// The two-argument arc tangent of screened, simplified arguments: the angle
// of the point (x, y), between -pi/2 and 3pi/2.
Value* AngleOf(const Value* y, const Value* x, Value* out) {
  if (y->type == ValueType::Complex) return MakeError(ErrorCode::NotAReal, y, out);
  if (x->type == ValueType::Complex) return MakeError(ErrorCode::NotAReal, x, out);
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
  if (!IsInfinity(y) && !IsNumber(y)) return MakeError(ErrorCode::NotANumber, y, out);
  if (!IsInfinity(x) && !IsNumber(x)) return MakeError(ErrorCode::NotANumber, x, out);
  return AngleOf(y, x, out);
}

Value* RealPart(const Value* v) {
  return CopyValue(v->type == ValueType::Complex ? v->pair.left : v);
}

Value* ImaginaryPart(const Value* v) {
  return v->type == ValueType::Complex ? CopyValue(v->pair.right) : Qword(0);
}

// log(v), or log(2v) when `doubled`.
Value* LogTimes(const Value* v, bool doubled) {
  Held l = Hold(Log(v));
  if (!doubled || IsError(l.get())) return l.release();
  Held ln2 = Hold(MakeDouble(std::numbers::ln2));
  return Add(l.get(), ln2.get());
}

// log(sqr(radicand) + t), the logarithm behind asin, acos, asinh and acosh,
// where radicand = t*t + k for k = 1 or -1, so that (s + t)(s - t) = k for
// the root s.
//
// Where s and t point into opposite half-planes the sum cancels (to exactly
// 0 for large arguments, which made asin(-1e8) a division by zero); the same
// number is k/(s - t), whose logarithm is taken as the negated logarithm of
// s - t with the angle of k*conj(s - t), so the tiny quotient itself, which
// would snap to 0, is never formed.
Value* InverseLog(const Value* x, const Value* radicand, const Value* t, int k, Value* out) {
  Held s;
  Held term;
  bool halved = false;
  const double d = IsReal(x) ? DoubleOf(x) : 0.0;
  if (std::isfinite(d) && !std::isfinite(d * d)) {
    // x*x overflowed: the root is |x| to within 1/x^2, on the radicand's axis.
    // Halves of s and t keep their sum 2|x| finite.
    Held half = Hold(MakeDouble(std::fabs(d) / 2));
    s = Hold(DoubleOf(radicand) < 0 ? PurelyImaginary(half.get(), nullptr) : half.release());
    term = Hold(Half(t));
    halved = true;
  } else {
    s = Hold(Sqr(radicand));
    term = Hold(CopyValue(t));
  }
  ComplexDouble sz, tz;
  if (!FiniteParts(s.get(), sz) || !FiniteParts(term.get(), tz) || !OppositeDirections(sz, tz)) {
    Held sum = Hold(Add(s.get(), term.get()));
    return Deliver(LogTimes(sum.get(), halved), out);
  }
  Held difference = Hold(Subtract(s.get(), term.get()));
  Held l = Hold(LogTimes(difference.get(), halved));
  if (IsError(l.get())) return PassError(l.get(), out);
  Held lRe = Hold(RealPart(l.get()));
  Held re = Hold(Negate(lRe.get()));
  // conj(s - t) * k
  Held kk = Hold(Qword(k));
  Held minusK = Hold(Qword(-k));
  Held dRe = Hold(RealPart(difference.get()));
  Held dIm = Hold(ImaginaryPart(difference.get()));
  Held y = Hold(Multiply(minusK.get(), dIm.get()));
  Held xx = Hold(Multiply(kk.get(), dRe.get()));
  Held im = Hold(AngleOf(y.get(), xx.get(), nullptr));
  return MakeComplex(re.get(), im.get(), out);
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
  if (IsZero(c.get())) return MakeError(ErrorCode::DivisionByZero, v, out);
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
  // asinh(x) -> log(sqr(x*x + 1) + x)
  Held square = Hold(Multiply(v, v));
  Held one = Hold(Qword(1));
  Held radicand = Hold(Add(square.get(), one.get()));
  return InverseLog(v, radicand.get(), v, 1, out);
}

Value* BuiltinAcosh(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAcosh, args[0], Infinities::Accepted, x, out))
    return done;
  const Value* v = x.get();
  if (IsInfinity(v)) return MakeMathSymbol(kInfinity, out);
  // acosh(x) -> log(sqr(x*x - 1) + x)
  Held square = Hold(Multiply(v, v));
  Held minusOne = Hold(Qword(-1));
  Held radicand = Hold(Add(square.get(), minusOne.get()));
  return InverseLog(v, radicand.get(), v, -1, out);
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
  if (IsZero(c.get())) return MakeError(ErrorCode::DivisionByZero, v, out);
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
  Held i = Hold(ImaginaryUnit(1));
  Held xi = Hold(Multiply(v, i.get()));
  Held l = Hold(InverseLog(v, radicand.get(), xi.get(), 1, nullptr));
  return MinusITimes(l.get(), out);
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
  Held l = Hold(InverseLog(v, radicand.get(), v, -1, nullptr));
  return MinusITimes(l.get(), out);
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
  if (v->type == ValueType::Complex) return MakeError(ErrorCode::NotAReal, v, out);
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

std::span<const BuiltinSpec> TrigonometricBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"sinh", BuiltinSinh, 1, 0, 0},
      {"cosh", BuiltinCosh, 1, 0, 0},
      {"tanh", BuiltinTanh, 1, 0, 0},
      {"asinh", BuiltinAsinh, 1, 0, 0},
      {"acosh", BuiltinAcosh, 1, 0, 0},
      {"atanh", BuiltinAtanh, 1, 0, 0},
      {"sin", BuiltinSin, 1, 0, 0},
      {"cos", BuiltinCos, 1, 0, 0},
      {"tan", BuiltinTan, 1, 0, 0},
      {"asin", BuiltinAsin, 1, 0, 0},
      {"acos", BuiltinAcos, 1, 0, 0},
      {"atan", BuiltinAtan, 2, 1, 0},
      {"realpart", BuiltinRealpart, 1, 0, 0},
      {"imagpart", BuiltinImagpart, 1, 0, 0},
      {"phase", BuiltinPhase, 1, 0, 0},
      {"cis", BuiltinCis, 1, 0, 0},
      {"conjugate", BuiltinConjugate, 1, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
