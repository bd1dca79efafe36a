// Adding terms and whole sums to a sum chain the way rewriting does, on a
// linked list instead of nodes.
//
// Rewriting adds a term to a chain by moving it down one exchange at a time,
// re-simplifying every node it passes, and merges it with a like term
// wherever that stands. It adds a sum by moving the whole sum down first,
// then adding the sum's terms one by one where it settled, and then putting
// back the terms the sum passed, each of which may now merge with a term
// just added. The builder makes the same comparisons and merges on a list:
// a term that passes others is unlinked and relinked, only a term whose
// neighbour changed is compared again (the comparison with an unchanged
// neighbour is known), and like terms are found through an index by
// likeness key. What it does not model (a term that would pass its like
// term, two terms that order each other both ways, a merge it cannot
// compute) makes it give up; the caller then takes the way it replays.
//
// The policy answers the questions about terms:
//   Term, Sum                   a movable term; a handle for a whole sum
//   MustFollow(a, b)            MustFollow(TermOrder(a, b, +))
//   MustFollowSum(a, s)         the same with the sum s
//   Passage(t)                  whether every sum passes t, none does, or
//                               MustFollowSum must be asked
//   Like(x, e), LikeSum(x, s)   LikeTerms(x, e, +) is 1, x in the chain
//   Key(t), SumKey(s)           likeness keys, shared by like terms
//   IsConcrete(t), IsZero(t)
//   Merge(x, e, out)            the term that x and e merge into
//   Compute(a, e, out)          two concrete terms added
#pragma once

#include <cstdint>
#include <limits>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace symcalc {

enum class MergeOutcome : std::uint8_t { Merged, Vanished, Unmodelled };

// How a sum moving down a chain meets a term: most terms are ordered against
// a sum by their type alone, so the sum passes them all or stops at them
// all; only a few (a number times a sum) are compared with the sum itself.
enum class SumPassage : std::uint8_t { Passes, Stops, Asks };

template <typename Policy>
class ChainBuilder {
 public:
  using Term = typename Policy::Term;
  using Sum = typename Policy::Sum;

  explicit ChainBuilder(Policy& policy)
      : policy_(policy), pending_(LabelOrder{this}), halts_(LabelOrder{this}) {}
  ChainBuilder(const ChainBuilder&) = delete;
  ChainBuilder& operator=(const ChainBuilder&) = delete;

  bool Empty() const { return head_ < 0; }
  bool GaveUp() const { return gaveUp_; }
  // Comparisons and moves made so far, over every addition, and a bound on
  // them: past it the builder gives up, and OverBudget tells why.
  std::uint64_t Work() const { return work_; }
  void LimitWork(std::uint64_t limit) { workLimit_ = limit; }
  bool OverBudget() const { return work_ > workLimit_; }

  // Appends a term of a chain already in normal form, without comparing.
  void Load(Term t) {
    const int n = NewNode(std::move(t));
    Link(n, tail_);
    nodes_[n].verified = nodes_[n].prev;
  }

  // The chain plus the term e, as the node (chain + e) simplifies.
  bool AddTerm(Term e) {
    if (gaveUp_) return false;
    keys_.clear();
    Budget(1);
    if (Empty()) {
      Load(std::move(e));
      return true;
    }
    if (policy_.IsZero(e)) {
      // x + 0 is x; a single concrete term is computed with it.
      if (head_ != tail_ || !policy_.IsConcrete(nodes_[head_].term)) return true;
    } else if (head_ == tail_ && policy_.IsZero(nodes_[head_].term) &&
               !policy_.IsConcrete(e)) {
      // 0 + e is e
      Remove(head_);
      Load(std::move(e));
      return true;
    }
    const int n = NewNode(std::move(e));
    keys_.insert(nodes_[n].key);
    return Place(n, tail_, Limit()) && Settle();
  }

