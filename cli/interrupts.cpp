#include "interrupts.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>

#include "symcalc/engine.h"

namespace symcalc_cli {
namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler stores to it");

extern "C" void OnInterrupt(int) {
  symcalc::RequestCancel();
  g_interrupted.store(true, std::memory_order_relaxed);
}

sigset_t InterruptSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  return set;
}

}  // namespace

void BlockInterruptsInThisThread() {
  const sigset_t set = InterruptSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

InterruptHandler::InterruptHandler() {
  // A SIGINT that was ignored when the tool started (a background job, say)
  // stays ignored, as in any program that handles it.
  sigaction(SIGINT, nullptr, &previousAction_);
  if (previousAction_.sa_handler == SIG_IGN) return;
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, &previousAction_);
  const sigset_t set = InterruptSet();
  pthread_sigmask(SIG_UNBLOCK, &set, &previousMask_);
  installed_ = true;
}

InterruptHandler::~InterruptHandler() {
  if (!installed_) return;
  pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
  sigaction(SIGINT, &previousAction_, nullptr);
}

bool TakeInterrupt() { return g_interrupted.exchange(false, std::memory_order_relaxed); }

}  // namespace symcalc_cli
