// Powers and products of sums of monomials multiplied out on exponent
// vectors.
#pragma once

#include <cstdint>

#include "eval/simplify.h"
#include "values/value.h"

namespace symcalc {

// sum^n for n >= 2, where every term of the sum is an integer, a variable, a
// variable to an integer power of at least 2, or a multiple of a product of
// such powers of different variables by an integer (or by a double of at
// least 2^62, what integers beyond 64 bits become). The result is the very
// chain that multiplying out one factor of the sum at a time with the
// engine's own arithmetic builds, term order and double rounding included.
// Null when the sum is not of that kind, or when that way would meet
// something this one does not model (terms cancelling, a double coefficient
// falling below 2^62 or overflowing, a term that moves or merges while the
// chain is built); the caller then takes the general way. An error when a
// cancel request stopped it.
Value* PackedPowerOfSum(const Value* sum, std::int64_t n);

// a * b for two sums (or one sum and one term) of such terms, multiplied out
// as the sorted distribution does it: every product of a term of a with a
// term of b, in that order, merged into the first earlier product it is
// like, ordered with the sum order of terms and chained. Null where
// PackedPowerOfSum would give up.
Value* PackedProduct(const Value* a, const Value* b);

// How the packed way sees two terms a and b of such a sum: its term order
// and likeness (TermOrder(a, b, +) and LikeTerms(a, b, +) of the records) in
// `order` and `like`, and whether its products merge them in `merge`. False
// when a or b is not a term of that kind. For the tests that hold these
// answers to the record walk's.
bool ComparePackedTerms(const Value* a, const Value* b, TermOrdering& order, int& like, bool& merge);

// Whether the packed way's sort puts a after b (TermOrder(a, b, +) is 1 or
// 2 for the records), answered the quick way the sort uses. False when a or
// b is not a term of that kind.
bool PackedTermFollows(const Value* a, const Value* b, bool& follows);

}  // namespace symcalc
