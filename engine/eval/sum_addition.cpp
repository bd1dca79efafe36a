// A sum added to a sum, and many additions to one sum: the chain builder on
// value records.
#include <vector>

#include "eval/chain_builder.h"
#include "eval/likeness_key.h"
#include "eval/simplify_internal.h"
#include "eval/sum_accumulator.h"

namespace symcalc {
namespace {

// The terms of a sum as records, ordered and merged as the simplifier does.
struct RecordTerms {
  using Term = Held;
  using Sum = const Value*;

  static bool Follows(const Value* a, const Value* b) {
    return symcalc::MustFollow(TermOrder(a, b, Chain::Sum));
  }
  static bool Alike(const Value* x, const Value* e) { return LikeTerms(x, e, Chain::Sum) == 1; }

  bool MustFollow(const Held& a, const Held& b) const { return Follows(a.get(), b.get()); }
  bool MustFollowSum(const Held& a, const Value* s) const { return Follows(a.get(), s); }
  bool Like(const Held& x, const Held& e) const { return Alike(x.get(), e.get()); }
  bool LikeSum(const Held& x, const Value* s) const { return Alike(x.get(), s); }
  std::uint64_t Key(const Held& t) const { return LikenessKey(t.get(), Chain::Sum); }
  std::uint64_t SumKey(const Value* s) const { return LikenessKey(s, Chain::Sum); }
  bool IsConcrete(const Held& t) const { return !IsSymbolic(t.get()); }
  // A sum is ordered against a term by type, looking through the numeric
  // factor of a product of two factors; only a number times a sum is
  // compared with it operand by operand.
  SumPassage Passage(const Held& t) const {
    const Value* a = t.get();
    if (a->type == ValueType::Times && IsNumber(a->pair.left)) a = a->pair.right;
    if (a->type == ValueType::Plus) return SumPassage::Asks;
    return a->type > ValueType::Plus ? SumPassage::Passes : SumPassage::Stops;
  }
  bool IsZero(const Held& t) const { return IsNumber(t.get()) && symcalc::IsZero(t.get()); }

  MergeOutcome Merge(const Held& x, const Held& e, Held& out) const {
    LikeCoefficients found;
    LikeTerms(x.get(), e.get(), Chain::Sum, &found);
    Held raw = Hold(MergedTerm(ValueType::Plus, x.get(), found, false));
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

// The chain of `terms`, built again on `base` from the first term that
// differs from base's.
Value* Rebuild(const std::vector<const Value*>& terms, const std::vector<const Value*>& base) {
  if (terms.empty()) return MakeQword(0);
  std::size_t same = 0;
  while (same < terms.size() && same < base.size() && terms[same] == TermAt(base, same)) ++same;
  Held chain = Hold(Retain(same > 0 ? base[same - 1] : terms[0]));
  for (std::size_t k = same > 0 ? same : 1; k < terms.size(); ++k) {
    Value* node = MakeRawPair(ValueType::Plus, chain.release(), Retain(terms[k]));
    StampBuilt(node);
    chain = Hold(node);
  }
  return chain.release();
}

// Adds the sum or term v to the builder's chain.
bool AddTo(ChainBuilder<RecordTerms>& builder, const Value* v) {
  if (v->type != ValueType::Plus) return builder.AddTerm(Hold(Retain(v)));
  const std::vector<const Value*> parts = Prefixes(v);
  std::vector<Held> terms;
  for (std::size_t k = 0; k < parts.size(); ++k) terms.push_back(Hold(Retain(TermAt(parts, k))));
  return builder.AddSum(std::move(terms), parts);
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
  return Rebuild(result, left);
}

namespace {

// The steps a sum may cost before the accumulator gives up: a few
// milliseconds of exact work on any sum, and on top of that a few steps per
// term, which is what sums whose terms mostly append need; beyond that the
// sorted chain costs less.
constexpr std::uint64_t kFixedSteps = std::uint64_t{1} << 15;
constexpr std::uint64_t kStepsPerTerm = 16;

std::size_t TermCount(const Value* v) {
  std::size_t n = 1;
  for (; v->type == ValueType::Plus; v = v->pair.left) ++n;
  return n;
}

}  // namespace

struct SumAccumulator::Builder {
  RecordTerms policy;
  ChainBuilder<RecordTerms> chain{policy};
};

SumAccumulator::SumAccumulator() = default;
SumAccumulator::~SumAccumulator() = default;

void SumAccumulator::Start(const Value* v) {
  start_ = Hold(Retain(v));
  termsAdded_ = TermCount(v);
  // Literal rewriting is what the builder is held to: it adds on records,
  // and runs the builder beside them only to give up where it would, since
  // where a sum is too costly to build this way is a choice of route, not
  // of rewriting.
  if (LiteralRewriting()) total_ = Hold(Retain(v));
  builder_ = std::make_unique<Builder>();
  const std::vector<const Value*> terms = Prefixes(v);
  for (std::size_t k = 0; k < terms.size(); ++k)
    builder_->chain.Load(Hold(Retain(TermAt(terms, k))));
}

void SumAccumulator::AddOnRecords(const Value* v) {
  total_ = Hold(MakeOperatorNode(ValueType::Plus, total_.get(), v));
}

// The builder gave up halfway through an addition: every addition is made
// again on records, from the start.
void SumAccumulator::FallBack() {
  builder_.reset();
  total_ = Hold(Retain(start_.get()));
  for (const Held& v : added_) AddOnRecords(v.get());
}

void SumAccumulator::Add(const Value* v) {
  if (exceeded_) return;
  if (!builder_) {
    AddOnRecords(v);
    return;
  }
  const bool literal = LiteralRewriting();
  if (literal)
    AddOnRecords(v);
  else
    added_.push_back(Hold(Retain(v)));
  termsAdded_ += TermCount(v);
  builder_->chain.LimitWork(kFixedSteps + kStepsPerTerm * termsAdded_);
  if (AddTo(builder_->chain, v)) return;
  if (!builder_->chain.OverBudget()) {
    if (literal)
      builder_.reset();
    else
      FallBack();
    return;
  }
  exceeded_ = true;
  builder_.reset();
  added_.clear();
}

Value* SumAccumulator::Take() {
  if (exceeded_) return nullptr;
  if (!builder_ || LiteralRewriting()) return total_.release();
  std::vector<const Value*> result;
  builder_->chain.ForEach([&](const Held& t) { result.push_back(t.get()); });
  Value* chain = Rebuild(result, Prefixes(start_.get()));
  builder_.reset();
  return chain;
}

}  // namespace symcalc
