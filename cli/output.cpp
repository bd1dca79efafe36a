#include "output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace symcalc_cli {
namespace {

// Large enough that a long script costs few system calls, small enough that
// an answer is not held back for long when output goes to a pipe.
constexpr std::size_t kFlushSize = 1 << 16;

// False with errno set when the descriptor refused the bytes.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool Output::Write(std::string_view text) {
  if (failed_) return false;
  pending_.append(text);
  return pending_.size() < kFlushSize || Flush();
}

bool Output::Flush() {
  if (failed_) return false;
  if (pending_.empty()) return true;
  const bool written = WriteAll(STDOUT_FILENO, pending_.data(), pending_.size());
  pending_.clear();
  if (!written) {
    failed_ = true;
    std::string message = "symcalc-cli: cannot write to standard output: ";
    message += std::strerror(errno);
    message += '\n';
    WriteAll(STDERR_FILENO, message.data(), message.size());
  }
  return written;
}

void Complain(Output& out, std::string_view message) {
  out.Flush();
  std::string line(message);
  line += '\n';
  WriteAll(STDERR_FILENO, line.data(), line.size());
}

}  // namespace symcalc_cli
