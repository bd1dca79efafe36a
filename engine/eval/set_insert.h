// Insertion into sets: canonical order by TermOrder, no two elements alike.
#pragma once

#include "values/value.h"

namespace symcalc {

// Inserts a copy of x into the exclusively owned set `set` unless an element
// alike to x is there. Returns true when it was inserted.
bool InsertIntoSet(Value* set, const Value* x);

// Builds a set from elements one at a time. Elements that arrive in ascending
// order (as divisors or a sorted literal do) are appended at the tail without
// walking the chain; everything else is inserted as InsertIntoSet inserts.
class SetBuilder {
 public:
  SetBuilder();
  ~SetBuilder();
  SetBuilder(const SetBuilder&) = delete;
  SetBuilder& operator=(const SetBuilder&) = delete;
  void Insert(const Value* x);
  Value* Finish(Value* out = nullptr);  // hands the set over

 private:
  Value* set_;
  Value* tail_ = nullptr;
  bool allReal_ = true;
};

}  // namespace symcalc