  // The chain plus the sum of `terms` (in their chain order); sums[j] stands
  // for the sum of the first j+1 terms.
  bool AddSum(std::vector<Term> terms, const std::vector<Sum>& sums) {
    if (gaveUp_) return false;
    const std::size_t k = terms.size();
    if (k == 1) return AddTerm(std::move(terms[0]));
    keys_.clear();
    Budget(k);
    if (Empty() || (head_ == tail_ && policy_.IsZero(nodes_[head_].term))) {
      // 0 + s is s
      if (!Empty()) Remove(head_);
      for (Term& t : terms) Load(std::move(t));
      return true;
    }
    // Each part of the sum, from the whole down to the first two terms,
    // moves down and settles; the terms it passed wait aside.
    for (std::size_t j = k - 1; j >= 1; --j) {
      const int at = SettlePointOfSum(sums[j]);
      if (gaveUp_) return false;
      if (at < 0) {
        if (j != k - 1) return Give();
        return AddChainToSum(std::move(terms));
      }
      if (HasTermLikeSum(at, sums[j])) return Give();
      Detach(at);
    }
    // Then the first term is added, and after each further term the terms
    // its part passed are put back.
    for (std::size_t j = 0; j < k; ++j) {
      const int n = NewNode(std::move(terms[j]));
      keys_.insert(nodes_[n].key);
      if (!Place(n, tail_, Limit()) || !Settle()) return false;
      if (j >= 1 && (!Reattach() || !Settle())) return false;
    }
    return true;
  }

  // The terms in chain order.
  template <typename F>
  void ForEach(F f) const {
    for (int n = head_; n >= 0; n = nodes_[n].next) f(nodes_[n].term);
  }

 private:
  static constexpr std::uint64_t kGap = std::uint64_t{1} << 32;
  static constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

  struct Node {
    Term term;
    std::uint64_t key = 0;
    std::uint64_t label = 0;  // increases along the chain, detached terms included
    int prev = -1;
    int next = -1;
    int verified = -1;  // the neighbour this term was last found to follow
    std::uint32_t passedIn = 0;
    SumPassage passage = SumPassage::Passes;
    bool alive = true;    // not merged away
    bool linked = false;  // in the chain or waiting aside
  };

  struct Segment {
    int first;
    int last;
  };

  struct LabelOrder {
    const ChainBuilder* b;
    bool operator()(int x, int y) const { return b->nodes_[x].label < b->nodes_[y].label; }
  };

  bool Give() {
    gaveUp_ = true;
    return false;
  }

  int NewNode(Term t) {
    Node n;
    n.key = policy_.Key(t);
    n.passage = policy_.Passage(t);
    n.term = std::move(t);
    nodes_.push_back(std::move(n));
    const int id = static_cast<int>(nodes_.size() - 1);
    index_.emplace(nodes_[id].key, id);
    return id;
  }

  // Terms added on top of the chain may merge with any term in it, but not
  // with the terms waiting aside.
  std::uint64_t Limit() const {
    for (auto it = aside_.rbegin(); it != aside_.rend(); ++it)
      if (it->first >= 0) return nodes_[it->first].label;
    return kNoLimit;
  }

  void Relabel() {
    std::uint64_t l = kGap;
    for (int n = head_; n >= 0; n = nodes_[n].next, l += kGap) nodes_[n].label = l;
    for (auto it = aside_.rbegin(); it != aside_.rend(); ++it)
      for (int n = it->first; n >= 0; n = nodes_[n].next, l += kGap) nodes_[n].label = l;
  }

  std::uint64_t UpperLabel(int next) const { return next >= 0 ? nodes_[next].label : Limit(); }

