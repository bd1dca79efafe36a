// Insertion into sets: canonical order by TermOrder, no two elements alike.
#pragma once

#include <vector>

#include "values/value.h"

namespace symcalc {

// Inserts a copy of x into the exclusively owned set `set` unless an element
// alike to x is there. Returns true when it was inserted.
bool InsertIntoSet(Value* set, const Value* x);

// Builds a set from elements one at a time, with the chain that inserting
// them one after the other with InsertIntoSet gives. Elements that arrive in
// ascending order (as divisors or a sorted literal do) are only appended;
// others are sorted once at the end where the set order allows it, and
// inserted one at a time where it does not.
class SetBuilder {
 public:
  SetBuilder() = default;
  ~SetBuilder();
  SetBuilder(const SetBuilder&) = delete;
  SetBuilder& operator=(const SetBuilder&) = delete;
  void Insert(const Value* x);
  Value* Finish(Value* out = nullptr);  // hands the set over

 private:
  std::vector<Value*> elements_;  // copies, in the order they came
  // Every element so far is a real number greater than the one before.
  bool ascending_ = true;
};

}  // namespace symcalc
