#include "eval/scaled_complex.h"

#include <cmath>

namespace symcalc {
namespace {

// The binary exponent of the larger part; 0 for zero, so that it scales
// nothing.
int ScaleOf(ComplexDouble z) {
  const double m = std::fmax(std::fabs(z.re), std::fabs(z.im));
  return m == 0.0 ? 0 : std::ilogb(m);
}

ComplexDouble Scaled(ComplexDouble z, int e) {
  return {std::ldexp(z.re, -e), std::ldexp(z.im, -e)};
}

}  // namespace

bool FiniteParts(const Value* v, ComplexDouble& z) {
  const Value* re = v->type == ValueType::Complex ? v->pair.left : v;
  const Value* im = v->type == ValueType::Complex ? v->pair.right : nullptr;
  if (!IsReal(re) || (im && !IsReal(im))) return false;
  z.re = DoubleOf(re);
  z.im = im ? DoubleOf(im) : 0.0;
  return std::isfinite(z.re) && std::isfinite(z.im);
}

ComplexDouble ScaledQuotient(ComplexDouble p, ComplexDouble q) {
  const int ep = ScaleOf(p);
  const int eq = ScaleOf(q);
  const ComplexDouble a = Scaled(p, ep);
  const ComplexDouble c = Scaled(q, eq);
  // Smith's quotient: the ratio of the divisor's parts stands in for c*c + d*d,
  // so 1/(x + xi) is the one rounding of 1/(2x), where the reciprocal formula
  // rounds three times.
  ComplexDouble z;
  if (std::fabs(c.re) >= std::fabs(c.im)) {
    const double r = c.im / c.re;
    const double den = c.re + c.im * r;
    z = {(a.re + a.im * r) / den, (a.im - a.re * r) / den};
  } else {
    const double r = c.re / c.im;
    const double den = c.re * r + c.im;
    z = {(a.re * r + a.im) / den, (a.im * r - a.re) / den};
  }
  return {std::ldexp(z.re, ep - eq), std::ldexp(z.im, ep - eq)};
}

double ScaledMagnitude(ComplexDouble z) {
  const int e = ScaleOf(z);
  const ComplexDouble s = Scaled(z, e);
  return std::ldexp(std::sqrt(s.re * s.re + s.im * s.im), e);
}

bool OppositeDirections(ComplexDouble s, ComplexDouble t) {
  // Each scaled on its own: only the sign matters, and it cannot overflow.
  const ComplexDouble a = Scaled(s, ScaleOf(s));
  const ComplexDouble b = Scaled(t, ScaleOf(t));
  return a.re * b.re + a.im * b.im < 0;
}

}  // namespace symcalc
