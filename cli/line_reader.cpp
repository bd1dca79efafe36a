#include "line_reader.h"

#include <unistd.h>

#include <cerrno>

namespace symcalc_cli {

bool LineReader::Next(std::string& line) {
  for (;;) {
    const std::size_t end = buffer_.find('\n', start_);
    if (end != std::string::npos || (ended_ && start_ < buffer_.size())) {
      const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
      line.assign(buffer_, start_, stop - start_);
      start_ = end == std::string::npos ? buffer_.size() : end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    if (ended_) return false;
    buffer_.erase(0, start_);
    start_ = 0;
    if (beforeWaiting_) beforeWaiting_();
    char block[65536];
    ssize_t n;
    do {
      n = read(fd_, block, sizeof block);
    } while (n < 0 && errno == EINTR);
    if (n <= 0)
      ended_ = true;
    else
      buffer_.append(block, static_cast<std::size_t>(n));
  }
}

}  // namespace symcalc_cli
