// A sum added to a sum: the chain builder on value records.
#include <vector>

#include "eval/chain_builder.h"
#include "eval/likeness_key.h"
#include "eval/simplify_internal.h"

namespace symcalc {
namespace {

// The terms of a sum as records, ordered and merged as the simplifier does.
struct RecordTerms {
  using Term = Held;
  using Sum = const Value*;

  static bool Follows(const Value* a, const Value* b) {
    CoefficientScope scope;
    const int r = TermOrder(a, b, Chain::Sum);
    return r == 1 || r == 2;
  }
  static bool Alike(const Value* x, const Value* e) {
    CoefficientScope scope;
    return LikeTerms(x, e, Chain::Sum) == 1;
  }

  bool MustFollow(const Held& a, const Held& b) const { return Follows(a.get(), b.get()); }
  bool MustFollowSum(const Held& a, const Value* s) const { return Follows(a.get(), s); }
  bool Like(const Held& x, const Held& e) const { return Alike(x.get(), e.get()); }
  bool LikeSum(const Held& x, const Value* s) const { return Alike(x.get(), s); }
  std::uint64_t Key(const Held& t) const { return LikenessKey(t.get(), Chain::Sum); }
  std::uint64_t SumKey(const Value* s) const { return LikenessKey(s, Chain::Sum); }
  bool IsConcrete(const Held& t) const { return !IsSymbolic(t.get()); }
  bool IsZero(const Held& t) const { return IsNumber(t.get()) && symcalc::IsZero(t.get()); }

  MergeOutcome Merge(const Held& x, const Held& e, Held& out) const {
    CoefficientScope scope;
    LikeTerms(x.get(), e.get(), Chain::Sum);  // records the two coefficients
    Held raw = Hold(MergedTerm(ValueType::Plus, x.get(), scope, false));
    out = Hold(Simplify(raw.get(), false));
    if (SimplifyTripped()) return MergeOutcome::Unmodelled;
    if (IsZero(out)) return MergeOutcome::Vanished;
    if (!IsSymbolic(out.get()) || out->type == ValueType::Plus) return MergeOutcome::Unmodelled;
    return MergeOutcome::Merged;
  }

  MergeOutcome Compute(const Held& a, const Held& e, Held& out) const {
    out = Hold(Add(a.get(), e.get()));
    return MergeOutcome::Merged;
  }
};

// prefixes[k] is the node of the chain v whose chain holds its first k+1
// terms (prefixes[0] is the first term).
std::vector<const Value*> Prefixes(const Value* v) {
  std::vector<const Value*> prefixes;
  for (const Value* p = v;; p = p->pair.left) {
    prefixes.push_back(p);
    if (p->type != ValueType::Plus) break;
  }
  return {prefixes.rbegin(), prefixes.rend()};
}

const Value* TermAt(const std::vector<const Value*>& prefixes, std::size_t k) {
  return k == 0 ? prefixes[0] : prefixes[k]->pair.right;
}

}  // namespace

Value* AddSumToChain(const Value* l, const Value* r) {
  RecordTerms policy;
  ChainBuilder<RecordTerms> builder(policy);
  const std::vector<const Value*> left = Prefixes(l);
  for (std::size_t k = 0; k < left.size(); ++k) builder.Load(Hold(Retain(TermAt(left, k))));
  const std::vector<const Value*> right = Prefixes(r);
  std::vector<Held> terms;
  for (std::size_t k = 0; k < right.size(); ++k) terms.push_back(Hold(Retain(TermAt(right, k))));
  if (!builder.AddSum(std::move(terms), right)) return nullptr;

  std::vector<const Value*> result;
  builder.ForEach([&](const Held& t) { result.push_back(t.get()); });
  if (result.empty()) return MakeQword(0);
  // The chain is built again from the first term that differs from l's.
  std::size_t same = 0;
  while (same < result.size() && same < left.size() && result[same] == TermAt(left, same)) ++same;
  Held chain = Hold(Retain(same > 0 ? left[same - 1] : result[0]));
  for (std::size_t k = same > 0 ? same : 1; k < result.size(); ++k) {
    Value* node = MakeRawPair(ValueType::Plus, chain.release(), Retain(result[k]));
    StampBuilt(node);
    chain = Hold(node);
  }
  return chain.release();
}

}  // namespace symcalc
