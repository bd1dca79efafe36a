#include "builtins/symbolic/root_extraction.h"

#include <cmath>
#include <cstdint>

#include "builtins/builtins.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

constexpr std::int64_t kMaxRoots = 1000;
constexpr double kPi = 3.141592653589793;

Value* Call(BuiltinFn f, const Value* a, const Value* b) {
  Value* const args[4] = {const_cast<Value*>(a), const_cast<Value*>(b), nullptr, nullptr};
  return f(args, nullptr);
}

// u = z^d0 * r^(d/n) for the k-th of the n roots of unity z, whose real
// and imaginary parts are cos(2k*pi/n) and cos((n-4k)*pi/(2n)) = sin(2k*pi/n);
// the zero snap of doubles makes the roots on the axes come out real.
Value* RootEquation(const Value* u, const Value* r, std::int64_t k, std::int64_t n, std::int64_t d,
                    std::int64_t d0) {
  const double angle = static_cast<double>(2 * k) * kPi / static_cast<double>(n);
  const double sine = static_cast<double>(n - 4 * k) * kPi / static_cast<double>(2 * n);
  Held x = Hold(MakeDouble(std::cos(angle)));
  Held y = Hold(MakeDouble(std::cos(sine)));
  Held unit = Hold(MakeComplex(x.get(), y.get()));
  Held d0Value = Hold(MakeQword(d0));
  Held turned = Hold(Call(BuiltinPow, unit.get(), d0Value.get()));
  Held fraction = Hold(MakeRatio(d, n));
  Held scale = Hold(Call(BuiltinPow, r, fraction.get()));
  Held root = Hold(Multiply(turned.get(), scale.get()));
  return MakeOperatorNode(ValueType::Equal, u, root.get());
}

}  // namespace

Value* ExtractRoots(const Value* u, const Value* w, const Value* r) {
  Held exponent = Hold(Retain(w));
  if (w->type == ValueType::Double) {
    Held exact = Hold(Call(BuiltinRational, w, nullptr));
    if (IsRational(exact.get())) exponent = std::move(exact);
  }
  const Value* e = exponent.get();
  if (!IsRational(e)) {
    // u = r^(1/w)
    Held one = Hold(MakeQword(1));
    Held reciprocal = Hold(Divide(one.get(), e));
    Held root = Hold(Call(BuiltinPow, r, reciprocal.get()));
    return MakeOperatorNode(ValueType::Equal, u, root.get());
  }
  std::int64_t n = e->type == ValueType::Qword ? e->qword : e->ratio.num;
  std::int64_t d = e->type == ValueType::Qword ? 1 : e->ratio.den;
  if (n == 0 || n > kMaxRoots || n < -kMaxRoots) return nullptr;
  const std::int64_t d0 = d;
  if (n < 0) {
    n = -n;
    d = -d;
  }
  Held roots;
  for (std::int64_t k = n - 1; k >= 0; --k) {
    Held equation = Hold(RootEquation(u, r, k, n, d, d0));
    roots = roots ? Hold(MakeOperatorNode(ValueType::Or, roots.get(), equation.get()))
                  : std::move(equation);
  }
  return roots.release();
}

}  // namespace symcalc
