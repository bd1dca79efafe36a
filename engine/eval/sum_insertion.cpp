// A term inserted into a long sum without a node per step.
//
// Rewriting moves a new term r down a sum chain one exchange at a time (one
// pass of insertion sort), each exchange a new node and a full
// re-simplification, and then merges r with a like term wherever it stands.
// Here the terms r passes are only compared, and the like term is found
// through the likeness tables. Only the node where r settles (or the one
// where it merges), and the steps outward from there until one leaves its
// node as it was, go through Simplify; after that step every further one
// repeats checks the chain l already passed when it was built, so the chain
// is the one the rewriting gives.
#include <algorithm>
#include <vector>

#include "eval/like_table.h"
#include "eval/likeness_key.h"
#include "eval/normal_form_check.h"
#include "eval/simplify_internal.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

Value* Pair(Value* l, Value* r) { return MakeRawPair(ValueType::Plus, l, r); }

bool ChainHolds(const Value* sum, const Value* term) {
  const Value* p = sum;
  for (; p->type == ValueType::Plus; p = p->pair.left)
    if (p->pair.right == term) return true;
  return p == term;
}

// The terms of l put back one at a time on top of `inner`, from `next` on.
// None of them is like a term below it, except, when `mayMerge` holds a
// term, one with that term's likeness key: a merged term whose coefficient
// changed type may now be like such a term (2/3*x merges with x, which
// 5*x + (-4)*x became). Only those are looked at again once the steps have
// settled; the others are known to stay where they are.
Value* AddBack(Held inner, const std::vector<const Value*>& prefixes, std::size_t next,
               const Value* mayMerge) {
  auto term = [&](std::size_t k) { return k == 0 ? prefixes[0] : prefixes[k]->pair.right; };
  const std::uint64_t key = mayMerge ? LikenessKey(mayMerge, Chain::Sum) : 0;
  bool plain = false;
  for (std::size_t j = next; j < prefixes.size(); ++j) {
    const Value* t = term(j);
    const bool mayBeLike = mayMerge && LikenessKey(t, Chain::Sum) == key;
    if (plain && !mayBeLike) {
      Value* node = Pair(inner.release(), Retain(t));
      StampBuilt(node);
      inner = Hold(node);
      continue;
    }
    const Value* before = inner.get();
    Held step = Hold(Pair(Retain(before), Retain(t)));
    Held after;
    if (mayBeLike) {
      after = Hold(Simplify(step.get(), false));
    } else {
      KnownUnlike known(t, ValueType::Plus);
      after = Hold(Simplify(step.get(), false));
    }
    if (SimplifyTripped()) return after.release();
    plain = after->type == ValueType::Plus && after->pair.left == before && after->pair.right == t;
    inner = std::move(after);
  }
  return inner.release();
}

}  // namespace

Value* InsertIntoSum(const Value* l, const Value* r, bool exchanges) {
  // A term put back after a change below it is known to be unlike the rest.
  const bool known = KnownUnlike::Holds(r, ValueType::Plus);
  const Value* like = known ? nullptr : FindLikeTerm(l, r, Chain::Sum);
  if (!like && !exchanges) return nullptr;

  std::vector<const Value*> prefixes;  // prefixes[k] ends with term k
  for (const Value* p = l;; p = p->pair.left) {
    prefixes.push_back(p);
    if (p->type != ValueType::Plus) break;
  }
  std::reverse(prefixes.begin(), prefixes.end());
  const std::size_t m = prefixes.size();
  auto term = [&](std::size_t k) { return k == 0 ? prefixes[0] : prefixes[k]->pair.right; };

  // r settles after the first `below` terms.
  std::size_t below = m;
  if (exchanges) {
    for (below = m - 1; below > 0; --below) {
      if (!MustFollow(TermOrder(term(below - 1), r, Chain::Sum))) break;
    }
  }
  // Two concrete terms meeting at the front are computed, like or not.
  if (below <= 1 && !IsSymbolic(prefixes[0]) && !IsSymbolic(r)) {
    below = 0;
    like = nullptr;
  }
  std::size_t likeAt = 0;
  while (like && term(likeAt) != like) ++likeAt;
  // r would pass its like term and meet it only when that term is put back:
  // left to the general rule.
  if (like && likeAt >= below) return ExchangeOnce(ValueType::Plus, l, r, false);

  Held inner;
  std::size_t next;
  Held merged;
  // Terms unlike before a merge stay unlike the merged term, unless they
  // differ from it only in the type of a number.
  bool unlike = true;
  if (like) {
    // x + ... + r -> the merged term where x stands
    unlike = !SharesKey(l, like, Chain::Sum);
    LikeCoefficients found;
    LikeTerms(like, r, Chain::Sum, &found);
    Held raw = Hold(MergedTerm(ValueType::Plus, like, found, false));
    merged = Hold(Simplify(raw.get(), false));
    if (SimplifyTripped()) return merged.release();
    if (likeAt == 0) {
      inner = Hold(Retain(merged.get()));
    } else {
      Held node = Hold(Pair(Retain(prefixes[likeAt - 1]), Retain(merged.get())));
      if (unlike) {
        KnownUnlike known(merged.get(), ValueType::Plus);
        inner = Hold(Simplify(node.get(), false));
      } else {
        inner = Hold(Simplify(node.get(), false));
      }
    }
    next = likeAt + 1;
  } else if (below == 0) {
    // r passes every term; the node with the first term decides whether the
    // two trade places or, both concrete, are computed.
    Held node = Hold(Pair(Retain(prefixes[0]), Retain(r)));
    inner = Hold(Simplify(node.get(), false));
    next = 1;
  } else {
    Held node = Hold(Pair(Retain(prefixes[below - 1]), Retain(r)));
    KnownUnlike known(r, ValueType::Plus);
    inner = Hold(Simplify(node.get(), false));
    next = below;
  }
  if (SimplifyTripped()) return inner.release();
  Held sum = Hold(AddBack(std::move(inner), prefixes, next, unlike ? nullptr : merged.get()));
  if (SimplifyTripped()) return sum.release();
  CheckNormalForm(sum.get());

  // The table of l, when the search used one, becomes the new chain's. Two
  // concrete terms computed into one leave it describing l only.
  const bool computed = !like && below == 0 && !IsSymbolic(prefixes[0]) && !IsSymbolic(r);
  ChainTables& tables = Engine().chainTables;
  if (LikeTable* table = known || computed ? nullptr : tables.For(l, Chain::Sum)) {
    const Value* added = like ? merged.get() : r;
    if (IsZero(added) || ChainHolds(sum.get(), added)) {
      if (like) table->Remove(like);
      if (!IsZero(added)) table->Add(added);
      tables.Move(l, sum.get(), Chain::Sum);
    }
  }
  return sum.release();
}

}  // namespace symcalc
