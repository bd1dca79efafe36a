#include "engine_start.h"

#include "plot.h"
#include "symcalc/engine.h"

namespace symcalc::gui {

void StartEngine() {
  EngineInit();
  RegisterPlot();
}

}  // namespace symcalc::gui
