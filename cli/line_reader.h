// Lines from a file descriptor, read in large blocks. Before it waits for more
// input it calls a hook, so that answers are flushed exactly when the other
// side may be waiting for them, not after every line of a long script.
#pragma once

#include <functional>
#include <string>

namespace symcalc_cli {

class LineReader {
 public:
  LineReader(int fd, std::function<void()> beforeWaiting)
      : fd_(fd), beforeWaiting_(std::move(beforeWaiting)) {}

  // The next line without its "\n" (or "\r\n"); false at the end of input.
  // A last line without "\n" still counts.
  bool Next(std::string& line);

 private:
  int fd_;
  std::function<void()> beforeWaiting_;
  std::string buffer_;
  std::size_t start_ = 0;
  bool ended_ = false;
};

}  // namespace symcalc_cli
