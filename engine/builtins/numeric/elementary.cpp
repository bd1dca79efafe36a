// Elementary functions: exp, sqr, abs, log and sgn (pow lives in power.cpp).
#include <bit>
#include <cmath>
#include <cstdint>

#include "builtins/builtin_table.h"
#include "builtins/numeric/screening.h"
#include "eval/arithmetic.h"
#include "eval/scaled_complex.h"
#include "values/number_limits.h"

namespace symcalc {
namespace {

// The base of exp is one unit in the last place above the correctly rounded
// e; results such as exp(1) = 2.7182818284590455 depend on it.
constexpr double kE = std::bit_cast<double>(std::uint64_t{0x4005BF0A8B14576A});

// a*a + b*b for the complex number a + bi, with the engine's arithmetic.
Value* SumOfSquares(const Value* v) {
  Held aa = Hold(Multiply(v->pair.left, v->pair.left));
  Held bb = Hold(Multiply(v->pair.right, v->pair.right));
  return Add(aa.get(), bb.get());
}

// |a + bi| -> sqr(a*a + b*b). The squares are partial results: for parts
// near 1e-7 they would snap to 0, beyond 1e154 overflow, so doubles go
// through the scaled magnitude. Fractions keep the exact sum of squares.
Value* ComplexMagnitude(const Value* v, Value* out) {
  Held sum;
  if (IsRational(v->pair.left) && IsRational(v->pair.right)) {
    sum = Hold(SumOfSquares(v));
    if (IsRational(sum.get())) return Deliver(Apply(BuiltinSqr, sum.get()), out);
  }
  ComplexDouble z;
  if (FiniteParts(v, z)) return MakeDouble(ScaledMagnitude(z), out);
  // Infinite or NaN parts.
  sum = Hold(SumOfSquares(v));
  return Deliver(Apply(BuiltinSqr, sum.get()), out);
}

}  // namespace

Value* BuiltinExp(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinExp, args[0], Infinities::Accepted, x, out)) return done;
  const Value* v = x.get();
  // exp(a + bi) -> exp(a)*cos(b) + exp(a)*sin(b)*i
  if (v->type == ValueType::Complex) {
    Held r = Hold(Apply(BuiltinExp, v->pair.left));
    Held c = Hold(Apply(BuiltinCos, v->pair.right));
    Held s = Hold(Apply(BuiltinSin, v->pair.right));
    Held re = Hold(Multiply(r.get(), c.get()));
    Held im = Hold(Multiply(r.get(), s.get()));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsPlusInfinity(v)) return MakeMathSymbol(kInfinity, out);
  if (IsMinusInfinity(v)) return MakeQword(0, out);
  return MakeDouble(std::pow(kE, DoubleOf(v)), out);
}

Value* BuiltinSqr(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinSqr, args[0], Infinities::Accepted, x, out)) return done;
  const Value* v = x.get();
  // sqr(z) -> exp(log(z)/2): the principal root
  if (v->type == ValueType::Complex) {
    Held l = Hold(Apply(BuiltinLog, v));
    Held two = Hold(MakeQword(2));
    Held half = Hold(Divide(l.get(), two.get()));
    return Deliver(Apply(BuiltinExp, half.get()), out);
  }
  Held zero = Hold(MakeQword(0));
  if (IsPlusInfinity(v)) return MakeMathSymbol(kInfinity, out);
  if (IsMinusInfinity(v)) {
    Held inf = Hold(MakeMathSymbol(kInfinity));
    return MakeComplex(zero.get(), inf.get(), out);
  }
  const double d = DoubleOf(v);
  Held root = Hold(MakeDouble(std::sqrt(std::fabs(d))));
  if (d < 0) return MakeComplex(zero.get(), root.get(), out);
  return Deliver(root.release(), out);
}

Value* BuiltinAbs(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinAbs, args[0], Infinities::Accepted, x, out)) return done;
  const Value* v = x.get();
  switch (v->type) {
    case ValueType::Qword:
      // The most negative qword has no qword opposite.
      if (v->qword == INT64_MIN) return MakeDouble(9223372036854775808.0, out);
      return MakeQword(v->qword < 0 ? -v->qword : v->qword, out);
    case ValueType::Double:
      return MakeDouble(v->dbl < 0 ? -v->dbl : v->dbl, out);
    case ValueType::Ratio: {
      const std::int64_t n = v->ratio.num;
      return MakeRatio(n < 0 ? -n : n, v->ratio.den, out);
    }
    case ValueType::Complex:
      return ComplexMagnitude(v, out);
    default:  // either infinity
      return MakeMathSymbol(kInfinity, out);
  }
}

Value* BuiltinLog(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinLog, args[0], Infinities::Accepted, x, out)) return done;
  const Value* v = x.get();
  // log(a + bi) -> log|a + bi| + atan(b, a)*i
  if (v->type == ValueType::Complex) {
    Held magnitude = Hold(Apply(BuiltinAbs, v));
    Held re = Hold(Apply(BuiltinLog, magnitude.get()));
    Held im = Hold(Apply(BuiltinAtan, v->pair.right, v->pair.left));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsPlusInfinity(v)) return MakeMathSymbol(kInfinity, out);
  Held pi = Hold(MakeDouble(PiValue()));
  if (IsMinusInfinity(v)) {
    Held inf = Hold(MakeMathSymbol(kInfinity));
    return MakeComplex(inf.get(), pi.get(), out);
  }
  const double d = DoubleOf(v);
  if (d == 0) {
    Held name = Hold(MakeString("log"));
    return MakeError(ErrorCode::DivisionByZero, name.get(), out);
  }
  Held l = Hold(MakeDouble(std::log(std::fabs(d))));
  if (d < 0) return MakeComplex(l.get(), pi.get(), out);
  return Deliver(l.release(), out);
}

Value* BuiltinSgn(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinSgn, args[0], Infinities::Accepted, x, out)) return done;
  const Value* v = x.get();
  if (IsPlusInfinity(v)) return MakeQword(1, out);
  if (IsMinusInfinity(v)) return MakeQword(-1, out);
  if (IsZero(v)) return CopyValue(v, out);
  // Reals take their sign directly: x/abs(x) would lose it for qwords beyond
  // 32 bits and for the most negative qword.
  switch (v->type) {
    case ValueType::Qword:
      return MakeQword(v->qword < 0 ? -1 : 1, out);
    case ValueType::Ratio:
      return MakeQword(v->ratio.num < 0 ? -1 : 1, out);
    case ValueType::Double:
      if (std::isnan(v->dbl)) return CopyValue(v, out);
      return MakeDouble(v->dbl < 0 ? -1.0 : 1.0, out);
    default: {
      // The unit complex number in the direction of x.
      Held magnitude = Hold(Apply(BuiltinAbs, v));
      return Divide(v, magnitude.get(), out);
    }
  }
}

std::span<const BuiltinSpec> ElementaryBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"exp", BuiltinExp, 1, 0, 0},
      {"sqr", BuiltinSqr, 1, 0, 0},
      {"abs", BuiltinAbs, 1, 0, 0},
      {"log", BuiltinLog, 1, 0, 0},
      {"sgn", BuiltinSgn, 1, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