  // Links n between prev and its successor.
  void Link(int n, int prev) {
    const int next = prev >= 0 ? nodes_[prev].next : head_;
    std::uint64_t lo = prev >= 0 ? nodes_[prev].label : 0;
    std::uint64_t hi = UpperLabel(next);
    if (hi == kNoLimit) hi = lo + 2 * kGap;
    if (hi - lo < 2) {
      Relabel();
      lo = prev >= 0 ? nodes_[prev].label : 0;
      hi = UpperLabel(next);
      if (hi == kNoLimit) hi = lo + 2 * kGap;
    }
    Node& x = nodes_[n];
    x.label = lo + (hi - lo) / 2;
    x.prev = prev;
    x.next = next;
    if (prev >= 0)
      nodes_[prev].next = n;
    else
      head_ = n;
    if (next >= 0)
      nodes_[next].prev = n;
    else
      tail_ = n;
    x.linked = true;
    if (x.passage != SumPassage::Passes) halts_.insert(n);
    if (x.passage == SumPassage::Asks) ++asking_;
  }

  // Takes n out of the chain; its successor then follows a new neighbour.
  void Unlink(int n) {
    Node& x = nodes_[n];
    if (x.prev >= 0)
      nodes_[x.prev].next = x.next;
    else
      head_ = x.next;
    if (x.next >= 0)
      nodes_[x.next].prev = x.prev;
    else
      tail_ = x.prev;
    if (x.next >= 0) pending_.insert(x.next);
    pending_.erase(n);
    if (x.passage != SumPassage::Passes) halts_.erase(n);
    if (x.passage == SumPassage::Asks) --asking_;
    x.prev = x.next = -1;
    x.linked = false;
  }

  void Remove(int n) {
    if (nodes_[n].linked) Unlink(n);
    nodes_[n].alive = false;
    nodes_[n].term = Term{};  // a long build must not keep every merged-away term
    auto [it, end] = index_.equal_range(nodes_[n].key);
    for (; it != end; ++it) {
      if (it->second == n) {
        index_.erase(it);
        break;
      }
    }
  }

  // Where a part s of a sum settles: the last term that need not follow it,
  // or -1 when it passes every term. The terms every sum passes are skipped
  // without a look, so a sum that moves down a long chain of products costs
  // no comparison per product.
  int SettlePointOfSum(const Sum& s) {
    if (tail_ < 0) return -1;
    for (auto it = halts_.upper_bound(tail_); it != halts_.begin();) {
      const int n = *--it;
      if (!Step()) return Give(), -1;
      if (nodes_[n].passage == SumPassage::Stops || !policy_.MustFollowSum(nodes_[n].term, s))
        return n;
    }
    return -1;
  }

  // Only a term that is compared with a sum can be like one.
  bool HasTermLikeSum(int at, const Sum& s) {
    if (asking_ == 0) return false;
    if (policy_.LikeSum(nodes_[at].term, s)) return true;
    auto [it, end] = index_.equal_range(policy_.SumKey(s));
    for (; it != end; ++it) {
      const Node& c = nodes_[it->second];
      if (c.linked && c.label < Limit() && policy_.LikeSum(c.term, s)) return true;
    }
    return false;
  }

  // The terms after `at` wait aside until Reattach puts them back.
  void Detach(int at) {
    const int first = nodes_[at].next;
    if (first < 0) {
      aside_.push_back(Segment{-1, -1});
      return;
    }
    aside_.push_back(Segment{first, tail_});
    nodes_[at].next = -1;
    nodes_[first].prev = -1;
    tail_ = at;
  }

  // Puts the terms set aside last back on top of the chain. The first of
  // them follows a new neighbour, and those sharing a key with a term added
  // since may merge with it: both are looked at again.
  bool Reattach() {
    const Segment s = aside_.back();
    aside_.pop_back();
    if (s.first < 0) return true;
    nodes_[s.first].prev = tail_;
    if (tail_ >= 0)
      nodes_[tail_].next = s.first;
    else
      head_ = s.first;
    tail_ = s.last;
    pending_.insert(s.first);
    if (policy_.IsZero(nodes_[head_].term) && nodes_[head_].next >= 0) Remove(head_);  // 0 + x is x
    const std::uint64_t from = nodes_[s.first].label;
    const std::uint64_t to = nodes_[s.last].label;
    for (const std::uint64_t key : keys_) {
      auto [it, end] = index_.equal_range(key);
      for (; it != end; ++it) {
        const Node& c = nodes_[it->second];
        if (c.linked && c.label >= from && c.label <= to) pending_.insert(it->second);
      }
    }
    return true;
  }

