#include "engine_access.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include "engine_thread.h"

namespace symcalc::gui {

void RunOnEngine(QObject* context, std::function<void()> job, std::function<void()> done) {
  if (EngineThread* engine = EngineThread::Current()) {
    engine->Post(context, std::move(job), std::move(done));
    return;
  }
  // Without an engine thread (a test that drives the engine itself) the
  // engine is this thread's, and the job runs at once.
  const QPointer<QObject> alive(context);
  job();
  if (done && (alive || !context)) done();
}

void InterruptEngine() {
  if (EngineThread* engine = EngineThread::Current()) engine->Interrupt();
}

bool EngineWorkPending() {
  const EngineThread* engine = EngineThread::Current();
  return engine && engine->Undelivered() > 0;
}

void WaitForEngine() {
  while (EngineWorkPending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace symcalc::gui
