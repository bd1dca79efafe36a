// --timeout: a thread that cancels the running line once it has run too long.
// The engine takes the request from any thread; the line then unwinds as after
// Ctrl+C.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace symcalc_cli {

class Watchdog {
 public:
  explicit Watchdog(std::chrono::nanoseconds limit);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // A line starts: the limit counts from now.
  void Arm();
  // The line has ended; true when the limit passed and the line was cancelled.
  bool Disarm();

 private:
  void Watch();

  const std::chrono::nanoseconds limit_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::steady_clock::time_point deadline_;
  bool armed_ = false;
  bool fired_ = false;
  bool stopping_ = false;
  std::thread thread_;  // last: it starts once the fields above exist
};

}  // namespace symcalc_cli
