#include "session.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "interrupts.h"
#include "line_editor.h"
#include "line_reader.h"
#include "output.h"
#include "symcalc/engine.h"
#include "watchdog.h"

namespace symcalc_cli {
namespace {

// Where a line came from, for messages: "file:3", "-e:2", "standard input:5".
struct Place {
  std::string_view source;
  std::size_t line = 0;
};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

enum class Flow { Continue, Stop };

class Session {
 public:
  Session(const Options& options, const Terminal& terminal) : options_(options), terminal_(terminal) {
    if (options.timeout) watchdog_.emplace(*options.timeout);
  }

  ExitStatus Run();

 private:
  Flow RunLine(std::string_view line, const Place& where);
  Flow RunFile(const std::string& name);
  Flow RunStandardInput();
  Flow RunEditedInput();
  Flow Unreadable(std::string_view what, const std::string& name, int error);
  // The terminal echoed "^C" where the cursor was; what follows starts on a
  // line of its own.
  void EndEchoedInterrupt();
  // Ctrl+C while waiting for a line without the editor: a fresh prompt.
  void DropInterruptedInput();
  void ForgetInterruptBeforeLine();

  const Options& options_;
  const Terminal terminal_;
  Output out_;
  std::optional<Watchdog> watchdog_;
  std::unique_ptr<LineEditor> editor_;  // made when standard input is first read
  std::size_t lineOption_ = 0;          // counts the -e lines
  bool errorPrinted_ = false;
  bool timedOut_ = false;
  bool unreadable_ = false;
};

ExitStatus Session::Run() {
  for (const Source& source : options_.sources) {
    Flow flow = Flow::Continue;
    switch (source.kind) {
      case SourceKind::Line:
        flow = RunLine(source.text, {"-e", ++lineOption_});
        break;
      case SourceKind::File:
        flow = RunFile(source.text);
        break;
      case SourceKind::StandardInput:
        flow = terminal_.editing ? RunEditedInput() : RunStandardInput();
        break;
    }
    if (flow == Flow::Stop) break;
  }
  out_.Flush();
  if (out_.Failed()) return ExitStatus::Failure;
  if (unreadable_) return ExitStatus::UsageError;
  if (timedOut_) return ExitStatus::TimedOut;
  if (options_.errorsExit && errorPrinted_) return ExitStatus::Failure;
  return ExitStatus::Success;
}

Flow Session::RunLine(std::string_view line, const Place& where) {
  // No request is pending here: each line withdraws its own at the end, and
  // a Ctrl+C at the prompt is withdrawn where it is seen.
  if (watchdog_) watchdog_->Arm();
  symcalc::LineResult result = symcalc::HandleLine(line);
  // Held, so that every way out of this line releases its values.
  std::vector<symcalc::Held> values;
  for (symcalc::Value* value : result.values) values.push_back(symcalc::Hold(value));
  result.values.clear();
  bool cancelled = result.cancelled;
  bool timedOut = false;
  if (cancelled) {
    timedOut = watchdog_ && watchdog_->Disarm();
    if (!timedOut) EndEchoedInterrupt();
    // The pieces that completed are printed in full; printing them may be
    // interrupted again, and gets a time limit of its own.
    symcalc::ClearCancelRequest();
    if (watchdog_) watchdog_->Arm();
  }
  for (const symcalc::Held& held : values) {
    const symcalc::Value* value = held.get();
    std::string text = symcalc::PrintValue(value);
    // A cancelled print returns a part of the text: show none of it.
    if (symcalc::CancelPending()) {
      cancelled = true;
      break;
    }
    if (symcalc::TypeOf(value) == symcalc::ValueType::Error) errorPrinted_ = true;
    text += '\n';
    if (!out_.Write(text)) break;
    // On a terminal each value appears as soon as it is printed, before a
    // Ctrl+C that stops the next one.
    if (terminal_.interactive && !out_.Flush()) break;
  }
  values.clear();
  // Printing counts against the limit too: a small value can print as a huge
  // text when its parts are shared.
  if (watchdog_ && watchdog_->Disarm()) timedOut = true;
  // A late request (the limit passing or Ctrl+C just as the line completed)
  // is not meant for the next line.
  symcalc::ClearCancelRequest();
  TakeInterrupt();
  if (cancelled) {
    if (!result.cancelled && !timedOut) EndEchoedInterrupt();
    if (timedOut) {
      timedOut_ = true;
      Complain(out_, "symcalc-cli: " + std::string(where.source) + ":" + std::to_string(where.line) +
                         ": cancelled after the timeout of " + options_.timeoutText + " s");
    } else {
      Complain(out_, "interrupted");
    }
  }
  if (out_.Failed() || result.quit) return Flow::Stop;
  return Flow::Continue;
}

void Session::EndEchoedInterrupt() {
  if (terminal_.interactive && terminal_.outputIsTerminal) out_.Write("\n");
}

Flow Session::Unreadable(std::string_view what, const std::string& name, int error) {
  Complain(out_, "symcalc-cli: cannot " + std::string(what) + " '" + name + "': " + std::strerror(error));
  unreadable_ = true;
  return Flow::Stop;
}

Flow Session::RunFile(const std::string& name) {
  FileDescriptor file(open(name.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return Unreadable("open", name, errno);
  LineReader reader(file.get(), [this] { out_.Flush(); });
  std::string line;
  std::size_t number = 0;
  while (reader.Next(line)) {
    ++number;
    // "#!/usr/bin/env symcalc-cli" lets a file of lines run as a program.
    if (number == 1 && line.starts_with("#!")) continue;
    if (RunLine(line, {name, number}) == Flow::Stop) return Flow::Stop;
  }
  if (reader.ReadError() != 0) return Unreadable("read", name, reader.ReadError());
  return Flow::Continue;
}

void Session::DropInterruptedInput() {
  if (!TakeInterrupt()) return;
  symcalc::ClearCancelRequest();
  // The terminal has dropped the typed text and echoed "^C".
  out_.Write("\n> ");
  out_.Flush();
}

void Session::ForgetInterruptBeforeLine() {
  // The terminal drops what is typed before a Ctrl+C, so a line read after
  // one was typed after it; a Ctrl+C that came just before the wait for
  // input started, and broke off nothing, is not meant for it.
  if (terminal_.interactive && TakeInterrupt()) symcalc::ClearCancelRequest();
}

Flow Session::RunStandardInput() {
  LineReader reader(STDIN_FILENO, [this] { out_.Flush(); }, [this] { DropInterruptedInput(); });
  std::string line;
  std::size_t number = 0;
  for (;;) {
    if (terminal_.interactive && !out_.Write("> ")) return Flow::Stop;
    if (!reader.Next(line)) break;
    ForgetInterruptBeforeLine();
    if (RunLine(line, {"standard input", ++number}) == Flow::Stop) return Flow::Stop;
  }
  if (reader.ReadError() != 0) return Unreadable("read", "standard input", reader.ReadError());
  return Flow::Continue;
}

Flow Session::RunEditedInput() {
  if (!out_.Flush()) return Flow::Stop;
  if (!editor_) editor_ = std::make_unique<LineEditor>("symcalc-cli", stdin, stdout);
  std::string line;
  std::size_t number = 0;
  for (;;) {
    switch (editor_->Next(line)) {
      case EditedLine::Line:
        ForgetInterruptBeforeLine();
        if (RunLine(line, {"standard input", ++number}) == Flow::Stop) return Flow::Stop;
        if (!out_.Flush()) return Flow::Stop;
        break;
      case EditedLine::Abandoned:
        symcalc::ClearCancelRequest();
        break;
      case EditedLine::End:
        // Ctrl+D leaves the cursor after the prompt; the shell's prompt
        // should start on a line of its own.
        out_.Write("\n");
        return Flow::Continue;
    }
  }
}

}  // namespace

ExitStatus RunSession(const Options& options, const Terminal& terminal) {
  // The watchdog's thread starts first, with SIGINT still blocked: the signal
  // then reaches this thread only.
  Session session(options, terminal);
  std::optional<InterruptHandler> interrupts;
  if (terminal.interactive) interrupts.emplace();
  return session.Run();
}

}  // namespace symcalc_cli
