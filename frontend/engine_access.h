// The worksheet's one road to the engine. The engine is not reentrant and
// belongs to one thread; window code hands it work through here and gets the
// answer back on the window thread. A job may read and build values but never
// touches a widget; a `done` callback may touch widgets but never the engine.
#pragma once

#include <functional>

class QObject;

namespace symcalc::gui {

// Runs `job` on the engine's thread; afterwards `done` (when given) runs on
// the window thread, unless `context` has been destroyed by then. Jobs run one
// at a time, in the order they were posted.
void RunOnEngine(QObject* context, std::function<void()> job, std::function<void()> done = {});

}  // namespace symcalc::gui
