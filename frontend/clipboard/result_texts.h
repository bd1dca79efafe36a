// A line's results as text, one value per line: the engine's text form, which
// reads back as the same value, and LaTeX. Both read the values through the
// engine, so they run where the engine runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

// Each value as `write` puts it, one value per line: the form every text of
// a line's results takes, the screen reader's included.
using ValueWriter = std::function<std::string(const Value* value)>;
std::string OnePerLine(const std::vector<Value*>& results, const ValueWriter& write);

std::string ResultsText(const std::vector<Value*>& results);
std::string ResultsLatex(const std::vector<Value*>& results);

}  // namespace symcalc::gui
