// The pieces of the simplifier shared by its files: the merge of like terms
// and the shortcut that inserts a term into a long sum.
#pragma once

#include "eval/simplify.h"

namespace symcalc {

// True while the depth or stack guard has refused a subterm in the current
// top-level call: every step then passes the error outward.
bool SimplifyTripped();
// Marks a node built from simplified parts as simplified, and checks it.
void StampBuilt(Value* node);

// The term that the chain term x and a new term like it merge into, for a
// chain of n (+ or *); `found` holds the numbers LikeTerms(x, new term, op)
// found. The coefficients (exponents) are added; the result may still
// need simplifying. `alone`: x is the whole left operand, not a chain's last
// term, and a missing number makes a plain node x*t (x^t).
Value* MergedTerm(ValueType n, const Value* x, const LikeCoefficients& found, bool alone);

// While one is alive, inserting `term` into a chain of n does not look for a
// like term apart from its neighbours: the caller knows there is none. Terms
// that were already in a chain together are unlike each other, so putting
// them back after a change below them needs no search.
class KnownUnlike {
 public:
  KnownUnlike(const Value* term, ValueType n);
  ~KnownUnlike();
  KnownUnlike(const KnownUnlike&) = delete;
  KnownUnlike& operator=(const KnownUnlike&) = delete;
  static bool Holds(const Value* term, ValueType n);

 private:
  const Value* savedTerm_;
  ValueType savedNode_;
};

// Rewriting step for a sum chain l (two terms or more) and a term r that is
// not a sum, taken without a node per step: r moves down the chain, merges
// with a like term wherever it stands, or settles. Null when r simply
// follows the chain (no exchange, no like term anywhere), so that the node
// (l + r) stands; `exchanges` tells whether r must pass l's last term.
Value* InsertIntoSum(const Value* l, const Value* r, bool exchanges);

// The sum chain (or term) l plus the sum r, as the node (l + r) simplifies,
// without a node per step. Null when that meets a step the chain builder
// does not model.
Value* AddSumToChain(const Value* l, const Value* r);

// The node (l + r) rewritten one exchange at a time, as the general rule does:
// r trades places with the last term of l (or with l itself).
Value* ExchangeOnce(ValueType n, const Value* l, const Value* r, bool numeric);

}  // namespace symcalc
