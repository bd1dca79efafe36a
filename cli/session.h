// One session of symcalc-cli: the lines of every source, in order, through one
// engine, each value printed on its own line.
#pragma once

#include "options.h"

namespace symcalc_cli {

enum class ExitStatus {
  Success = 0,
  Failure = 1,     // a write error, or an error value under --errors-exit
  UsageError = 2,  // a bad command line or a file that cannot be read
  TimedOut = 3,    // a line ran over --timeout
};

struct Terminal {
  // Standard input is a terminal and a source: Ctrl+C interrupts the line.
  bool interactive = false;
  // Standard output is a terminal too: the line editor can draw there, and
  // the "^C" that the terminal echoes needs a line end after it.
  bool outputIsTerminal = false;
  // Line editing is on: interactive, output a terminal, and no --no-edit.
  bool editing = false;
};

// Runs with the engine initialised; the caller starts and stops the engine.
ExitStatus RunSession(const Options& options, const Terminal& terminal);

}  // namespace symcalc_cli
