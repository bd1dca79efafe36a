// Lines from a file descriptor, read in large blocks. Before it waits for more
// input it calls a hook, so that answers are flushed exactly when the other
// side may be waiting for them, not after every line of a long script.
#pragma once

#include <functional>
#include <string>

namespace symcalc_cli {

class LineReader {
 public:
  // `interrupted` runs when a signal broke off the wait for input.
  LineReader(int fd, std::function<void()> beforeWaiting, std::function<void()> interrupted = {})
      : fd_(fd), beforeWaiting_(std::move(beforeWaiting)), interrupted_(std::move(interrupted)) {}

  // The next line without its end; false at the end of input or after a read
  // error. "\n", "\r\n" and a lone "\r" (old text files) each end a line, and
  // a last line without an end still counts.
  bool Next(std::string& line);
  // The errno of the read that failed, 0 when input simply ended.
  int ReadError() const { return readError_; }

 private:
  int fd_;
  std::function<void()> beforeWaiting_;
  std::function<void()> interrupted_;
  std::string buffer_;
  std::size_t start_ = 0;
  bool ended_ = false;
  // The last line ended with "\r": a "\n" right after it belongs to that end,
  // even when it arrives in the next block.
  bool afterCarriageReturn_ = false;
  int readError_ = 0;
};

}  // namespace symcalc_cli
