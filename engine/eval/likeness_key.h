// A hash of a term that like terms share, so that a term's like partner in a
// long chain is found among a few candidates instead of by a walk.
#pragma once

#include <cstdint>

#include "eval/simplify.h"

namespace symcalc {

// Equal for any two terms for which LikeTerms(a, b, op) is 1: in a sum the
// numeric coefficient does not count, in a product the numeric exponent does
// not. Unlike terms may share a key too; LikeTerms decides.
std::uint64_t LikenessKey(const Value* term, Chain op);

}  // namespace symcalc
