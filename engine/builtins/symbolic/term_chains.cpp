#include "builtins/symbolic/term_chains.h"

#include <algorithm>

#include "eval/coefficients.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

// True when `later` must stand after `earlier` in a sum.
bool MustFollow(const Value* later, const Value* earlier) {
  CoefficientScope scope;
  const int r = TermOrder(later, earlier, Chain::Sum);
  return r == 1 || r == 2;
}

// A stable merge sort that asks only "must this follow that": it needs no
// strict weak order, so term orders with ties in odd places (sets, NaN) cost
// placement, never correctness.
void SortTerms(std::vector<Held>& terms) {
  const std::size_t n = terms.size();
  std::vector<Held> scratch(n);
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, n);
      const std::size_t hi = std::min(lo + 2 * width, n);
      std::size_t i = lo;
      std::size_t j = mid;
      std::size_t k = lo;
      while (i < mid && j < hi)
        scratch[k++] = MustFollow(terms[i].get(), terms[j].get()) ? std::move(terms[j++])
                                                                  : std::move(terms[i++]);
      while (i < mid) scratch[k++] = std::move(terms[i++]);
      while (j < hi) scratch[k++] = std::move(terms[j++]);
    }
    terms.swap(scratch);
  }
}

}  // namespace

std::vector<const Value*> ChainOperands(const Value* v, ValueType op) {
  std::vector<const Value*> operands;
  const Value* x = v;
  while (x->type == op) {
    operands.push_back(x->pair.right);
    x = x->pair.left;
  }
  operands.push_back(x);
  std::reverse(operands.begin(), operands.end());
  return operands;
}

void AppendTerms(const Value* v, std::vector<Held>& terms) {
  for (const Value* t : ChainOperands(v, ValueType::Plus)) terms.push_back(Hold(Retain(t)));
}

Value* SumOf(std::vector<Held>& terms) {
  for (const Held& t : terms)
    if (IsError(t.get())) return PassError(t.get());
  if (terms.empty()) return MakeQword(0);
  // In canonical order every addition lands at the end of the chain, so the
  // simplifier's insertion pass stops at once and like terms meet there.
  SortTerms(terms);
  Held sum = std::move(terms[0]);
  for (std::size_t i = 1; i < terms.size(); ++i) sum = Hold(Add(sum.get(), terms[i].get()));
  return sum.release();
}

}  // namespace symcalc
