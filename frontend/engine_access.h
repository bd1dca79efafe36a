// The worksheet's one road to the engine. The engine is not reentrant and
// belongs to one thread (engine_thread.h); window code hands it work through
// here and gets the answer back on the window thread. A job may read and
// build values but never touches a widget; a `done` callback may touch
// widgets but never the engine. Values never cross: a job hands back texts,
// numbers or pictures.
#pragma once

#include <functional>

class QObject;

namespace symcalc::gui {

// Runs `job` on the engine's thread; afterwards `done` (when given) runs on
// the window thread, unless `context` has been destroyed by then. Jobs run one
// at a time, in the order they were posted. A job posted before an
// InterruptEngine() finds CancelPending() true and should stop early: the
// engine's answers (a printed text, say) are incomplete then.
void RunOnEngine(QObject* context, std::function<void()> job, std::function<void()> done = {});

// Asks every job posted so far to stop (Esc); jobs posted later run normally.
void InterruptEngine();

// True while a posted job has not finished or its `done` has not run yet.
bool EngineWorkPending();

// Runs the window's events until no work is pending: for tools and tests that
// script the worksheet and read what it shows.
void WaitForEngine();

}  // namespace symcalc::gui
