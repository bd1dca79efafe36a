// libFuzzer entry point: an input is a short worksheet session, one line per
// "\n", handled by a fresh engine exactly as the CLI handles its input. Every
// value is printed, and the last value of each line is read back from its text
// (the worksheet's Ctrl+M), so the printer and the reading of printed text are
// exercised on whatever the engine produced.
//
// Besides the sanitizers' own findings, an input fails when the engine leaves
// a record alive after it has been shut down.
//
// Work that is merely long (a power of a sum with tens of thousands of terms
// takes half a minute in a normal build and many times that under the
// sanitizers) is cancelled after kWorkLimit, as the CLI's --timeout would;
// the engine must then unwind without a leak. Only an input that does not
// stop when asked runs on into libFuzzer's own timeout, a hang.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "symcalc/engine.h"
#include "watchdog.h"

namespace {

constexpr std::chrono::seconds kWorkLimit{30};

struct Input {
  std::string_view text;
};

void RunLines(std::string_view text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    symcalc::LineResult r = symcalc::HandleLine(line);
    if (r.quit) return;
    std::string printed;
    for (const symcalc::Value* v : r.values) printed = symcalc::PrintValue(v);
    if (!r.values.empty()) symcalc::FreeValue(symcalc::EvaluateText(printed));
    symcalc::ReleaseValues(r.values);
  }
}

int RunInput(void* p) {
  const auto* input = static_cast<const Input*>(p);
  symcalc::EngineInit();
  RunLines(input->text);
  symcalc::EngineShutdown();
  const std::int64_t live = symcalc::LiveRecordCount();
  if (live != 0) {
    std::fprintf(stderr, "line_fuzzer: %lld value records alive after shutdown\n",
                 static_cast<long long>(live));
    std::abort();
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static symcalc_cli::Watchdog watchdog(kWorkLimit);
  Input input{std::string_view(reinterpret_cast<const char*>(data), size)};
  symcalc::ClearCancelRequest();
  watchdog.Arm();
  // The programs run the engine on a large stack; so does the fuzzer, so that
  // deep input meets the engine's own depth guards and not the end of a
  // smaller stack than any user has.
  symcalc::RunWithLargeStack(RunInput, &input);
  watchdog.Disarm();
  return 0;
}
