// Debug builds check the normal form of every operator node the simplifier
// returns, so a broken invariant fails in the tests and not in a result.
#pragma once

#include "values/value.h"

namespace symcalc {

#ifdef SYMCALC_CHECK_NORMAL_FORM
void CheckNormalForm(const Value* v);
#else
inline void CheckNormalForm(const Value*) {}
#endif

}  // namespace symcalc
