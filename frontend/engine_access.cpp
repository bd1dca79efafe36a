#include "engine_access.h"

#include <QObject>
#include <QPointer>

namespace symcalc::gui {

// Today the engine shares the window's thread, so a job runs at once.
void RunOnEngine(QObject* context, std::function<void()> job, std::function<void()> done) {
  const QPointer<QObject> alive(context);
  job();
  if (done && (alive || !context)) done();
}

}  // namespace symcalc::gui
