// The command line of symcalc-cli.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace symcalc_cli {

// Where lines come from, in the order given; together they make one session.
enum class SourceKind {
  Line,           // -e LINE
  File,           // a file name
  StandardInput,  // "-", or no -e and no file at all
};

struct Source {
  SourceKind kind = SourceKind::StandardInput;
  std::string text;  // the line, or the file name
};

struct Options {
  std::vector<Source> sources;
  bool edit = true;         // --no-edit turns line editing off
  bool errorsExit = false;  // --errors-exit
  std::optional<std::chrono::nanoseconds> timeout;
  std::string timeoutText;  // as given, for the message
};

enum class Request { Run, Help, Version, UsageError };

struct ParsedCommandLine {
  Request request = Request::Run;
  Options options;
  std::string problem;  // for UsageError
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

extern const char* const kUsage;

}  // namespace symcalc_cli
