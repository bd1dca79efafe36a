// Equation solving by rewriting: the variable is isolated by undoing the
// outermost operation on both sides, one step at a time; sums and products
// that hold the variable twice are expanded, factored, split at a zero
// product or handed to the quadratic formula. Whatever no rule covers comes
// back as the unevaluated solve(equation, variable).
#include <cstdint>
#include <string_view>
#include <vector>

#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"
#include "builtins/symbolic/expand.h"
#include "builtins/symbolic/polynomial_degree.h"
#include "builtins/symbolic/root_extraction.h"
#include "builtins/symbolic/term_chains.h"
#include "builtins/symbolic/variable_search.h"
#include "eval/cancel.h"
#include "eval/depth_guard.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

// Every rewrite shrinks the side holding the variable, so legitimate chains
// of rewrites are as long as the equation is deep; a rewrite that fails to
// shrink it (a step the simplifier cannot undo) ends here.
constexpr int kMaxRewrites = 2000;

struct Unknown {
  const Value* given;     // the simplified second argument, for unevaluated answers
  std::string_view name;  // its text
  Held variable;          // the variable of that name; null if no variable can have it
};

Value* Solve(const Value* e, const Unknown& x);

Value* Call(BuiltinFn f, const Value* a, const Value* b = nullptr) {
  Value* const args[4] = {const_cast<Value*>(a), const_cast<Value*>(b), nullptr, nullptr};
  return f(args, nullptr);
}

Value* Pending(const Value* e, const Unknown& x) {
  Value* const args[2] = {const_cast<Value*>(e), const_cast<Value*>(x.given)};
  return Unevaluated(BuiltinSolve, args, 2);
}

bool IsPendingSolve(const Value* s) {
  return s->type == ValueType::Function && s->function.entry->name == "solve";
}

bool IsTrueValue(const Value* s) { return s->type == ValueType::Boolean && s->boolean; }

Value* Equation(const Value* l, const Value* r) { return MakeOperatorNode(ValueType::Equal, l, r); }

Value* SolveRewritten(const Value* l, const Value* r, const Unknown& x) {
  Held e = Hold(Equation(l, r));
  return Solve(e.get(), x);
}

Value* OneElementSet(const Value* element) {
  Held empty = Hold(MakeEmptySet());
  return Call(BuiltinInto, empty.get(), element);
}

// ---- "|" and "&" ---------------------------------------------------------------

// The solutions of s1 op s2, where s1 and s2 solved the two sides.
Value* Combine(ValueType op, const Value* s1, const Value* s2, const Unknown& x) {
  if (IsError(s1)) return PassError(s1);
  if (IsError(s2)) return PassError(s2);
  if (op == ValueType::Or) {
    if (IsTrueValue(s1) || IsTrueValue(s2)) return MakeBoolean(1);
  } else {
    if (IsTrueValue(s1)) return Retain(s2);
    if (IsTrueValue(s2)) return Retain(s1);
  }
  const bool pending1 = IsPendingSolve(s1);
  const bool pending2 = IsPendingSolve(s2);
  if (pending1 && pending2) {
    Held both = Hold(MakeOperatorNode(op, s1->function.args[0], s2->function.args[0]));
    return Pending(both.get(), x);
  }
  // An unsolved side goes second, so the solved one is the set in front.
  const Value* first = pending1 ? s2 : s1;
  const Value* second = pending1 ? s1 : s2;
  return Call(op == ValueType::Or ? BuiltinUnion : BuiltinIntersect, first, second);
}

// A chain of one connective, folded from the left as its nested nodes would be
// solved, without recursing once per link (root extraction makes chains of up
// to a thousand equations).
Value* SolveConnective(const Value* e, const Unknown& x) {
  const ValueType op = e->type;
  const std::vector<const Value*> sides = ChainOperands(e, op);
  Held solved = Hold(Solve(sides[0], x));
  for (std::size_t i = 1; i < sides.size(); ++i) {
    if (CancelPending()) return Abandoned(e);
    // The link joining sides 0..i has an error operand: it has no solutions.
    if (IsError(sides[i]) || (i == 1 && IsError(sides[0]))) {
      solved = Hold(MakeEmptySet());
      continue;
    }
    Held next = Hold(Solve(sides[i], x));
    solved = Hold(Combine(op, solved.get(), next.get(), x));
  }
  return solved.release();
}

