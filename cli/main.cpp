// symcalc-cli: the engine without the window. Each input line is handled as a
// worksheet line is, and the text form of each value is printed on its own line.
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "interrupts.h"
#include "options.h"
#include "session.h"
#include "symcalc/engine.h"

namespace {

struct Run {
  const symcalc_cli::Options& options;
  symcalc_cli::Terminal terminal;
};

int RunOnLargeStack(void* p) {
  const Run& run = *static_cast<Run*>(p);
  symcalc::EngineInit();
  const symcalc_cli::ExitStatus status = symcalc_cli::RunSession(run.options, run.terminal);
  symcalc::EngineShutdown();
  return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
  using symcalc_cli::Request;
  const symcalc_cli::ParsedCommandLine parsed = symcalc_cli::ParseCommandLine(argc, argv);
  switch (parsed.request) {
    case Request::Help:
      std::fputs(symcalc_cli::kUsage, stdout);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case Request::Version:
      std::puts("symcalc-cli " SYMCALC_VERSION);
      return std::fflush(stdout) == 0 ? 0 : 1;
    case Request::UsageError:
      std::fprintf(stderr, "symcalc-cli: %s\n%s", parsed.problem.c_str(), symcalc_cli::kUsage);
      return static_cast<int>(symcalc_cli::ExitStatus::UsageError);
    case Request::Run:
      break;
  }
  const symcalc_cli::Options& options = parsed.options;
  Run run{options, {}};
  const bool readsInput =
      std::any_of(options.sources.begin(), options.sources.end(), [](const symcalc_cli::Source& s) {
        return s.kind == symcalc_cli::SourceKind::StandardInput;
      });
  run.terminal.interactive = readsInput && isatty(STDIN_FILENO);
  run.terminal.outputIsTerminal = isatty(STDOUT_FILENO);
  run.terminal.editing = run.terminal.interactive && options.edit && run.terminal.outputIsTerminal;
  if (run.terminal.interactive) symcalc_cli::BlockInterruptsInThisThread();
  return symcalc::RunWithLargeStack(RunOnLargeStack, &run);
}
