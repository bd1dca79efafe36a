#include "eval/set_insert.h"

#include <cmath>

#include "eval/coefficients.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

// q is greater than x: x must come before q.
bool FollowsInSet(const Value* q, const Value* x) {
  CoefficientScope scope;
  const int r = TermOrder(q, x, Chain::None);
  return r == 1 || r == 2;
}

bool IsOrderedReal(const Value* v) {
  return IsReal(v) && !(v->type == ValueType::Double && std::isnan(v->dbl));
}

}  // namespace

bool InsertIntoSet(Value* set, const Value* x) {
  Value* first = set->set.first;
  if (!first || FollowsInSet(first, x)) {
    Value* e = CopyValue(x);
    e->setLink = first;
    set->set.first = e;
    ++set->set.count;
    return true;
  }
  for (Value* q = first;; q = q->setLink) {
    if (Alike(q, x)) return false;
    if (!q->setLink || FollowsInSet(q->setLink, x)) {
      Value* e = CopyValue(x);
      e->setLink = q->setLink;
      q->setLink = e;
      ++set->set.count;
      return true;
    }
  }
}

SetBuilder::SetBuilder() : set_(MakeEmptySet()) {}

SetBuilder::~SetBuilder() { FreeValue(set_); }

void SetBuilder::Insert(const Value* x) {
  // Real numbers in a set are ordered by type, then by value, and compare
  // consistently: one greater than the last element is greater than all and
  // alike to none, so it can be appended directly.
  if (allReal_ && tail_ && IsOrderedReal(x) && FollowsInSet(x, tail_)) {
    Value* e = CopyValue(x);
    tail_->setLink = e;
    tail_ = e;
    ++set_->set.count;
    return;
  }
  allReal_ = allReal_ && IsOrderedReal(x);
  InsertIntoSet(set_, x);
  tail_ = set_->set.first;
  while (tail_ && tail_->setLink) tail_ = tail_->setLink;
}

Value* SetBuilder::Finish(Value* out) {
  Value* s = set_;
  set_ = MakeEmptySet();
  tail_ = nullptr;
  allReal_ = true;
  return Deliver(s, out);
}

}  // namespace symcalc
