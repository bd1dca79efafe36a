// A bound on the recursion of the symbolic rewrites (diff, expand, solve):
// their depth follows the depth of the expression, which the user controls.
#pragma once

#include "eval/simplify.h"

namespace symcalc {

// Counts one level of a recursion whose depth lives in `depth`; Exceeded()
// tells the level to stop, either because `limit` levels are open or because
// the thread's stack is nearly used up.
class NestingLevel {
 public:
  NestingLevel(int& depth, int limit) : depth_(depth) {
    ++depth_;
    exceeded_ = depth_ > limit || StackExhausted();
  }
  ~NestingLevel() { --depth_; }
  NestingLevel(const NestingLevel&) = delete;
  NestingLevel& operator=(const NestingLevel&) = delete;
  bool Exceeded() const { return exceeded_; }

 private:
  int& depth_;
  bool exceeded_;
};

// Error 19 about `term`, built without simplifying the term again: the
// simplifier would need the very stack that has run out.
inline Value* NestingError(const Value* term) {
  Value* e = AllocRecord();
  e->type = ValueType::Error;
  e->error.code = ErrorCode::NotAnAnalysisTerm;
  e->error.operand = Retain(term);
  return e;
}

}  // namespace symcalc
