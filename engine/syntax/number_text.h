// Locale-independent reading and printing of numbers.
#pragma once

#include <string>
#include <string_view>

#include "values/value.h"

namespace symcalc {

// Reads a double the way atof reads it in the "C" locale (longest valid
// prefix, 0.0 when there is none), whatever LC_NUMERIC says.
double ReadDouble(std::string_view s);
// A decimal integer literal: a qword, or a double when it does not fit.
Value* ReadDecimalInteger(std::string_view s);
// "%.10f" with trailing zeros removed; the decimal point stays.
std::string FormatDouble(double x);
void AppendDouble(std::string& out, double x);

}  // namespace symcalc
