#include "options.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace symcalc_cli {

const char* const kUsage =
    "Usage: symcalc-cli [OPTION]... [FILE]...\n"
    "Evaluates lines of the symcalc language and prints each value.\n"
    "The lines of -e options and FILEs are evaluated in the order given, as one\n"
    "session; \"-\" reads standard input. Without either, lines are read from\n"
    "standard input. \"end\" or \"quit\" stops.\n"
    "\n"
    "  -e LINE            evaluate LINE (may be given several times)\n"
    "  --errors-exit      exit with status 1 if any printed value was an error\n"
    "  --timeout SECONDS  cancel a line that runs longer; exit status 3 at the end\n"
    "  --no-edit          no line editing when standard input is a terminal\n"
    "  --help             show this help\n"
    "  --version          show the version\n"
    "\n"
    "Exit status: 0 success, 1 a write error or (with --errors-exit) an error value,\n"
    "2 a usage error or an unreadable file, 3 a line ran over the timeout.\n";

namespace {

// The longest limit that still fits in nanoseconds with room to spare.
constexpr double kLongestTimeout = 1e9;

std::optional<std::chrono::nanoseconds> ParseSeconds(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(seconds) || seconds <= 0 || seconds > kLongestTimeout)
    return std::nullopt;
  return std::chrono::nanoseconds(static_cast<std::int64_t>(std::ceil(seconds * 1e9)));
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
  ParsedCommandLine parsed;
  Options& o = parsed.options;
  auto fail = [&](std::string problem) {
    parsed.request = Request::UsageError;
    parsed.problem = std::move(problem);
    return parsed;
  };
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
      if (arg == "-" && !optionsEnded)
        o.sources.push_back({SourceKind::StandardInput, {}});
      else
        o.sources.push_back({SourceKind::File, std::string(arg)});
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.request = Request::Help;
      return parsed;
    } else if (arg == "--version") {
      parsed.request = Request::Version;
      return parsed;
    } else if (arg == "-e") {
      if (i + 1 >= argc) return fail("-e needs a line to evaluate");
      o.sources.push_back({SourceKind::Line, argv[++i]});
    } else if (arg == "--no-edit") {
      o.edit = false;
    } else if (arg == "--errors-exit") {
      o.errorsExit = true;
    } else if (arg == "--timeout" || arg.starts_with("--timeout=")) {
      std::string value;
      if (arg == "--timeout") {
        if (i + 1 >= argc) return fail("--timeout needs a number of seconds");
        value = argv[++i];
      } else {
        value = std::string(arg.substr(std::string_view("--timeout=").size()));
      }
      o.timeout = ParseSeconds(value);
      if (!o.timeout) return fail("--timeout needs a number of seconds above 0, not '" + value + "'");
      o.timeoutText = value;
    } else {
      return fail("unknown option '" + std::string(arg) + "'");
    }
  }
  if (o.sources.empty()) o.sources.push_back({SourceKind::StandardInput, {}});
  return parsed;
}

}  // namespace symcalc_cli
