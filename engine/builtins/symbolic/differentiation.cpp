// Symbolic differentiation: a recursive rewrite of the expression tree. Every
// derivative is assembled with the engine's own arithmetic and builtins, so
// each piece is in normal form the moment it exists; how far the result is
// tidied is the simplifier's business alone.
#include <string_view>
#include <vector>

#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"
#include "builtins/symbolic/term_chains.h"
#include "eval/cancel.h"
#include "eval/depth_guard.h"
#include "eval/set_order.h"
#include "eval/simplify.h"
#include "eval/simplify_internal.h"

namespace symcalc {
namespace {

// Far beyond any expression typed by hand; the stack guard usually ends a
// runaway recursion first.
constexpr int kMaxNesting = 100000;

// The variable of differentiation: the simplified second argument (kept for
// unevaluated applications) and its name.
struct Wrt {
  const Value* value;
  std::string_view name;
  // The last derivative known to be a product of applications made of names
  // only, in strictly ascending order (a single one counts). It is held, so
  // that while it is known by its address no other value can have it.
  mutable Held ascending;
};

Value* Derive(const Value* e, const Wrt& x);

// f'(u) * u' for an outer factor f'(u) that is an application. Along nested
// applications u' is the product of the inner factors, and the outer one is
// greater than all of them: multiplied in from the left it is compared with
// each on its way to the end, whole subtrees each time, which for n nested
// applications costs the cube of n. When u' is such a product in ascending
// order and the factor is greater than its last factor, the order (strict and
// total on these values) puts the factor last, which is where multiplying it
// in from the right leaves it at the cost of one comparison.
Value* TimesDerivative(const Value* factor, const Value* du, const Wrt& x) {
  const bool one = IsType(du, ValueType::Qword) && du->qword == 1;
  if ((!one && x.ascending.get() != du) || LiteralRewriting() ||
      factor->type != ValueType::Function || !TiesOnlyWhenAlike(factor))
    return Multiply(factor, du);
  if (one) {
    x.ascending = Hold(Retain(factor));
    return Retain(factor);
  }
  const Value* last = du->type == ValueType::Times ? du->pair.right : du;
  if (TermOrder(factor, last, Chain::Product) != TermOrdering::Follows) return Multiply(factor, du);
  // Greater than every factor, it is like none: the product need not look.
  KnownUnlike unlike(factor, ValueType::Times);
  Value* product = Multiply(du, factor);
  x.ascending = Hold(Retain(product));
  return product;
}

Value* Call(BuiltinFn f, const Value* a, const Value* b = nullptr) {
  Value* const args[4] = {const_cast<Value*>(a), const_cast<Value*>(b), nullptr, nullptr};
  return f(args, nullptr);
}

Held Number(std::int64_t n) { return Hold(MakeQword(n)); }

// u^2, the square most inverse-function rules divide by.
Held Square(const Value* u) {
  Held two = Number(2);
  return Hold(Call(BuiltinPow, u, two.get()));
}

// ---- the function rules: f is the application, u its first argument ---------

using Rule = Value* (*)(const Value* f, const Value* u, const Wrt& x);

// exp(u)' -> f * u'
Value* DeriveExp(const Value* f, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  return TimesDerivative(f, du.get(), x);
}

// log(u)' -> (1 / u) * u'
Value* DeriveLog(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held reciprocal = Hold(Divide(one.get(), u));
  return Multiply(reciprocal.get(), du.get());
}

// sqr(u)' -> f * diff(1/2 * log(u))
Value* DeriveSqr(const Value* f, const Value* u, const Wrt& x) {
  Held half = Hold(MakeRatio(1, 2));
  Held log = Hold(Call(BuiltinLog, u));
  Held exponent = Hold(Multiply(half.get(), log.get()));
  Held d = Hold(Derive(exponent.get(), x));
  return Multiply(f, d.get());
}

// sin(u)' -> cos(u) * u'
Value* DeriveSin(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held cos = Hold(Call(BuiltinCos, u));
  return TimesDerivative(cos.get(), du.get(), x);
}

// cos(u)' -> sin(u) * (-1 * u')
Value* DeriveCos(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held sin = Hold(Call(BuiltinSin, u));
  Held minusOne = Number(-1);
  Held negated = Hold(Multiply(minusOne.get(), du.get()));
  return Multiply(sin.get(), negated.get());
}

// tan(u)' -> u' * (1 + f^2)
Value* DeriveTan(const Value* f, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held sum = Hold(Add(one.get(), Square(f).get()));
  return Multiply(du.get(), sum.get());
}

// asin(u)' -> u' / sqr(1 - u^2)
Value* DeriveAsin(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held radicand = Hold(Subtract(one.get(), Square(u).get()));
  Held root = Hold(Call(BuiltinSqr, radicand.get()));
  return Divide(du.get(), root.get());
}

// acos(u)' -> (0 - u') / sqr(1 - u^2)
Value* DeriveAcos(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held zero = Number(0);
  Held one = Number(1);
  Held negated = Hold(Subtract(zero.get(), du.get()));
  Held radicand = Hold(Subtract(one.get(), Square(u).get()));
  Held root = Hold(Call(BuiltinSqr, radicand.get()));
  return Divide(negated.get(), root.get());
}

// atan(u)' -> u' / (1 + u^2)
Value* DeriveAtan(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held sum = Hold(Add(one.get(), Square(u).get()));
  return Divide(du.get(), sum.get());
}

// sinh(u)' -> cosh(u) * u'
Value* DeriveSinh(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held cosh = Hold(Call(BuiltinCosh, u));
  return TimesDerivative(cosh.get(), du.get(), x);
}

// cosh(u)' -> sinh(u) * u'
Value* DeriveCosh(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held sinh = Hold(Call(BuiltinSinh, u));
  return TimesDerivative(sinh.get(), du.get(), x);
}

// tanh(u)' -> u' * (1 - f^2)
Value* DeriveTanh(const Value* f, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held difference = Hold(Subtract(one.get(), Square(f).get()));
  return Multiply(du.get(), difference.get());
}

// asinh(u)' -> u' / sqr(u^2 + 1)
Value* DeriveAsinh(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held radicand = Hold(Add(Square(u).get(), one.get()));
  Held root = Hold(Call(BuiltinSqr, radicand.get()));
  return Divide(du.get(), root.get());
}

// acosh(u)' -> u' / sqr(u^2 - 1)
Value* DeriveAcosh(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held radicand = Hold(Subtract(Square(u).get(), one.get()));
  Held root = Hold(Call(BuiltinSqr, radicand.get()));
  return Divide(du.get(), root.get());
}

// atanh(u)' -> u' / (1 - u^2)
Value* DeriveAtanh(const Value*, const Value* u, const Wrt& x) {
  Held du = Hold(Derive(u, x));
  Held one = Number(1);
  Held difference = Hold(Subtract(one.get(), Square(u).get()));
  return Divide(du.get(), difference.get());
}

struct NamedRule {
  std::string_view name;
  Rule rule;
};

constexpr NamedRule kRules[] = {
    {"exp", DeriveExp},     {"log", DeriveLog},     {"sqr", DeriveSqr},     {"sin", DeriveSin},
    {"cos", DeriveCos},     {"tan", DeriveTan},     {"asin", DeriveAsin},   {"acos", DeriveAcos},
    {"atan", DeriveAtan},   {"sinh", DeriveSinh},   {"cosh", DeriveCosh},   {"tanh", DeriveTanh},
    {"asinh", DeriveAsinh}, {"acosh", DeriveAcosh}, {"atanh", DeriveAtanh},
};

Value* Unknown(const Value* e, const Wrt& x) {
  Value* const args[2] = {const_cast<Value*>(e), const_cast<Value*>(x.value)};
  return Unevaluated(BuiltinDiff, args, 2);
}

Value* DeriveApplication(const Value* f, const Wrt& x) {
  const std::string_view name = f->function.entry->name;
  // atan(y, x) is the angle of a point, a function of two variables.
  if (name == "atan" && f->function.args[1]) return Unknown(f, x);
  for (const NamedRule& r : kRules)
    if (r.name == name && f->function.args[0]) return r.rule(f, f->function.args[0], x);
  return Unknown(f, x);
}

// (a + b)' -> a' + b', over the whole chain at once: the derivatives are
// summed in canonical order, which a long sum needs to stay linear and
// shallow.
Value* DeriveSum(const Value* e, const Wrt& x) {
  std::vector<Held> terms;
  for (const Value* t : ChainOperands(e, ValueType::Plus)) {
    if (CancelPending()) return Abandoned(e);
    Held d = Hold(Derive(t, x));
    if (IsError(d.get())) return d.release();
    AppendTerms(d.get(), terms);
  }
  return SortedSum(terms);
}

// (a * b)' -> a' * b + a * b'
Value* DeriveProduct(const Value* e, const Wrt& x) {
  const Value* a = e->pair.left;
  const Value* b = e->pair.right;
  Held da = Hold(Derive(a, x));
  Held left = Hold(Multiply(da.get(), b));
  Held db = Hold(Derive(b, x));
  Held right = Hold(Multiply(a, db.get()));
  return Add(left.get(), right.get());
}

// (a ^ b)' -> e * (b * log(a))', for every exponent: a constant one is
// reduced by the simplifier on the way.
Value* DerivePower(const Value* e, const Wrt& x) {
  Held log = Hold(Call(BuiltinLog, e->pair.left));
  Held exponent = Hold(Multiply(e->pair.right, log.get()));
  Held d = Hold(Derive(exponent.get(), x));
  return Multiply(e, d.get());
}

Value* Derive(const Value* term, const Wrt& x) {
  DepthGuard level(Recursion::Differentiate, kMaxNesting);
  if (level.Exceeded()) return DepthError(term);
  if (CancelPending()) return Abandoned(term);
  Held simplified = Hold(Simplify(term));
  const Value* e = simplified.get();
  if (IsError(e)) return PassError(e);
  if (e->type == ValueType::Complex) {
    Held re = Hold(Derive(e->pair.left, x));
    Held im = Hold(Derive(e->pair.right, x));
    return MakeComplex(re.get(), im.get());
  }
  if (IsNumber(e)) return MakeQword(0);
  if (HasText(e)) return MakeQword(TextOf(e) == x.name ? 1 : 0);
  if (e->type == ValueType::Function) return DeriveApplication(e, x);
  switch (e->type) {
    case ValueType::Plus:
      return DeriveSum(e, x);
    case ValueType::Times:
      return DeriveProduct(e, x);
    case ValueType::Power:
      return DerivePower(e, x);
    default:
      // Booleans, math symbols, ranges, arrays, sets, logic and relations.
      return MakeError(ErrorCode::NotAnAnalysisTerm, e);
  }
}

}  // namespace

Value* BuiltinDiff(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  const Value* e = a[0];
  const Value* v = a[1];
  if (IsError(e)) return PassError(e, out);
  if (!HasText(v)) {
    if (IsError(v)) return PassError(v, out);
    return MakeError(ErrorCode::NotAStringSymbolOrVariable, v, out);
  }
  return Deliver(Derive(e, Wrt{v, TextOf(v), nullptr}), out);
}

std::span<const BuiltinSpec> DifferentiationBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"diff", BuiltinDiff, 2, 0, 2},
  };
  return kTable;
}

}  // namespace symcalc
