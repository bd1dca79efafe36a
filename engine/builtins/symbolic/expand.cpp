// Expansion and factoring out. Both rebuild the expression bottom-up with the
// engine's own arithmetic, so every intermediate result is in normal form.
#include "builtins/symbolic/expand.h"

#include <cstdint>
#include <vector>

#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"
#include "builtins/symbolic/packed_power.h"
#include "builtins/symbolic/term_chains.h"
#include "eval/cancel.h"
#include "eval/depth_guard.h"
#include "eval/simplify.h"
#include "eval/sum_accumulator.h"

namespace symcalc {
namespace {

constexpr int kMaxNesting = 100000;

// A power or product of sums is multiplied out only while its result fits
// the memory: (x+1)^1000000 or a product of two 4,000-term sums would take
// forever and fill it, so beyond these bounds a power stays a power, as
// powers with other exponents do, and a product stays a product. The bounds
// count the terms the result can have when no two products merge.
//
// Sums of integer monomials are multiplied out on exponent vectors, at some
// 500 bytes a term at the peak (the packed monomials of the last round, its
// merge table and sort order, and the records of the result, about 250 bytes
// a term for five unknowns): two million terms stay near a gigabyte. Every
// other sum is distributed on records, where the last round holds a record
// product for each pair of terms, some 2,300 bytes per result term: 400,000
// terms for the same gigabyte. Between the two bounds only the packed way is
// tried.
constexpr std::int64_t kMaxExponent = 1000;
constexpr double kMaxTerms = 2000000;
constexpr double kMaxRecordTerms = 400000;

// An expansion of more terms than this is built as one sorted chain at once:
// adding them up the way distribution does would cost the square of their
// number, and pass the accumulator's budget anyway.
constexpr std::size_t kMaxAddedTerms = 500;

Value* Power(const Value* base, const Value* exponent) {
  Value* const args[4] = {const_cast<Value*>(base), const_cast<Value*>(exponent), nullptr, nullptr};
  return BuiltinPow(args, nullptr);
}

// How a power or product of sums may be multiplied out, by the size its
// result can reach.
enum class Budget : std::uint8_t { Any, PackedOnly, Beyond };

Budget BudgetFor(double terms) {
  if (terms > kMaxTerms) return Budget::Beyond;
  return terms > kMaxRecordTerms ? Budget::PackedOnly : Budget::Any;
}

// The number of terms of a k-term sum raised to n when no two products
// merge: the number of monomials of degree n in k unknowns, C(n+k-1, k-1),
// counted no further than past kMaxTerms.
double PowerTerms(std::size_t k, std::int64_t n) {
  double terms = 1;
  for (std::size_t i = 1; i < k && terms <= kMaxTerms; ++i)
    terms = terms * static_cast<double>(n + static_cast<std::int64_t>(i)) / static_cast<double>(i);
  return terms;
}

Budget PowerBudget(std::size_t k, std::int64_t n) {
  if (n > kMaxExponent) return Budget::Beyond;
  return BudgetFor(PowerTerms(k, n));
}

// The first value starts the sum; the others are added to it.
void AddUp(SumAccumulator& sum, const Value* v) {
  if (sum.Started())
    sum.Add(v);
  else
    sum.Start(v);
}

bool HasSumBase(const Value* f) {
  return f->type == ValueType::Plus ||
         (f->type == ValueType::Power && f->pair.left->type == ValueType::Plus);
}

// A product of two expanded terms needs expanding again only when powers of
// one sum met in it: (1+x)^(1/2) * (1+x)^(3/2) is (1+x)^2.
bool MayNeedExpanding(const Value* product) {
  const Value* f = product;
  for (; f->type == ValueType::Times; f = f->pair.left)
    if (HasSumBase(f->pair.right)) return true;
  return HasSumBase(f);
}

// Every product of a term of a with a term of b, like products merged, put
// in the term order and chained with +. Not the distribution's partial sums
// added one after the other: adding a sum whose terms belong among the
// chain's puts back every term it passes, each of which moves down past the
// new terms it must precede, so that way costs the square of the number of
// terms where this takes n log n; the chain is in normal form all the same.
Value* SortedDistribution(const Value* a, const Value* b) {
  if (!LiteralRewriting())
    if (Value* packed = PackedProduct(a, b)) return packed;
  const std::vector<const Value*> bs = ChainOperands(b, ValueType::Plus);
  std::vector<Held> terms;
  for (const Value* x : ChainOperands(a, ValueType::Plus)) {
    if (CancelPending()) return Abandoned(a);
    for (const Value* y : bs) {
      Held product = Hold(Multiply(x, y));
      if (MayNeedExpanding(product.get())) product = Hold(Expand(product.get()));
      AppendTerms(product.get(), terms);
    }
  }
  return SortedSum(terms);
}

// a * b multiplied out the way distribution does it: the products of a
// term of a with the terms of b summed one after the other, and these
// partial sums summed, term by term of a. Every sum is the engine's own +,
// which merges like terms wherever they stand, so the chain is the one the
// distribution's additions give, as long as building it that way stays
// within the accumulator's budget; beyond it, and for more than
// kMaxAddedTerms products, the sorted chain.
Value* Distribute(const Value* a, const Value* b) {
  const std::vector<const Value*> as = ChainOperands(a, ValueType::Plus);
  const std::vector<const Value*> bs = ChainOperands(b, ValueType::Plus);
  if (as.size() * bs.size() > kMaxAddedTerms) return SortedDistribution(a, b);
  SumAccumulator total;
  for (const Value* x : as) {
    if (CancelPending()) return Abandoned(a);
    SumAccumulator partial;
    for (const Value* y : bs) {
      Held product = Hold(Multiply(x, y));
      if (MayNeedExpanding(product.get())) product = Hold(Expand(product.get()));
      AddUp(partial, product.get());
      if (partial.Exceeded()) return SortedDistribution(a, b);
    }
    Held sum = Hold(partial.Take());
    AddUp(total, sum.get());
    if (total.Exceeded()) return SortedDistribution(a, b);
  }
  return total.Take();
}

// sum^n for n >= 2 as the distribution steps build it: the square
// distributed, times sum^(n-2), expanded. Every addition is the engine's +,
// so the chain is the one those steps give (each distribution falls back to
// the sorted chain past its own bound).
Value* DistributedPowerOfSum(const Value* sum, std::int64_t n) {
  Held square = Hold(Distribute(sum, sum));
  if (n == 2 || IsError(square.get())) return square.release();
  Value* rest = MakeRawPair(ValueType::Power, Retain(sum), MakeQword(n - 2));
  Held product = Hold(MakeRawPair(ValueType::Times, square.release(), rest));
  return Expand(product.get());
}

// sum^n for n >= 2. A result of at most kMaxAddedTerms terms is built the
// way distribution builds it; a larger one as one sorted chain, one factor
// of the sum at a time: the sparse way, since the growing side is
// multiplied by the short one. Null when the budget allows only the packed
// way and that cannot take the sum. k is the number of terms of the sum.
Value* PowerOfSum(const Value* sum, std::size_t k, std::int64_t n, Budget budget) {
  if (PowerTerms(k, n) <= kMaxAddedTerms)
    return DistributedPowerOfSum(sum, n);
  if (!LiteralRewriting())
    if (Value* packed = PackedPowerOfSum(sum, n)) return packed;
  if (budget != Budget::Any) return nullptr;
  Held result = Hold(Retain(sum));
  for (std::int64_t i = 2; i <= n; ++i) {
    if (CancelPending()) return Abandoned(sum);
    result = Hold(SortedDistribution(result.get(), sum));
    if (IsError(result.get())) break;
  }
  return result.release();
}

// The terms of the expansions, merged and sorted into one chain.
Value* SortedExpansions(const std::vector<Held>& expanded) {
  std::vector<Held> all;
  for (const Held& t : expanded) AppendTerms(t.get(), all);
  return SortedSum(all);
}

// The expanded terms added one after the other; the terms up to the first
// one that expands to something else stay the chain they are. Beyond the
// accumulator's budget, and for more than kMaxAddedTerms terms, every term
// of the expansions in one sorted chain.
Value* ExpandSum(const Value* e) {
  const std::vector<const Value*> terms = ChainOperands(e, ValueType::Plus);
  std::vector<Held> expanded;
  std::size_t first = terms.size();  // the first term that expands to something else
  std::size_t count = 0;
  for (std::size_t k = 0; k < terms.size(); ++k) {
    expanded.push_back(Hold(Expand(terms[k])));
    if (first == terms.size() && expanded[k].get() != terms[k]) first = k;
    count += ChainOperands(expanded[k].get(), ValueType::Plus).size();
  }
  if (first == terms.size()) return Retain(e);
  if (count > kMaxAddedTerms) return SortedExpansions(expanded);
  SumAccumulator sum;
  if (first == 0) {
    sum.Start(expanded[0].get());
  } else {
    // The chain of the first terms, unchanged.
    const Value* prefix = e;
    for (std::size_t up = first; up < terms.size(); ++up) prefix = prefix->pair.left;
    sum.Start(prefix);
    sum.Add(expanded[first].get());
  }
  for (std::size_t k = first + 1; k < terms.size() && !sum.Exceeded(); ++k)
    sum.Add(expanded[k].get());
  return sum.Exceeded() ? SortedExpansions(expanded) : sum.Take();
}

// The most terms the product of the expanded factors can have: the product
// of their numbers of terms.
Budget ProductBudget(const std::vector<Held>& factors) {
  double terms = 1;
  for (const Held& f : factors) {
    std::size_t n = 1;
    for (const Value* v = f.get(); v->type == ValueType::Plus; v = v->pair.left) ++n;
    terms *= static_cast<double>(n);
    if (terms > kMaxTerms) break;
  }
  return BudgetFor(terms);
}

// The expanded factors, multiplied together without distributing.
Value* UndistributedProduct(std::vector<Held>& factors) {
  Held product = std::move(factors[0]);
  for (std::size_t i = 1; i < factors.size(); ++i)
    product = Hold(MakeOperatorNode(ValueType::Times, product.get(), factors[i].get()));
  return product.release();
}

// The factors are multiplied together left to right; wherever one side is a
// sum, the product is distributed.
Value* ExpandProduct(const Value* e) {
  const std::vector<const Value*> factors = ChainOperands(e, ValueType::Times);
  std::vector<Held> expanded;
  expanded.reserve(factors.size());
  bool changed = false;
  for (const Value* f : factors) {
    expanded.push_back(Hold(Expand(f)));
    const Value* x = expanded.back().get();
    if (x != f || x->type == ValueType::Plus) changed = true;
  }
  if (!changed) return Retain(e);
  const Budget budget = ProductBudget(expanded);
  if (budget == Budget::Beyond) return UndistributedProduct(expanded);
  Held product = Hold(Retain(expanded[0].get()));
  for (std::size_t i = 1; i < expanded.size(); ++i) {
    if (CancelPending()) return Abandoned(e);
    const Value* f = expanded[i].get();
    if (product->type == ValueType::Plus || f->type == ValueType::Plus) {
      // Beyond the bound of records, only the packed way may distribute;
      // where it cannot, the product stays as it was.
      Value* d = budget == Budget::Any ? Distribute(product.get(), f)
                 : LiteralRewriting()  ? nullptr
                                       : PackedProduct(product.get(), f);
      if (!d) return UndistributedProduct(expanded);
      product = Hold(d);
    } else
      product = Hold(MakeOperatorNode(ValueType::Times, product.get(), f));
  }
  return product.release();
}

Value* ExpandPower(const Value* e) {
  Held base = Hold(Expand(e->pair.left));
  Held exponent = Hold(Expand(e->pair.right));
  const Value* l = base.get();
  const Value* r = exponent.get();
  // (a * b)^r -> a^r * b^r
  if (l->type == ValueType::Times) {
    Held product;
    for (const Value* f : ChainOperands(l, ValueType::Times)) {
      Held power = Hold(Power(f, r));
      product = product ? Hold(Multiply(product.get(), power.get())) : std::move(power);
    }
    return Expand(product.get());
  }
  // (a + b)^n -> the sum multiplied out; (a + b)^-n -> 1 / that
  if (l->type == ValueType::Plus && r->type == ValueType::Qword) {
    const std::int64_t n = r->qword;
    const std::size_t k = ChainOperands(l, ValueType::Plus).size();
    const Budget budget = n >= 2 ? PowerBudget(k, n)
                          : n <= -2 && n >= -kMaxExponent ? PowerBudget(k, -n)
                                                          : Budget::Beyond;
    if (budget != Budget::Beyond) {
      Held positive = Hold(PowerOfSum(l, k, n < 0 ? -n : n, budget));
      if (positive && n > 0) return positive.release();
      if (positive) {
        Held one = Hold(MakeQword(1));
        return Divide(one.get(), positive.get());
      }
    }
  }
  if (l == e->pair.left && r == e->pair.right) return Retain(e);
  return MakeOperatorNode(ValueType::Power, l, r);
}

// Equations, relations and logic: both sides are expanded.
Value* ExpandOperands(const Value* e) {
  Held l = Hold(Expand(e->pair.left));
  Held r = Hold(Expand(e->pair.right));
  if (l.get() == e->pair.left && r.get() == e->pair.right) return Retain(e);
  return MakeOperatorNode(e->type, l.get(), r.get());
}

}  // namespace

Value* Expand(const Value* term) {
  DepthGuard level(Recursion::Expand, kMaxNesting);
  if (level.Exceeded()) return DepthError(term);
  if (CancelPending()) return Abandoned(term);
  Held simplified = Hold(Simplify(term));
  const Value* e = simplified.get();
  if (IsError(e)) return PassError(e);
  switch (e->type) {
    case ValueType::Plus:
      return ExpandSum(e);
    case ValueType::Times:
      return ExpandProduct(e);
    case ValueType::Power:
      return ExpandPower(e);
    default:
      if (IsOperator(e)) return ExpandOperands(e);
      return simplified.release();
  }
}

Value* FactorOut(const Value* term, const Value* f) {
  Held simplified = Hold(Simplify(term));
  const Value* e = simplified.get();
  // e -> f * expand(e / f)
  if (e->type == ValueType::Plus) {
    Held quotient = Hold(Divide(e, f));
    Held inner = Hold(Expand(quotient.get()));
    return Multiply(f, inner.get());
  }
  // e -> expand(e^(1/f))^f
  if (e->type == ValueType::Times) {
    Held one = Hold(MakeQword(1));
    Held reciprocal = Hold(Divide(one.get(), f));
    Held root = Hold(Power(e, reciprocal.get()));
    Held inner = Hold(Expand(root.get()));
    return Power(inner.get(), f);
  }
  if (IsError(e)) return PassError(e);
  return simplified.release();
}

Value* BuiltinExpand(Value* const* args, Value* out) { return Deliver(Expand(args[0]), out); }

Value* BuiltinFactorout(Value* const* args, Value* out) {
  return Deliver(FactorOut(args[0], args[1]), out);
}

std::span<const BuiltinSpec> ExpandBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"expand", BuiltinExpand, 1, 0, 0},
      {"factorout", BuiltinFactorout, 2, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
