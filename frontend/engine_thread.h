// The thread that owns the engine while the worksheet is open. The engine is
// not reentrant and recurses once per nesting level of an expression, so it
// gets one thread of its own, with a large stack, that runs the jobs posted
// through RunOnEngine (engine_access.h) one at a time while the window stays
// free to paint and to take keys.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class QObject;

namespace symcalc::gui {

class EngineThread {
 public:
  // Starts the thread and, on it, a fresh engine that knows plot; returns once
  // the engine is ready. Made on the window thread, one at a time: while it
  // exists, RunOnEngine posts to it.
  EngineThread();
  // Stop() without a time limit.
  ~EngineThread();
  EngineThread(const EngineThread&) = delete;
  EngineThread& operator=(const EngineThread&) = delete;

  // Interrupts what is still posted, runs the queue to its end (jobs that
  // release values do so normally), shuts the engine down and waits for the
  // thread to end, at most `patience`. False when the thread is still busy
  // then: a computation without check points does not listen to requests.
  bool Stop(std::chrono::milliseconds patience = std::chrono::milliseconds::max());

  // The one running thread, or null: RunOnEngine then runs jobs at once.
  static EngineThread* Current();

  void Post(QObject* context, std::function<void()> job, std::function<void()> done);
  // Asks every job posted so far to stop; jobs posted later run normally.
  void Interrupt();
  // Jobs posted whose `done` has not run (or been dropped) yet.
  std::uint64_t Undelivered() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace symcalc::gui
