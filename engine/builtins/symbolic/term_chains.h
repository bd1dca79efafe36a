// Sum and product chains taken apart and put together again.
#pragma once

#include <vector>

#include "values/value.h"

namespace symcalc {

// The operands of the left-nested chain of `op` nodes that v heads, left to
// right; v alone when it is not an `op` node. Borrowed from v.
std::vector<const Value*> ChainOperands(const Value* v, ValueType op);

// Appends the terms of v (the summands of a sum, or v itself) to `terms`.
void AppendTerms(const Value* v, std::vector<Held>& terms);

// The terms with like ones merged, put in the term order and chained with
// the engine's own + (the qword 0 for none).
Value* SortedSum(std::vector<Held>& terms);

}  // namespace symcalc