// ---- the polynomial steps ---------------------------------------------------------

// The sum of the coefficients of one power (like summands count together);
// 0 when no summand has it.
Held CoefficientOf(const CoefficientList& list, std::int64_t power) {
  Held sum = Hold(MakeQword(0));
  for (const CoefficientEntry& entry : list)
    if (entry.power == power) sum = Hold(Add(sum.get(), entry.coefficient.get()));
  return sum;
}

// c1*x + c0 = 0 -> {-c0 / c1}
Value* LinearRoot(const CoefficientList& list) {
  Held c0 = CoefficientOf(list, 0);
  Held c1 = CoefficientOf(list, 1);
  Held minusOne = Hold(MakeQword(-1));
  Held negated = Hold(Multiply(minusOne.get(), c0.get()));
  Held root = Hold(Divide(negated.get(), c1.get()));
  return OneElementSet(root.get());
}

// c2*x^2 + c1*x + c0 = 0 -> {P + Q, P - Q} with P = -c1 / (2*c2) and
// Q = sqr(c1^2 - 4*c2*c0) / (2*c2)
Value* QuadraticRoots(const CoefficientList& list) {
  Held c0 = CoefficientOf(list, 0);
  Held c1 = CoefficientOf(list, 1);
  Held c2 = CoefficientOf(list, 2);
  Held minusFour = Hold(MakeQword(-4));
  Held minusOne = Hold(MakeQword(-1));
  Held two = Hold(MakeQword(2));
  Held square = Hold(Multiply(c1.get(), c1.get()));
  Held scaled = Hold(Multiply(minusFour.get(), c2.get()));
  Held product = Hold(Multiply(scaled.get(), c0.get()));
  Held discriminant = Hold(Add(square.get(), product.get()));
  Held root = Hold(Call(BuiltinSqr, discriminant.get()));
  Held negated = Hold(Multiply(minusOne.get(), c1.get()));
  Held twice = Hold(Multiply(two.get(), c2.get()));
  Held p = Hold(Divide(negated.get(), twice.get()));
  Held q = Hold(Divide(root.get(), twice.get()));
  Held sum = Hold(Add(p.get(), q.get()));
  Held difference = Hold(Subtract(p.get(), q.get()));
  Held first = Hold(OneElementSet(sum.get()));
  return Call(BuiltinInto, first.get(), difference.get());
}

// The smallest exponent of the variable among the summands of a sum that it
// divides.
std::int64_t LowestPower(const Value* sum, std::string_view name) {
  std::int64_t lowest = 0;
  for (const Value* t : ChainOperands(sum, ValueType::Plus)) {
    const std::int64_t d = PolynomialDegree(t, name, 0);
    if (lowest == 0 || d < lowest) lowest = d;
  }
  return lowest;
}

// L = 0, where L is expanded and holds the variable in two operands.
Value* SolveZeroSum(const Value* e, const Value* l, const Value* r, const Unknown& x) {
  if (l->type != ValueType::Plus) return Pending(e, x);
  // x divides every summand: x * (L / x) = 0
  if (PolynomialDegree(l, x.name, kDescendIntoSums) > 0) {
    if (!x.variable) return Pending(e, x);
    // When x^k divides every summand, taking out one x per rewrite would
    // find the root 0 k times over and run into the rewrite limit for
    // x^1000 + x^1001 = 0; x^(k-1) comes off at once instead, which loses no
    // root, since the remaining x still gives 0.
    Held rest = Hold(Retain(l));
    const std::int64_t k = LowestPower(l, x.name);
    if (k > 1) {
      Held exponent = Hold(MakeQword(k - 1));
      Held power = Hold(Call(BuiltinPow, x.variable.get(), exponent.get()));
      Held quotient = Hold(Divide(l, power.get()));
      rest = Hold(Expand(quotient.get()));
    }
    Held factored = Hold(FactorOut(rest.get(), x.variable.get()));
    return SolveRewritten(factored.get(), r, x);
  }
  CoefficientList list;
  const std::int64_t degree =
      PolynomialDegree(l, x.name, kDescendIntoSums | kRecordCoefficients, &list);
  if (degree == 2) return QuadraticRoots(list);
  // Degree one arises when a right side moved over: x*y + x*z = 5 becomes
  // (-5) + x*y + x*z = 0, which only the coefficients can still solve.
  if (degree == 1) return LinearRoot(list);
  return Pending(e, x);
}

