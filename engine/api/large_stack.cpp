// Runs the engine's callers on a thread with a large stack: the simplifier,
// the parser and the printer recurse once per nesting level of an expression.
#include <pthread.h>

#include "symcalc/engine.h"

namespace symcalc {
namespace {

constexpr std::size_t kStackBytes = std::size_t{1} << 30;  // reserved, touched on demand

struct Call {
  int (*fn)(void*);
  void* data;
  int result;
};

void* Trampoline(void* p) {
  auto* call = static_cast<Call*>(p);
  call->result = call->fn(call->data);
  return nullptr;
}

}  // namespace

int RunWithLargeStack(int (*fn)(void*), void* data) {
  Call call{fn, data, 0};
  pthread_attr_t attr;
  pthread_t thread;
  if (pthread_attr_init(&attr) == 0 && pthread_attr_setstacksize(&attr, kStackBytes) == 0 &&
      pthread_create(&thread, &attr, Trampoline, &call) == 0) {
    pthread_attr_destroy(&attr);
    pthread_join(thread, nullptr);
    return call.result;
  }
  // No thread could be made: run here, the stack guard still protects.
  return fn(data);
}

}  // namespace symcalc
