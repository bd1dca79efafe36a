// When the order of set elements can be used to sort, not only to insert.
#pragma once

#include "values/value.h"

namespace symcalc {

// True when v belongs to the elements on which the set order (TermOrder
// outside chains) is a strict weak order and alike elements are never ordered
// apart. On such elements, inserting one at a time and sorting once (stably,
// keeping the first of alike elements) give the same chain.
//
// The order compares operands and arguments one pair at a time and goes on
// past a pair that ties. A pair of numbers of one type, or of booleans,
// arrays and the like, always ties, yet a tie of the last kind (no number,
// not alike) ends a comparison of function arguments or operands on the
// spot; where that could happen before a later pair decides, equivalence
// would not be transitive, and such values are left out.
bool SortsAsSetElement(const Value* v);

// True when v is made of names and math symbols only, through applications
// and operator nodes. On such values the term order outside chains, and on
// applications of them in any chain, is a strict total order in which only
// alike values tie.
bool TiesOnlyWhenAlike(const Value* v);

}  // namespace symcalc
