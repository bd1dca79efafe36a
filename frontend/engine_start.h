// Starting the engine the way the worksheet needs it: a fresh engine with the
// worksheet's own function, plot, added to its vocabulary.
#pragma once

namespace symcalc::gui {

void StartEngine();

}  // namespace symcalc::gui
