#include "line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace symcalc_cli {
namespace {

std::size_t FindLineEnd(const std::string& text, std::size_t from) {
  const char* begin = text.data() + from;
  const std::size_t size = text.size() - from;
  const void* lf = std::memchr(begin, '\n', size);
  const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : size;
  // Carriage returns are rare: look for one only before the next "\n".
  const void* cr = std::memchr(begin, '\r', lfAt);
  const std::size_t at = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : lfAt;
  return at == size ? std::string::npos : from + at;
}

}  // namespace

bool LineReader::Next(std::string& line) {
  for (;;) {
    if (afterCarriageReturn_ && start_ < buffer_.size()) {
      if (buffer_[start_] == '\n') ++start_;
      afterCarriageReturn_ = false;
    }
    const std::size_t end = FindLineEnd(buffer_, start_);
    if (end != std::string::npos || (ended_ && start_ < buffer_.size())) {
      const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
      line.assign(buffer_, start_, stop - start_);
      start_ = end == std::string::npos ? buffer_.size() : end + 1;
      afterCarriageReturn_ = end != std::string::npos && buffer_[end] == '\r';
      return true;
    }
    if (ended_) return false;
    buffer_.erase(0, start_);
    start_ = 0;
    if (beforeWaiting_) beforeWaiting_();
    char block[65536];
    ssize_t n;
    while ((n = read(fd_, block, sizeof block)) < 0 && errno == EINTR)
      if (interrupted_) interrupted_();
    if (n <= 0) {
      ended_ = true;
      if (n < 0) readError_ = errno;
    } else {
      buffer_.append(block, static_cast<std::size_t>(n));
    }
  }
}

}  // namespace symcalc_cli