  // The chain of `terms` plus the terms of the current chain, one by one:
  // the sum passed every term, and the first of them was put after it.
  bool AddChainToSum(std::vector<Term> terms) {
    const int first = head_;
    aside_.push_back(Segment{first, tail_});
    head_ = tail_ = -1;
    for (Term& t : terms) {
      Load(std::move(t));
      keys_.insert(nodes_[tail_].key);
    }
    return Reattach() && Settle();
  }

  // The nearest term below `limit` like the term of n, or -1.
  int FindLike(int n, std::uint64_t limit) {
    int best = -1;
    auto [it, end] = index_.equal_range(nodes_[n].key);
    for (; it != end; ++it) {
      const int c = it->second;
      const Node& x = nodes_[c];
      if (c == n || !x.linked || x.label >= limit) continue;
      if (best >= 0 && x.label < nodes_[best].label) continue;
      if (policy_.Like(x.term, nodes_[n].term)) best = c;
    }
    return best;
  }

  // Puts the unlinked node n on top of the chain that ends at `from`, as the
  // node (chain + n) simplifies: n moves down while it must precede the last
  // term, two concrete terms are computed, and, when n's key is among those
  // added in this step, n merges with a like term below `limit`.
  bool Place(int n, int from, std::uint64_t limit) {
    const std::uint32_t walk = ++walks_;
    if (from >= 0 && from == head_ && policy_.IsZero(nodes_[from].term) &&
        !policy_.IsConcrete(nodes_[n].term)) {
      // 0 + n is n
      Remove(head_);
      Link(n, -1);
      nodes_[n].verified = -1;
      return true;
    }
    int at = from;
    while (at >= 0) {
      if (!Step()) return Give();
      if (at == head_ && policy_.IsConcrete(nodes_[at].term) &&
          policy_.IsConcrete(nodes_[n].term))
        return ComputeAtHead(n);
      if (!policy_.MustFollow(nodes_[at].term, nodes_[n].term)) break;
      nodes_[at].passedIn = walk;
      at = nodes_[at].prev;
    }
    // Passing the first term swaps the two; they must not swap back.
    if (at < 0 && head_ >= 0 && policy_.MustFollow(nodes_[n].term, nodes_[head_].term))
      return Give();
    if (keys_.count(nodes_[n].key) != 0) {
      int like = -1;
      if (at >= 0 && nodes_[at].label < limit && policy_.Like(nodes_[at].term, nodes_[n].term))
        like = at;
      else
        like = FindLike(n, limit);
      if (like >= 0) {
        if (nodes_[like].passedIn == walk) return Give();
        return MergeInto(like, n);
      }
    }
    Link(n, at);
    nodes_[n].verified = at;
    if (nodes_[n].next >= 0) pending_.insert(nodes_[n].next);
    return true;
  }

