// What a screen reader says for a line's results. A result is a picture, so
// its words come from the engine: one line per value, the text Ctrl+M would
// paste, except that a plot is described rather than spelled out. Runs on
// the engine's thread.
#pragma once

#include <string>
#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

// Said in place of a text far too long to read (or to print: the parts of a
// value may be shared, so its text can be vastly longer than the value).
inline constexpr const char* kTooLongToRead = "a result too long to read";

// Whether the text of `v` is short enough to read out, judged from its
// structure without printing it: false for a value whose text would keep the
// engine busy for minutes.
bool PrintsReadably(const Value* v);

// "plot of x*sin(x) for x from -10 to 10"; with a y range ", y from 0 to 1".
std::string DescribePlot(const Value* plot);

std::string DescribeResults(const std::vector<Value*>& results);

}  // namespace symcalc::gui
