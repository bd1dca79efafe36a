// The number constructors with their normalising rules.
#include <bit>
#include <cmath>
#include <cstdlib>

#include "values/number_limits.h"
#include "values/value.h"

namespace symcalc {
namespace {


unsigned __int128 Gcd128(unsigned __int128 a, unsigned __int128 b) {
  while (b != 0) {
    const unsigned __int128 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

}  // namespace

// The constants are given by their bit patterns so that no decimal reading
// can round them differently.
double SnapBound() { return std::bit_cast<double>(std::uint64_t{0x3D3C25C268497683ULL}); }

double PiValue() { return std::bit_cast<double>(std::uint64_t{0x400921FB54442D18ULL}); }

void FractionParts(const Value* v, __int128& n, __int128& d) {
  if (v->type == ValueType::Qword) {
    n = v->qword;
    d = 1;
  } else {
    n = v->ratio.num;
    d = v->ratio.den;
  }
}

Value* MakeQword(std::int64_t n, Value* out) {
  Value* v = FreshRecord(out);
  v->type = ValueType::Qword;
  v->qword = n;
  return v;
}

Value* MakeDouble(double x, Value* out) {
  const double b = SnapBound();
  if (x > -b && x < b) x = 0.0;
  Value* v = FreshRecord(out);
  v->type = ValueType::Double;
  v->dbl = x;
  return v;
}

Value* MakeExactQuotient(__int128 n, __int128 d, Value* out) {
  if (d == 0) {
    return MakeRawError(ErrorCode::DivisionByZero, MakeString("pow"), out);
  }
  if (n == 0) return MakeQword(0, out);
  // An integer quotient needs no reduction (and no 128-bit division).
  if (d == 1 && n >= INT64_MIN && n <= INT64_MAX) return MakeQword(static_cast<std::int64_t>(n), out);
  const bool negative = (n < 0) != (d < 0);
  unsigned __int128 un = n < 0 ? static_cast<unsigned __int128>(-(n + 1)) + 1
                               : static_cast<unsigned __int128>(n);
  unsigned __int128 ud = d < 0 ? static_cast<unsigned __int128>(-(d + 1)) + 1
                               : static_cast<unsigned __int128>(d);
  const unsigned __int128 g = Gcd128(un, ud);
  un /= g;
  ud /= g;
  if (ud == 1) {
    if (!negative && un <= static_cast<unsigned __int128>(INT64_MAX))
      return MakeQword(static_cast<std::int64_t>(un), out);
    if (negative && un <= static_cast<unsigned __int128>(INT64_MAX) + 1)
      return MakeQword(static_cast<std::int64_t>(-static_cast<__int128>(un)), out);
    return MakeDouble(negative ? -static_cast<double>(un) : static_cast<double>(un), out);
  }
  if (un <= static_cast<unsigned __int128>(INT32_MAX) &&
      ud <= static_cast<unsigned __int128>(INT32_MAX)) {
    Value* v = FreshRecord(out);
    v->type = ValueType::Ratio;
    v->ratio.num = negative ? -static_cast<std::int32_t>(un) : static_cast<std::int32_t>(un);
    v->ratio.den = static_cast<std::int32_t>(ud);
    return v;
  }
  const long double q = static_cast<long double>(un) / static_cast<long double>(ud);
  return MakeDouble(static_cast<double>(negative ? -q : q), out);
}

Value* MakeRatio(std::int64_t n, std::int64_t d, Value* out) {
  return MakeExactQuotient(n, d, out);
}

Value* MakeMathSymbol(int index, Value* out) {
  if (index == kPi) return MakeDouble(PiValue(), out);
  if (index < 0 || index >= kMathSymbolCount) index = kUndefined;
  Value* v = FreshRecord(out);
  v->type = ValueType::MathSymbol;
  v->mathSymbol = static_cast<std::int8_t>(index);
  return v;
}

double DoubleOf(const Value* v) {
  switch (v->type) {
    case ValueType::Qword:
      return static_cast<double>(v->qword);
    case ValueType::Double:
      return v->dbl;
    case ValueType::Ratio:
      return static_cast<double>(v->ratio.num) / static_cast<double>(v->ratio.den);
    default:
      return 0.0;
  }
}

}  // namespace symcalc
