// LaTeX for values, built the way the worksheet draws them: the fractions the
// picture stacks become \frac, raised exponents ^{}, and parentheses, minus
// signs and the gap of a product stand where the picture has them, so that a
// formula pasted into a document reads like the one on the screen.
#pragma once

#include <string>

#include "symcalc/engine.h"

namespace symcalc::gui {

// The body of one math formula, without $ delimiters. It needs the amsmath
// package (\text, \operatorname, bmatrix). Reads the value through the
// engine, so it runs where the engine runs. Like a printed text, it is
// incomplete when CancelPending() is true afterwards.
std::string LatexOf(const Value* value);

}  // namespace symcalc::gui
