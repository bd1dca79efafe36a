// A line's results as text, one value per line: the engine's text form, which
// reads back as the same value, and LaTeX. Both read the values through the
// engine, so they run where the engine runs.
#pragma once

#include <string>
#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

std::string ResultsText(const std::vector<Value*>& results);
std::string ResultsLatex(const std::vector<Value*>& results);

}  // namespace symcalc::gui
