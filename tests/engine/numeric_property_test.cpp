// Seeded properties of the number arithmetic over 2,000 random doubles spread
// log-uniformly over magnitudes 1e-12 to 1e300, both signs: quotients,
// complex magnitudes and the inverse functions hold their identities where a
// snap of a partial result or a cancellation used to break them.
#include <charconv>
#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

using Complex = std::complex<double>;

constexpr int kOperands = 2000;

std::vector<double> Operands(std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> exponent(-12.0, 300.0);
  std::vector<double> v(kOperands);
  for (double& x : v) x = (rng() & 1 ? -1.0 : 1.0) * std::pow(10.0, exponent(rng));
  return v;
}

// The shortest text that reads back as the same double, in parentheses so
// that a minus sign may follow an operator.
std::string Text(double x) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, x);
  return "(" + std::string(buf, r.ptr) + ")";
}

std::string Text(Complex z) { return "#c(" + Text(z.real()) + "," + Text(z.imag()) + ")"; }

bool Within(Complex got, Complex want) {
  return std::abs(got - want) <= std::max(1e-9 * std::abs(want), 1e-12);
}

class NumericProperties : public EngineTest {
 protected:
  // The value of `text` as a complex double; NaN when it is not a number.
  Complex Number(const std::string& text) {
    Value* v = EvaluateText(text);
    Complex z(NAN, NAN);
    if (IsReal(v)) z = DoubleOf(v);
    if (v->type == ValueType::Complex && IsReal(v->pair.left) && IsReal(v->pair.right))
      z = Complex(DoubleOf(v->pair.left), DoubleOf(v->pair.right));
    FreeValue(v);
    return z;
  }
};

TEST_F(NumericProperties, QuotientTimesDivisorIsTheDividend) {
  const std::vector<double> a = Operands(1401);
  const std::vector<double> b = Operands(1402);
  int checked = 0;
  for (int i = 0; i < kOperands; ++i) {
    // Quotients below the snap bound or beyond the double range have nothing
    // to give back.
    const double q = std::fabs(a[i] / b[i]);
    if (q >= 1e-12 && q <= 1e300) {
      ++checked;
      const std::string line = "(" + Text(a[i]) + "/" + Text(b[i]) + ")*" + Text(b[i]);
      EXPECT_TRUE(Within(Number(line), a[i])) << line;
    }
    const Complex z(a[i], b[(i + 1) % kOperands]);
    const Complex w(b[i], a[(i + 1) % kOperands]);
    // A part of the quotient far below the other may snap: keep it above 1e-3.
    if (std::abs(z / w) >= 1e-3 && std::abs(z / w) <= 1e300) {
      ++checked;
      const std::string line = "(" + Text(z) + "/" + Text(w) + ")*" + Text(w);
      EXPECT_TRUE(Within(Number(line), z)) << line;
    }
  }
  EXPECT_GT(checked, kOperands);
}

TEST_F(NumericProperties, SquaredMagnitudeIsTheSumOfSquares) {
  const std::vector<double> a = Operands(1403);
  const std::vector<double> b = Operands(1404);
  for (int i = 0; i < kOperands; ++i) {
    const std::string line = "abs(" + Text(Complex(a[i], b[i])) + ")";
    // Both sides divided by the (exact enough) hypot, so neither overflows.
    const double ratio = Number(line).real() / std::hypot(a[i], b[i]);
    EXPECT_NEAR(ratio * ratio, 1.0, 1e-9) << line;
  }
}

// f(finv(x)) = x holds on every branch of these formulas; tanh(atanh(x)) is
// checked inside (-1, 1), where sinh and cosh of the result do not cancel.
TEST_F(NumericProperties, InverseFunctionsAreRightInverses) {
  const std::vector<double> a = Operands(1405);
  const char* const pairs[][2] = {
      {"sin", "asin"}, {"cos", "acos"}, {"sinh", "asinh"}, {"cosh", "acosh"}};
  for (int i = 0; i < kOperands; ++i) {
    const Complex x = a[i];
    // Complex arguments up to 1e150, where x*x does not overflow.
    const Complex z = std::polar(std::pow(10.0, std::fmod(std::fabs(std::log10(std::fabs(a[i]))), 150.0)),
                                 a[(i + 1) % kOperands]);
    for (const auto& p : pairs) {
      for (const Complex& arg : {x, z}) {
        const std::string line = std::string(p[0]) + "(" + p[1] + "(" + Text(arg) + "))";
        EXPECT_TRUE(Within(Number(line), arg)) << line;
      }
    }
    if (std::fabs(a[i]) < 1) {
      const std::string line = "tanh(atanh(" + Text(a[i]) + "))";
      EXPECT_TRUE(Within(Number(line), x)) << line;
    }
  }
}

}  // namespace
}  // namespace symcalc::testing
