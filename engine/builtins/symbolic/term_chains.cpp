#include "builtins/symbolic/term_chains.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "builtins/symbolic/merge_order.h"
#include "eval/cancel.h"
#include "eval/likeness_key.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

// True when `later` must stand after `earlier` in a sum.
bool MustFollow(const Value* later, const Value* earlier) {
  return symcalc::MustFollow(TermOrder(later, earlier, Chain::Sum));
}

// Puts the terms in the order they are chained in.
void SortTerms(std::vector<Held>& terms) {
  std::vector<std::uint32_t> order;
  std::vector<std::uint32_t> scratch;
  MergeOrder(terms.size(), order, scratch, [&](std::uint32_t a, std::uint32_t b) {
    return MustFollow(terms[a].get(), terms[b].get());
  });
  std::vector<Held> sorted(terms.size());
  for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = std::move(terms[order[i]]);
  terms.swap(sorted);
}

// ---- likeness keys -----------------------------------------------------------
//
// Like terms are merged before the sort: the order is not transitive across
// product shapes (2*x^2 < x*y < x^2, yet 2*x^2 and x^2 are like), so sorting
// alone can leave them in different places. Terms are grouped by a hash that
// gives like terms equal keys, and LikeTerms decides within a group; terms
// that differ only in the number type of their coefficients (2*x and 1/2*x)
// merge too, where + would keep them apart: exact arithmetic turns -186/2
// into the qword -93, and (x-93/2)^3 would otherwise show (-93)*x^2 beside
// (-93/2)*x^2.

// The key of a term of a sum: its likeness key, which leaves out the
// numeric coefficient; numbers all share one.
std::uint64_t TermKey(const Value* t) { return IsNumber(t) ? 0 : LikenessKey(t, Chain::Sum); }

// A term split into its numeric coefficient (1 when it has none) and the
// rest; a number is all coefficient and has no rest.
struct SplitTerm {
  Held coefficient;
  Held rest;
};

SplitTerm Split(const Value* t) {
  if (IsNumber(t)) return {Hold(Retain(t)), nullptr};
  if (t->type != ValueType::Times) return {Hold(MakeQword(1)), Hold(Retain(t))};
  std::vector<const Value*> factors = ChainOperands(t, ValueType::Times);
  if (!IsNumber(factors[0])) return {Hold(MakeQword(1)), Hold(Retain(t))};
  Held rest = Hold(Retain(factors[1]));
  for (std::size_t i = 2; i < factors.size(); ++i)
    rest = Hold(MakeRawPair(ValueType::Times, rest.release(), Retain(factors[i])));
  return {Hold(Retain(factors[0])), std::move(rest)};
}

// The sum of two like terms, or null when they are not like. Coefficients of
// different number types merge too (2*x and 0.5*x), which the simplifier's own
// likeness leaves apart.
Value* MergeTerms(const Value* a, const Value* b) {
  if (IsNumber(a) && IsNumber(b)) return Add(a, b);
  if (LikeTerms(a, b, Chain::Sum) == 1) return Add(a, b);
  SplitTerm x = Split(a);
  SplitTerm y = Split(b);
  if (!x.rest || !y.rest || !Alike(x.rest.get(), y.rest.get())) return nullptr;
  Held coefficient = Hold(Add(x.coefficient.get(), y.coefficient.get()));
  return Multiply(coefficient.get(), x.rest.get());
}

// Adds every term into the first earlier term it is like; what is left has no
// two like terms.
std::vector<Held> MergeLikeTerms(std::vector<Held>& terms) {
  std::vector<Held> merged;
  merged.reserve(terms.size());
  std::unordered_map<std::uint64_t, std::vector<std::size_t>> groups;
  for (Held& t : terms) {
    if (CancelPending()) break;  // the caller drops what is merged so far
    std::vector<std::size_t>& group = groups[TermKey(t.get())];
    bool done = false;
    for (std::size_t i : group) {
      Value* sum = MergeTerms(merged[i].get(), t.get());
      if (!sum) continue;
      merged[i] = Hold(sum);
      done = true;
      break;
    }
    if (done) continue;
    group.push_back(merged.size());
    merged.push_back(std::move(t));
  }
  return merged;
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

Value* SortedSum(std::vector<Held>& terms) {
  if (terms.empty()) return MakeQword(0);
  std::vector<Held> merged = MergeLikeTerms(terms);
  if (CancelPending()) return Abandoned(nullptr);
  // In canonical order every addition lands at the end of the chain, so the
  // simplifier's insertion stops at once.
  SortTerms(merged);
  Held sum = std::move(merged[0]);
  for (std::size_t i = 1; i < merged.size(); ++i)
    sum = Hold(MakeOperatorNode(ValueType::Plus, sum.get(), merged[i].get()));
  return sum.release();
}

}  // namespace symcalc
