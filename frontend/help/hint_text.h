// The small text shown under the focused input line.
#pragma once

#include <QString>

#include "user_names.h"

namespace symcalc::gui::help {

// Inside the parentheses of a call of a known function: its usage with the
// current argument in bold, followed by how many arguments it takes once the
// call has too many (or, closed, too few). Elsewhere: how many arguments the
// first miscounted call of the line takes. Rich text; empty when there is
// nothing to say.
QString HintFor(const QString& line, int cursor, const UserNames& names);

}  // namespace symcalc::gui::help