// L = R where both operands of L hold the variable.
Value* SolveCombined(const Value* e, const Value* l, const Value* r, const Unknown& x) {
  // The steps below work on L = 0; factoring out and expanding an equation
  // with another right side would undo each other (x^2 + x = 6 <-> x*(1+x) = 6).
  if (!IsZero(r)) {
    Held difference = Hold(Subtract(l, r));
    Held moved = Hold(Expand(difference.get()));
    Held zero = Hold(MakeQword(0));
    Held equation = Hold(Equation(moved.get(), zero.get()));
    const Value* q = equation.get();
    // A sum goes on to the polynomial steps, even when only one summand
    // holds the variable: isolating that summand would bring back the
    // equation this step started from. Anything else (a single term, or a
    // concrete relation) takes the ordinary steps.
    if (q->type != ValueType::Equal || q->pair.left->type != ValueType::Plus ||
        !ContainsVariable(q->pair.left, x.name) || ContainsVariable(q->pair.right, x.name))
      return Solve(q, x);
    return SolveZeroSum(q, q->pair.left, q->pair.right, x);
  }
  // a * b = 0 -> a = 0 | b = 0
  if (l->type == ValueType::Times) {
    Held zero = Hold(MakeQword(0));
    Held left = Hold(Equation(l->pair.left, zero.get()));
    Held right = Hold(Equation(l->pair.right, zero.get()));
    Held either = Hold(MakeOperatorNode(ValueType::Or, left.get(), right.get()));
    return Solve(either.get(), x);
  }
  Held expanded = Hold(Expand(e));
  if (!Alike(e, expanded.get())) return Solve(expanded.get(), x);
  return SolveZeroSum(e, l, r, x);
}

// ---- isolation ---------------------------------------------------------------------

struct Inverse {
  std::string_view name;
  BuiltinFn inverse;
};

constexpr Inverse kInverses[] = {
    {"exp", BuiltinLog},    {"log", BuiltinExp},    {"sin", BuiltinAsin},   {"cos", BuiltinAcos},
    {"tan", BuiltinAtan},   {"asin", BuiltinSin},   {"acos", BuiltinCos},   {"atan", BuiltinTan},
    {"sinh", BuiltinAsinh}, {"cosh", BuiltinAcosh}, {"tanh", BuiltinAtanh}, {"asinh", BuiltinSinh},
    {"acosh", BuiltinCosh}, {"atanh", BuiltinTanh},
};

// f(u) = R -> u = g(R), one branch only.
Value* IsolateApplication(const Value* e, const Value* l, const Value* r, const Unknown& x) {
  const std::string_view name = l->function.entry->name;
  const Value* u = l->function.args[0];
  if (!u || (name == "atan" && l->function.args[1])) return Pending(e, x);
  for (const Inverse& inv : kInverses) {
    if (inv.name != name) continue;
    Held undone = Hold(Call(inv.inverse, r));
    return SolveRewritten(u, undone.get(), x);
  }
  return Pending(e, x);
}

// The side holding the variable becomes the operand that holds it, and the
// other side takes the inverse operation. (The operand is exactly what the
// simplifier makes of L - b or L / b when it can cancel; where it cannot,
// as with array coefficients, the left side would grow with every step.)
// A chain of terms or factors moves over one at a time, so that each can
// meet its like on the other side: -1*(a+b) is not distributed.
Value* IsolateSum(const Value* l, const Value* r, bool leftHolds, const Unknown& x) {
  // a + b = R -> a = R - b, or b = R - a
  Held rest = Hold(Retain(r));
  if (leftHolds) {
    rest = Hold(Subtract(r, l->pair.right));
  } else {
    for (const Value* t : ChainOperands(l->pair.left, ValueType::Plus))
      rest = Hold(Subtract(rest.get(), t));
  }
  return SolveRewritten(leftHolds ? l->pair.left : l->pair.right, rest.get(), x);
}

