#include "watchdog.h"

#include "symcalc/engine.h"

namespace symcalc_cli {

Watchdog::Watchdog(std::chrono::nanoseconds limit) : limit_(limit), thread_([this] { Watch(); }) {}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  thread_.join();
}

void Watchdog::Arm() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    deadline_ = std::chrono::steady_clock::now() + limit_;
    armed_ = true;
    fired_ = false;
  }
  changed_.notify_one();
}

bool Watchdog::Disarm() {
  std::lock_guard<std::mutex> lock(mutex_);
  armed_ = false;
  return fired_;
}

void Watchdog::Watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    if (!armed_) {
      changed_.wait(lock);
    } else if (std::chrono::steady_clock::now() >= deadline_) {
      symcalc::RequestCancel();
      fired_ = true;
      armed_ = false;
    } else {
      changed_.wait_until(lock, deadline_);
    }
  }
}

}  // namespace symcalc_cli
