// The sentence that tells how many arguments a function takes, for the hint
// under an input line and for tooltips on results that report "Incorrect
// number of parameters." (the engine's message itself stays as it is).
#pragma once

#include <string>
#include <string_view>

namespace symcalc::gui::help {

// "sin takes 1 argument", "atan takes 1 or 2 arguments", "typelist takes no
// arguments"; empty when `name` is not a builtin. Plain data: safe on any
// thread, no engine call.
std::string ArityHint(std::string_view name);

// The same sentence for a function whose counts are known otherwise (one of
// the user's): `most` arguments of which the last `optional` may be left out.
std::string ArityHint(std::string_view name, int most, int optional);

}  // namespace symcalc::gui::help