Value* IsolateProduct(const Value* l, const Value* r, bool leftHolds, const Unknown& x) {
  // a * b = R -> a = R / b, or b = R / a
  Held rest = Hold(Retain(r));
  if (leftHolds) {
    rest = Hold(Divide(r, l->pair.right));
  } else {
    for (const Value* f : ChainOperands(l->pair.left, ValueType::Times))
      rest = Hold(Divide(rest.get(), f));
  }
  return SolveRewritten(leftHolds ? l->pair.left : l->pair.right, rest.get(), x);
}

// Only L holds the variable.
Value* Isolate(const Value* e, const Value* l, const Value* r, const Unknown& x) {
  if (HasText(l)) return OneElementSet(r);
  if (l->type == ValueType::Function) return IsolateApplication(e, l, r, x);
  if (l->type != ValueType::Plus && l->type != ValueType::Times && l->type != ValueType::Power)
    return MakeError(ErrorCode::NotASolveTerm, l);
  const bool ca = ContainsVariable(l->pair.left, x.name);
  const bool cb = ContainsVariable(l->pair.right, x.name);
  if (ca && cb) return SolveCombined(e, l, r, x);
  if (l->type == ValueType::Plus) return IsolateSum(l, r, ca, x);
  if (l->type == ValueType::Times) return IsolateProduct(l, r, ca, x);
  if (ca) {
    // u^w = R -> u = each root
    Held roots = Hold(ExtractRoots(l->pair.left, l->pair.right, r));
    if (!roots) return Pending(e, x);
    return Solve(roots.get(), x);
  }
  // a^b = R -> log(a) * b = log(R)
  Held logBase = Hold(Call(BuiltinLog, l->pair.left));
  Held scaled = Hold(Multiply(logBase.get(), l->pair.right));
  Held logSide = Hold(Call(BuiltinLog, r));
  return SolveRewritten(scaled.get(), logSide.get(), x);
}

Value* SolveEquation(const Value* e, const Unknown& x) {
  const Value* l = e->pair.left;
  const Value* r = e->pair.right;
  const bool cl = ContainsVariable(l, x.name);
  const bool cr = ContainsVariable(r, x.name);
  if (cl && !cr) return Isolate(e, l, r, x);
  if (cr && !cl) return SolveRewritten(r, l, x);
  if (cl && cr) {
    Held difference = Hold(Subtract(l, r));
    Held zero = Hold(MakeQword(0));
    return SolveRewritten(difference.get(), zero.get(), x);
  }
  return MakeBoolean(1);
}

Value* Solve(const Value* equation, const Unknown& x) {
  DepthGuard level(Recursion::Solve, kMaxRewrites);
  if (level.Exceeded()) return Pending(equation, x);
  if (CancelPending()) return Abandoned(equation);
  Held simplified = Hold(Simplify(equation));
  const Value* e = simplified.get();
  if (IsError(e)) return PassError(e);
  if (IsOperator(e) && (IsError(e->pair.left) || IsError(e->pair.right))) return MakeEmptySet();
  switch (e->type) {
    case ValueType::Boolean:
      return e->boolean ? MakeBoolean(1) : MakeEmptySet();
    case ValueType::Or:
    case ValueType::And:
      return SolveConnective(e, x);
    case ValueType::Equal:
      return SolveEquation(e, x);
    default:
      return MakeError(ErrorCode::NotAnEquation, e);
  }
}

}  // namespace

Value* BuiltinSolve(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  const Value* e = a[0];
  const Value* v = a[1];
  if (IsError(e)) return PassError(e, out);
  if (IsOperator(e) && (IsError(e->pair.left) || IsError(e->pair.right))) return MakeEmptySet(out);
  if (!HasText(v)) {
    if (IsError(v)) return PassError(v, out);
    return MakeError(ErrorCode::NotAStringSymbolOrVariable, v, out);
  }
  // A name given as a string or symbol stands for the variable of that name,
  // which factoring out the variable needs as a value.
  const std::string_view name = TextOf(v);
  Unknown x{v, name, IsVariableName(name) ? Hold(MakeVariable(name)) : nullptr};
  return Deliver(Solve(e, x), out);
}

std::span<const BuiltinSpec> SolveBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"solve", BuiltinSolve, 2, 0, 2},
  };
  return kTable;
}

}  // namespace symcalc
