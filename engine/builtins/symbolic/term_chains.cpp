#include "builtins/symbolic/term_chains.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "builtins/symbolic/merge_order.h"
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
// Like terms must merge even where the term order would keep them apart: the
// order is not transitive across product shapes (2*x^2 < x*y < x^2, yet 2*x^2
// and x^2 are like), so sorting alone can leave them in different places.
// Terms are therefore grouped first, by a hash that gives like terms equal
// keys, and LikeTerms decides within a group.

constexpr int kHashDepth = 48;  // deeper structure only costs collisions

std::uint64_t Mix(std::uint64_t h, std::uint64_t x) {
  return h ^ (x + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

// Numbers that compare equal (2, 2.0, 4/2) share a key.
std::uint64_t NumberKey(double d) {
  if (d == 0) return 0;
  if (d != d) return 1;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

std::uint64_t TextKey(const Value* v) { return std::hash<std::string_view>{}(TextOf(v)); }

std::uint64_t ShapeKey(const Value* v, int depth) {
  if (IsReal(v)) return Mix(1, NumberKey(DoubleOf(v)));
  const std::uint64_t h = static_cast<std::uint64_t>(v->type) + 2;
  if (depth > kHashDepth) return h;
  switch (v->type) {
    case ValueType::Complex:
      return Mix(Mix(h, ShapeKey(v->pair.left, depth + 1)), ShapeKey(v->pair.right, depth + 1));
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      return Mix(h, TextKey(v));
    case ValueType::MathSymbol:
      return Mix(h, static_cast<std::uint64_t>(v->mathSymbol));
    case ValueType::Boolean:
      return Mix(h, v->boolean);
    case ValueType::Error:
      return Mix(h, static_cast<std::uint64_t>(v->error.code));
    case ValueType::Set:
      return Mix(h, static_cast<std::uint64_t>(v->set.count));
    case ValueType::Array:
      return Mix(Mix(h, static_cast<std::uint64_t>(v->array.width)),
                 static_cast<std::uint64_t>(v->array.height));
    case ValueType::Function: {
      std::uint64_t k = Mix(h, std::hash<std::string_view>{}(v->function.entry->name));
      for (const Value* a : v->function.args)
        if (a) k = Mix(k, ShapeKey(a, depth + 1));
      return k;
    }
    default:
      if (IsOperator(v))
        return Mix(Mix(h, ShapeKey(v->pair.left, depth + 1)), ShapeKey(v->pair.right, depth + 1));
      return h;  // ranges
  }
}

// The key of a term of a sum: its shape without the numeric coefficient, the
// leftmost factor of a product.
std::uint64_t TermKey(const Value* t) {
  if (IsNumber(t)) return 0;
  if (t->type != ValueType::Times) return ShapeKey(t, 0);
  std::vector<const Value*> factors = ChainOperands(t, ValueType::Times);
  std::size_t first = IsNumber(factors[0]) ? 1 : 0;
  if (factors.size() - first == 1) return ShapeKey(factors[first], 0);
  std::uint64_t k = static_cast<std::uint64_t>(ValueType::Times) + 2;
  for (std::size_t i = first; i < factors.size(); ++i) k = Mix(k, ShapeKey(factors[i], 1));
  return k;
}

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
  {
    CoefficientScope scope;
    if (LikeTerms(a, b, Chain::Sum) == 1) return Add(a, b);
  }
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

Value* SumOf(std::vector<Held>& terms) {
  for (const Held& t : terms)
    if (IsError(t.get())) return PassError(t.get());
  if (terms.empty()) return MakeQword(0);
  std::vector<Held> merged = MergeLikeTerms(terms);
  // In canonical order every addition lands at the end of the chain, so the
  // simplifier's insertion pass stops at once.
  SortTerms(merged);
  Held sum = std::move(merged[0]);
  for (std::size_t i = 1; i < merged.size(); ++i) sum = Hold(Add(sum.get(), merged[i].get()));
  return sum.release();
}

}  // namespace symcalc