  // n merges into x, where x stands.
  bool MergeInto(int x, int n) {
    Term merged{};
    const MergeOutcome outcome = policy_.Merge(nodes_[x].term, nodes_[n].term, merged);
    if (outcome == MergeOutcome::Unmodelled) return Give();
    const int below = nodes_[x].prev;
    const std::uint64_t limit = nodes_[x].label;
    Remove(x);
    Remove(n);
    if (outcome == MergeOutcome::Vanished) {
      // The zero left behind meets the first term when that is concrete,
      // and the two are computed: an array or a string there does not just
      // lose the zero.
      if (below >= 0 && below == head_ && policy_.IsConcrete(nodes_[below].term)) {
        Term sum{};
        if (policy_.Compute(nodes_[below].term, merged, sum) == MergeOutcome::Unmodelled)
          return Give();
        return ReplaceHead(std::move(sum));
      }
      if (below < 0 && head_ >= 0 && policy_.IsConcrete(nodes_[head_].term)) return Give();
      return true;
    }
    const int m = NewNode(std::move(merged));
    keys_.insert(nodes_[m].key);
    if (!Place(m, below, limit)) return false;
    // A term sharing the new term's key further up may be like it now.
    auto [it, end] = index_.equal_range(nodes_[m].key);
    for (; it != end; ++it) {
      const Node& c = nodes_[it->second];
      if (c.linked && nodes_[m].linked && c.label > nodes_[m].label && c.label < Limit())
        pending_.insert(it->second);
    }
    return true;
  }

  // The first term and the concrete n are computed into one term; a zero
  // before other terms goes.
  bool ComputeAtHead(int n) {
    Term sum{};
    if (policy_.Compute(nodes_[head_].term, nodes_[n].term, sum) == MergeOutcome::Unmodelled)
      return Give();
    Remove(n);
    return ReplaceHead(std::move(sum));
  }

  // The first term gives way to `sum`, computed from it; a zero before other
  // terms goes.
  bool ReplaceHead(Term sum) {
    Remove(head_);
    const int c = NewNode(std::move(sum));
    Link(c, -1);
    nodes_[c].verified = -1;
    if (policy_.IsZero(nodes_[c].term) && nodes_[c].next >= 0) {
      Remove(c);
      nodes_[head_].verified = -1;
      pending_.erase(head_);
    }
    return true;
  }

  // Looks again at every term whose neighbour changed, and at every term
  // that may now merge, from the front: each is put back on top of the
  // chain before it, as rewriting puts back the terms a change passed.
  bool Settle() {
    while (!pending_.empty()) {
      if (!Step()) return Give();
      const int z = *pending_.begin();
      pending_.erase(pending_.begin());
      Node& x = nodes_[z];
      if (!x.linked || !x.alive) continue;
      const bool mayMerge = keys_.count(x.key) != 0;
      if (!mayMerge && x.prev == x.verified) continue;
      if (x.prev < 0) {
        x.verified = -1;
        if (!mayMerge) continue;
      }
      if (!mayMerge && !policy_.MustFollow(nodes_[x.prev].term, x.term)) {
        x.verified = x.prev;
        continue;
      }
      const int from = x.prev;
      const std::uint64_t limit = x.label;
      Unlink(z);
      if (!Place(z, from, limit)) return false;
    }
    return true;
  }

  Policy& policy_;
  std::vector<Node> nodes_;
  std::unordered_multimap<std::uint64_t, int> index_;
  std::unordered_set<std::uint64_t> keys_;  // keys of the terms added in this step
  std::set<int, LabelOrder> pending_;
  // The linked terms that not every sum passes, in chain order.
  std::set<int, LabelOrder> halts_;
  std::size_t asking_ = 0;  // linked terms that ask
  std::vector<Segment> aside_;
  int head_ = -1;
  int tail_ = -1;
  std::uint32_t walks_ = 0;
  // Rewriting terms that order each other both ways would not end; the
  // builder gives up after more steps than an insertion sort needs.
  std::uint64_t steps_ = 0;
  std::uint64_t budget_ = 0;
  std::uint64_t work_ = 0;
  std::uint64_t workLimit_ = kNoLimit;
  bool Step() {
    if (++work_ > workLimit_) return false;
    return ++steps_ <= budget_;
  }
  void Budget(std::size_t added) {
    steps_ = 0;
    budget_ = 4096 + 4 * static_cast<std::uint64_t>(nodes_.size() + added) * (added + 4);
  }
  bool gaveUp_ = false;
};

}  // namespace symcalc
