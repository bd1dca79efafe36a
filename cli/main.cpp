// symcalc-cli: the engine without the window. Each input line is handled as a
// worksheet line is, and the text form of each value is printed on its own line.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "line_reader.h"
#include "symcalc/engine.h"

namespace {

constexpr const char* kUsage =
    "Usage: symcalc-cli [-e LINE]...\n"
    "Evaluates lines of the symcalc language and prints each value.\n"
    "Without -e, lines are read from standard input until its end, \"end\" or \"quit\".\n"
    "\n"
    "  -e LINE     evaluate LINE (may be given several times) instead of reading input\n"
    "  --help      show this help\n"
    "  --version   show the version\n";

struct Options {
  std::vector<std::string> lines;
  bool useLines = false;
};

// Prints the values of one line; returns false when the line asks to stop.
bool RunLine(const std::string& line) {
  symcalc::LineResult r = symcalc::HandleLine(line);
  if (r.quit) return false;
  std::string out;
  for (const symcalc::Value* v : r.values) {
    out += symcalc::PrintValue(v);
    out += '\n';
  }
  symcalc::ReleaseValues(r.values);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return true;
}

int Run(void* p) {
  const Options& options = *static_cast<Options*>(p);
  symcalc::EngineInit();
  if (options.useLines) {
    for (const std::string& line : options.lines)
      if (!RunLine(line)) break;
  } else {
    const bool interactive = isatty(STDIN_FILENO);
    // A program that talks to the CLI through pipes sees each answer before
    // the CLI waits for its next line.
    symcalc_cli::LineReader reader(STDIN_FILENO, [] { std::fflush(stdout); });
    std::string line;
    for (;;) {
      if (interactive) {
        std::fputs("> ", stdout);
        std::fflush(stdout);
      }
      if (!reader.Next(line)) break;
      if (!RunLine(line)) break;
    }
  }
  symcalc::EngineShutdown();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("symcalc-cli 0.1.0");
      return 0;
    }
    if (arg == "-e") {
      if (i + 1 >= argc) {
        std::fputs("symcalc-cli: -e needs a line to evaluate\n", stderr);
        std::fputs(kUsage, stderr);
        return 2;
      }
      options.lines.emplace_back(argv[++i]);
      options.useLines = true;
      continue;
    }
    std::fprintf(stderr, "symcalc-cli: unknown option '%s'\n", arg.c_str());
    std::fputs(kUsage, stderr);
    return 2;
  }
  return symcalc::RunWithLargeStack(Run, &options);
}
