#include "example_run.h"

#include <vector>

#include "plot.h"
#include "result_picture.h"
#include "symcalc/engine.h"

namespace symcalc::gui::help {
namespace {

// The scratch engine lasts exactly as long as this holder.
class ScratchEngine {
 public:
  ScratchEngine() {
    BeginScratchEngine();
    RegisterPlot();
  }
  ~ScratchEngine() { EndScratchEngine(); }
  ScratchEngine(const ScratchEngine&) = delete;
  ScratchEngine& operator=(const ScratchEngine&) = delete;
};

// Declared after the scratch engine, so released before it ends.
struct OwnedValues {
  std::vector<Value*> values;
  ~OwnedValues() { ReleaseValues(values); }
};

}  // namespace

ExampleOutcome RunExample(std::string_view line, const WorksheetFonts* fonts) {
  const ScratchEngine scratch;
  OwnedValues results{HandleLine(line).values};
  ExampleOutcome outcome;
  for (const Value* value : results.values) {
    if (!outcome.text.empty()) outcome.text += "; ";
    outcome.text += PrintValue(value);
  }
  if (fonts) outcome.picture = DrawResults(results.values, MeasureResults(results.values, *fonts), *fonts);
  outcome.interrupted = CancelPending();
  return outcome;
}

}  // namespace symcalc::gui::help
