// Debug builds check the normal form of every operator node the simplifier
// returns or marks as simplified, so a broken invariant fails in the tests
// and not in a result: no two terms of a chain are like, wherever they stand.
#pragma once

#include "values/value.h"

namespace symcalc {

#ifdef SYMCALC_CHECK_NORMAL_FORM
void CheckNormalForm(const Value* v);
#else
inline void CheckNormalForm(const Value*) {}
#endif

}  // namespace symcalc
