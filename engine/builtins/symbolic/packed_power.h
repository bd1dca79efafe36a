// Powers of sums of monomials multiplied out on exponent vectors.
#pragma once

#include <cstdint>

#include "values/value.h"

namespace symcalc {

// sum^n for n >= 2, where every term of the sum is an integer, a variable, a
// variable to an integer power of at least 2, or an integer multiple of a
// product of such powers of different variables. The result is the very chain
// that multiplying out one factor of the sum at a time with the engine's own
// arithmetic builds, term order included. Null when the sum is not of that
// kind, or when that way would meet something this one does not model (a
// coefficient leaving 64 bits, terms cancelling, a term that moves or merges
// while the chain is built); the caller then takes the general way. An error
// when a cancel request stopped it.
Value* PackedPowerOfSum(const Value* sum, std::int64_t n);

// How the packed way sees two terms a and b of such a sum: its term order
// and likeness (TermOrder(a, b, +) and LikeTerms(a, b, +) of the records) in
// `order` and `like`, and whether its products merge them in `merge`. False
// when a or b is not a term of that kind. For the tests that hold these
// answers to the record walk's.
bool ComparePackedTerms(const Value* a, const Value* b, int& order, int& like, bool& merge);

}  // namespace symcalc
