// Rounding and rational conversions: floor, ceiling, truncate, round (with an
// optional divisor), numerator, denominator, ratio, rational and float.
#include <charconv>
#include <cmath>

#include "builtins/builtin_table.h"
#include "builtins/numeric/screening.h"
#include "eval/arithmetic.h"
#include "values/number_limits.h"

namespace symcalc {
namespace {

constexpr double kTwoTo30 = 1073741824.0;
constexpr double kTwoTo63 = 9223372036854775808.0;

double RoundAwayFromZero(double v) {
  // The distance to the truncated value decides, so 0.49999999999999994 stays
  // below the half (adding 0.5 first would round it up).
  const double g = v - std::trunc(v);
  if (g >= 0.5 || (g > -0.5 && g < 0)) return std::ceil(v);
  return std::floor(v);
}

// A rounded double as a qword; values outside the qword range (the
// infinities and NaN among them) stay doubles.
Value* IntegralResult(double r, Value* out) {
  if (r >= -kTwoTo63 && r < kTwoTo63) return MakeQword(static_cast<std::int64_t>(r), out);
  return MakeDouble(r, out);
}

// One rounding builtin: `self` for the unevaluated application, `rule` for a
// real value.
Value* Rounded(BuiltinFn self, double (*rule)(double), Value* const* args, Value* out) {
  if (args[1]) {
    SimplifiedArgs a(args, 2);
    const Value* x = a[0];
    const Value* d = a[1];
    if (IsError(x)) return PassError(x, out);
    if (IsError(d)) return PassError(d, out);
    if (IsSymbolic(x) || IsSymbolic(d)) return Unevaluated(self, a.data(), 2, out);
    if (!IsNumber(x)) return MakeError(ErrorCode::NotANumber, x, out);
    if (!IsNumber(d)) return MakeError(ErrorCode::NotANumber, d, out);
    Held quotient = Hold(Divide(x, d));
    return Deliver(Apply(self, quotient.get()), out);
  }
  Held x;
  if (Value* done = ScreenArgument(self, args[0], Infinities::Refused, x, out)) return done;
  const Value* v = x.get();
  switch (v->type) {
    case ValueType::Qword:
      return MakeQword(v->qword, out);
    case ValueType::Complex: {
      Held re = Hold(Apply(self, v->pair.left));
      Held im = Hold(Apply(self, v->pair.right));
      return MakeComplex(re.get(), im.get(), out);
    }
    default:
      return IntegralResult(rule(DoubleOf(v)), out);
  }
}

double Floor(double v) { return std::floor(v); }
double Ceiling(double v) { return std::ceil(v); }
double Truncate(double v) { return std::trunc(v); }

// The exact binary value of a double, truncated to thirty binary places below
// its leading bit: 0.75 is 3/4, 0.1 is 53687091/536870912.
Value* BinaryRatio(const Value* x, Value* out) {
  const double v = x->dbl;
  if (!std::isfinite(v)) return MakeError(ErrorCode::NotANumber, x, out);
  const double magnitude = std::fabs(v);
  if (magnitude >= kTwoTo63) return MakeError(ErrorCode::NotARational, x, out);
  if (magnitude >= kTwoTo30) {
    // Thirty binary places reach no further than the units here, and a ratio
    // part cannot hold more than 31 bits: the truncated integer.
    return MakeQword(static_cast<std::int64_t>(v), out);
  }
  // p: the smallest power of two above |v| (1 below 1); then thirty places.
  int e = 0;
  for (double p = 1.0; p <= magnitude; p *= 2) ++e;
  const int places = 30 - e;
  const auto n = static_cast<std::int64_t>(std::ldexp(magnitude, places));
  return MakeRatio(v < 0 ? -n : n, std::int64_t{1} << places, out);
}

// v written with `decimals` places after the point (correctly rounded, as
// printf's "%.6f" writes it), read back without the point. |v| < 2^63, so
// the digits fit 128 bits.
__int128 DecimalDigits(double v, int decimals) {
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
  __int128 n = 0;
  for (const char* c = text; c != r.ptr; ++c)
    if (*c >= '0' && *c <= '9') n = n * 10 + (*c - '0');
  return text[0] == '-' ? -n : n;
}

// The six-decimal reading of a double as an exact fraction. When the reduced
// fraction does not fit a ratio, fewer decimals are read, down to the nearest
// integer. Never a double: equation solving feeds the result back.
Value* DecimalRatio(const Value* x, Value* out) {
  const double v = x->dbl;
  if (!std::isfinite(v)) return MakeError(ErrorCode::NotANumber, x, out);
  if (std::fabs(v) >= kTwoTo63) return MakeError(ErrorCode::NotARational, x, out);
  __int128 scale = 1000000;
  for (int decimals = 6;; --decimals, scale /= 10) {
    __int128 num = DecimalDigits(v, decimals);
    __int128 den = scale;
    // Reduce by the gcd with the power of ten before narrowing.
    while (den % 2 == 0 && num % 2 == 0) {
      num /= 2;
      den /= 2;
    }
    while (den % 5 == 0 && num % 5 == 0) {
      num /= 5;
      den /= 5;
    }
    const bool fits = den == 1 ? (num >= INT64_MIN && num <= INT64_MAX)
                               : (num >= -INT32_MAX && num <= INT32_MAX);
    if (fits || decimals == 0) return MakeExactQuotient(num, den, out);
  }
}

}  // namespace

Value* BuiltinFloor(Value* const* args, Value* out) {
  return Rounded(BuiltinFloor, Floor, args, out);
}

Value* BuiltinCeiling(Value* const* args, Value* out) {
  return Rounded(BuiltinCeiling, Ceiling, args, out);
}

Value* BuiltinTruncate(Value* const* args, Value* out) {
  return Rounded(BuiltinTruncate, Truncate, args, out);
}

Value* BuiltinRound(Value* const* args, Value* out) {
  return Rounded(BuiltinRound, RoundAwayFromZero, args, out);
}

Value* BuiltinNumerator(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinNumerator, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (v->type == ValueType::Qword) return CopyValue(v, out);
  if (v->type == ValueType::Ratio) return MakeQword(v->ratio.num, out);
  return MakeError(ErrorCode::NotARational, v, out);
}

Value* BuiltinDenominator(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinDenominator, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (v->type == ValueType::Qword) return MakeQword(1, out);
  if (v->type == ValueType::Ratio) return MakeQword(v->ratio.den, out);
  return MakeError(ErrorCode::NotARational, v, out);
}

Value* BuiltinRatio(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinRatio, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (IsRational(v)) return CopyValue(v, out);
  if (v->type == ValueType::Complex) return MakeError(ErrorCode::NotAReal, v, out);
  return BinaryRatio(v, out);
}

Value* BuiltinRational(Value* const* args, Value* out) {
  Held x;
  if (Value* done = ScreenArgument(BuiltinRational, args[0], Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  if (IsRational(v)) return CopyValue(v, out);
  if (v->type == ValueType::Complex) return MakeError(ErrorCode::NotAReal, v, out);
  return DecimalRatio(v, out);
}

Value* BuiltinFloat(Value* const* args, Value* out) {
  Held numeric = Hold(Simplify(args[0], true));
  Held x;
  if (Value* done = ScreenArgument(BuiltinFloat, numeric.get(), Infinities::Refused, x, out))
    return done;
  const Value* v = x.get();
  switch (v->type) {
    case ValueType::Double:
      return CopyValue(v, out);
    case ValueType::Complex: {
      Held re = Hold(Apply(BuiltinFloat, v->pair.left));
      Held im = Hold(Apply(BuiltinFloat, v->pair.right));
      return MakeComplex(re.get(), im.get(), out);
    }
    default:
      return MakeDouble(DoubleOf(v), out);
  }
}

std::span<const BuiltinSpec> RoundingBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"floor", BuiltinFloor, 2, 1, 0},
      {"ceiling", BuiltinCeiling, 2, 1, 0},
      {"truncate", BuiltinTruncate, 2, 1, 0},
      {"round", BuiltinRound, 2, 1, 0},
      {"numerator", BuiltinNumerator, 1, 0, 0},
      {"denominator", BuiltinDenominator, 1, 0, 0},
      {"ratio", BuiltinRatio, 1, 0, 0},
      {"rational", BuiltinRational, 1, 0, 0},
      {"float", BuiltinFloat, 1, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
