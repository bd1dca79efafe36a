// The one bound on the engine's recursions: reading, simplifying,
// differentiating, expanding and solving all recurse as deep as the input is
// nested, which the user controls. Each counts its own levels against its own
// limit, and all of them stop when the thread's stack is nearly used up.
#pragma once

#include <cstdint>

#include "state/engine_state.h"
#include "values/value.h"

namespace symcalc {

// The lowest address the current thread's stack may reach, with headroom.
std::uintptr_t ComputeStackFloor();

// True when the current thread's stack is close to its end: deep recursions
// stop with an error value instead of overflowing. Inline, because every
// comparison of terms asks it.
inline bool StackExhausted() {
  thread_local std::uintptr_t floor = 0;
  if (floor == 0) [[unlikely]]
    floor = ComputeStackFloor();
  return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < floor;
}

// Counts one level of a recursion of the given kind for as long as it lives.
// Exceeded() tells the level to stop: either `limit` levels of the kind are
// open or the stack is nearly used up. It is decided once, where the level
// opens, so that a level that is allowed to start may finish.
class DepthGuard {
 public:
  DepthGuard(Recursion kind, int limit)
      : depth_(Engine().scratch.depth[static_cast<std::size_t>(kind)]) {
    ++depth_;
    exceeded_ = depth_ > limit || StackExhausted();
  }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

  bool Exceeded() const { return exceeded_; }
  // The first level of its kind: the whole input is in front of it.
  bool Outermost() const { return depth_ == 1; }

 private:
  int& depth_;
  bool exceeded_;
};

// The levels of a kind open right now.
inline int OpenLevels(Recursion kind) {
  return Engine().scratch.depth[static_cast<std::size_t>(kind)];
}

// Error 19 about `term`, the answer of a level that is one too many. It is
// built without simplifying the term again: that would need the very room
// that has run out.
Value* DepthError(const Value* term);

}  // namespace symcalc
