#include "eval/set_insert.h"

#include <algorithm>
#include <cmath>

#include "eval/cancel.h"
#include "eval/set_order.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

// q is greater than x: x must come before q.
bool FollowsInSet(const Value* q, const Value* x) {
  return MustFollow(TermOrder(q, x, Chain::None));
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

namespace {

// Chains `elements` (in order) into `set`, taking them over.
void Link(Value* set, const std::vector<Value*>& elements) {
  Value** slot = &set->set.first;
  for (Value* e : elements) {
    *slot = e;
    slot = &e->setLink;
  }
  *slot = nullptr;
  set->set.count = static_cast<std::int64_t>(elements.size());
}

// The elements in the set order, each group of elements that tie in their
// order of arrival, and an element dropped when it is alike to one kept
// before it in its group: what inserting them one at a time leaves, when the
// order is a strict weak order in which alike elements tie. Inserting walks
// past every element not greater than the new one, which are the groups
// before it and its own, and compares it with those for likeness; elements
// of other groups are never alike to it.
std::vector<Value*> SortedUnique(std::vector<Value*>& elements) {
  // Once a request stops the work, every comparison says "not before": the
  // sort then only finishes its passes, and its order is dropped.
  std::stable_sort(elements.begin(), elements.end(), [](const Value* a, const Value* b) {
    return !CancelPending() && FollowsInSet(b, a);
  });
  std::vector<Value*> kept;
  kept.reserve(elements.size());
  std::size_t group = 0;  // where the group of the last kept element starts in `kept`
  for (Value*& e : elements) {
    if (CancelPending()) break;
    if (kept.empty() || FollowsInSet(e, kept.back())) {
      group = kept.size();
    } else {
      bool alike = false;
      for (std::size_t i = group; i < kept.size() && !alike; ++i) alike = Alike(kept[i], e);
      if (alike) continue;
    }
    kept.push_back(e);
    e = nullptr;
  }
  return kept;
}

}  // namespace

SetBuilder::~SetBuilder() {
  for (Value* e : elements_) FreeValue(e);
}

void SetBuilder::Insert(const Value* x) {
  // Real numbers in a set are ordered by type, then by value, and compare
  // consistently: one greater than the last element is greater than all and
  // alike to none, so it goes to the end.
  ascending_ = ascending_ && IsOrderedReal(x) &&
               (elements_.empty() || FollowsInSet(x, elements_.back()));
  elements_.push_back(CopyValue(x));
}

Value* SetBuilder::Finish(Value* out) {
  Held set = Hold(MakeEmptySet());
  std::vector<Value*> elements;
  elements.swap(elements_);
  const bool ascending = ascending_;
  ascending_ = true;
  bool sortable = !ascending && !LiteralRewriting();
  for (std::size_t i = 0; i < elements.size() && sortable && !CancelPending(); ++i)
    sortable = SortsAsSetElement(elements[i]);
  if (ascending) {
    Link(set.get(), elements);
    return Deliver(set.release(), out);
  }
  if (sortable) {
    Link(set.get(), SortedUnique(elements));
  } else {
    for (Value*& e : elements) {
      if (CancelPending()) break;
      InsertIntoSet(set.get(), e);
      FreeValue(e);
      e = nullptr;
    }
  }
  for (Value* e : elements) FreeValue(e);
  // A stopped build leaves part of the set: it is not passed on as one.
  if (CancelPending()) return Deliver(Abandoned(nullptr), out);
  return Deliver(set.release(), out);
}

}  // namespace symcalc
