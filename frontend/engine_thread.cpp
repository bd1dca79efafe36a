#include "engine_thread.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

#include "engine_start.h"
#include "symcalc/engine.h"

namespace symcalc::gui {
namespace {

// Reserved, and touched only as deep as an expression goes: as much as the
// engine's own large-stack threads get.
constexpr unsigned kStackBytes = 1u << 30;

EngineThread* g_current = nullptr;

struct Posted {
  std::uint64_t number = 0;
  std::function<void()> job;
  QPointer<QObject> context;
  bool hasContext = false;
  std::function<void()> done;
};

}  // namespace

struct EngineThread::State {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<Posted> queue;         // under mutex
  bool stopping = false;            // under mutex
  std::uint64_t cancelThrough = 0;  // under mutex: the last job a request covers
  std::uint64_t posted = 0;         // window thread only
  std::uint64_t undelivered = 0;    // window thread only
  bool stopped = false;             // window thread only
  std::promise<void> ready;
  // Lives on the window thread: `done` callbacks reach it as queued calls.
  QObject relay;
  std::unique_ptr<QThread> thread;

  void Run();
  void Serve();
};

void EngineThread::State::Run() {
  StartEngine();
  ready.set_value();
  Serve();
  ClearCancelRequest();
  EngineShutdown();
}

void EngineThread::State::Serve() {
  for (;;) {
    Posted next;
    {
      std::unique_lock lock(mutex);
      wake.wait(lock, [this] { return !queue.empty() || stopping; });
      if (queue.empty()) return;
      next = std::move(queue.front());
      queue.pop_front();
      // Deciding under the lock that Interrupt takes keeps a request from
      // slipping in between and being withdrawn for a job it covered.
      ClearCancelRequest();
      if (next.number <= cancelThrough) RequestCancel();
    }
    next.job();
    next.job = nullptr;  // whatever the job holds is released here, on the engine's thread
    QMetaObject::invokeMethod(
        &relay,
        [this, context = std::move(next.context), hasContext = next.hasContext,
         done = std::move(next.done)] {
          --undelivered;
          if (done && (context || !hasContext)) done();
        },
        Qt::QueuedConnection);
  }
}

EngineThread::EngineThread() : state_(std::make_unique<State>()) {
  std::future<void> ready = state_->ready.get_future();
  state_->thread.reset(QThread::create([state = state_.get()] { state->Run(); }));
  state_->thread->setObjectName(QStringLiteral("symcalc engine"));
  state_->thread->setStackSize(kStackBytes);
  state_->thread->start();
  if (!state_->thread->isRunning()) {
    // The large stack could not be had: a default one still works, and the
    // engine's stack guard turns deep input into error values.
    state_->thread->setStackSize(0);
    state_->thread->start();
  }
  if (!state_->thread->isRunning()) {
    // No thread at all: the engine shares the window's thread, as jobs then
    // run at once.
    state_->thread.reset();
    StartEngine();
    return;
  }
  ready.wait();
  g_current = this;
}

EngineThread::~EngineThread() { Stop(); }

EngineThread* EngineThread::Current() { return g_current; }

void EngineThread::Post(QObject* context, std::function<void()> job, std::function<void()> done) {
  State& s = *state_;
  Posted posted{++s.posted, std::move(job), QPointer<QObject>(context), context != nullptr,
                std::move(done)};
  ++s.undelivered;
  {
    const std::lock_guard lock(s.mutex);
    s.queue.push_back(std::move(posted));
  }
  s.wake.notify_one();
}

void EngineThread::Interrupt() {
  State& s = *state_;
  const std::lock_guard lock(s.mutex);
  s.cancelThrough = s.posted;
  RequestCancel();
}

std::uint64_t EngineThread::Undelivered() const { return state_->undelivered; }

bool EngineThread::Stop(std::chrono::milliseconds patience) {
  State& s = *state_;
  if (s.stopped) return true;
  if (g_current == this) g_current = nullptr;
  if (!s.thread) {
    ClearCancelRequest();
    EngineShutdown();
    s.stopped = true;
    return true;
  }
  Interrupt();
  {
    const std::lock_guard lock(s.mutex);
    s.stopping = true;
  }
  s.wake.notify_one();
  const QDeadlineTimer deadline = patience == std::chrono::milliseconds::max()
                                      ? QDeadlineTimer(QDeadlineTimer::Forever)
                                      : QDeadlineTimer(patience);
  s.stopped = s.thread->wait(deadline);
  return s.stopped;
}

}  // namespace symcalc::gui
