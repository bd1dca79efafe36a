// Ctrl+C in a terminal session stops the line being evaluated, not the tool.
// The handler asks the engine to cancel and notes the interrupt; it is
// installed without SA_RESTART so that a Ctrl+C at the prompt also ends the
// wait for input and the half-typed line can be dropped.
#pragma once

#include <signal.h>

namespace symcalc_cli {

// Blocks SIGINT in the calling thread and in the threads it starts from now
// on: the main thread calls it before starting the session's thread, so that
// the signal is delivered to the session's thread, the one that waits for
// input and sees EINTR.
void BlockInterruptsInThisThread();

// Installs the handler and unblocks SIGINT in the calling thread; the previous
// handler and mask come back when it is destroyed.
class InterruptHandler {
 public:
  InterruptHandler();
  ~InterruptHandler();
  InterruptHandler(const InterruptHandler&) = delete;
  InterruptHandler& operator=(const InterruptHandler&) = delete;

 private:
  struct sigaction previousAction_ = {};
  sigset_t previousMask_ = {};
  bool installed_ = false;
};

// True once per Ctrl+C: whether one arrived since the last call.
bool TakeInterrupt();

}  // namespace symcalc_cli
