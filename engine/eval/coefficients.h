// The CoefficientPair stack: LikeTerms records the coefficients (in a sum) or
// exponents (in a product) it meets into the top entry.
#pragma once

#include "state/engine_state.h"

namespace symcalc {

void RecordFirst(const Value* v);
void RecordSecond(const Value* v);

// Pushes a fresh entry for one use of TermOrder or LikeTerms and pops it
// (releasing what was recorded) when it goes out of scope.
class CoefficientScope {
 public:
  CoefficientScope();
  ~CoefficientScope();
  CoefficientScope(const CoefficientScope&) = delete;
  CoefficientScope& operator=(const CoefficientScope&) = delete;
  const Value* First() const;
  const Value* Second() const;

 private:
  std::size_t index_;
};

}  // namespace symcalc
