// Knows where the current thread's stack ends, so that deep recursions can
// stop with an error value instead of overflowing it.
#include "eval/depth_guard.h"

#include <pthread.h>

#include <cstdint>

namespace symcalc {
namespace {

// Headroom kept free for the work done after the guard trips (building the
// error value, printing) and for sanitizer builds, whose frames are larger.
constexpr std::uintptr_t kReserve = 512 * 1024;

}  // namespace

std::uintptr_t ComputeStackFloor() {
  pthread_attr_t attr;
  void* base = nullptr;
  std::size_t size = 0;
  if (pthread_getattr_np(pthread_self(), &attr) == 0) {
    pthread_attr_getstack(&attr, &base, &size);
    pthread_attr_destroy(&attr);
  }
  if (!base || size <= 2 * kReserve) {
    // Unknown stack: allow a conservative 4 MiB below the current frame.
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    return here > (4u << 20) ? here - (4u << 20) : 0;
  }
  return reinterpret_cast<std::uintptr_t>(base) + kReserve;
}

Value* DepthError(const Value* term) {
  return MakeRawError(ErrorCode::NotAnAnalysisTerm, Retain(term));
}

}  // namespace symcalc
