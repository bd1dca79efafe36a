// The text form of values.
#pragma once

#include <string>

#include "values/value.h"

namespace symcalc {

// Appends the text form to one growing buffer.
void AppendPrinted(std::string& out, const Value* v);

}  // namespace symcalc
