#include "eval/coefficients.h"

namespace symcalc {

void RecordFirst(const Value* v) {
  auto& stack = Engine().coefficients;
  if (stack.empty() || stack.back().first) return;
  stack.back().first = Retain(v);
}

void RecordSecond(const Value* v) {
  auto& stack = Engine().coefficients;
  if (stack.empty() || stack.back().second) return;
  stack.back().second = Retain(v);
}

CoefficientScope::CoefficientScope() : index_(Engine().coefficients.size()) {
  Engine().coefficients.push_back(CoefficientPair{});
}

CoefficientScope::~CoefficientScope() {
  auto& stack = Engine().coefficients;
  while (stack.size() > index_) {
    FreeValue(stack.back().first);
    FreeValue(stack.back().second);
    stack.pop_back();
  }
}

const Value* CoefficientScope::First() const { return Engine().coefficients[index_].first; }
const Value* CoefficientScope::Second() const { return Engine().coefficients[index_].second; }

}  // namespace symcalc
