// Standard output with every failure seen. stdio would report a full disk or a
// closed descriptor only through a flag that is easy to forget, and a signal
// during a write would look like a failure; here a write is retried after a
// signal and the first real failure is reported once, on standard error.
#pragma once

#include <string>
#include <string_view>

namespace symcalc_cli {

class Output {
 public:
  Output() = default;
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // Both return false once a write has failed; nothing is written after that.
  bool Write(std::string_view text);
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  std::string pending_;
  bool failed_ = false;
};

// A message on standard error, after whatever standard output still holds, so
// that the two read in order on a terminal.
void Complain(Output& out, std::string_view message);

}  // namespace symcalc_cli
