// Monomials as exponent vectors, and the sum order of the terms they stand
// for answered from the vectors.
#pragma once

#include <array>
#include <cstdint>

#include "eval/simplify.h"

namespace symcalc {

inline constexpr std::size_t kMaxPackedVariables = 8;

// coef * v0^e0 * v1^e1 * ..., the variables numbered by the byte order of
// their names, an exponent of 0 meaning the variable is absent. A
// coefficient that left 64 bits is the double the engine's arithmetic made
// of it (`real` set): exact integers turn into doubles on overflow, and from
// then on the term's coefficient is computed in doubles.
struct PackedMonomial {
  std::array<std::uint16_t, kMaxPackedVariables> exps{};
  union {
    std::int64_t coef = 1;
    double real_coef;
  };
  bool real = false;
};

// The record of a monomial is a left-nested product chain: the coefficient
// first (left out when it is the integer 1 and there are factors), then one
// element per variable present, the variable itself or a power of it.
std::uint32_t FactorCount(const PackedMonomial& m);
inline bool HasCoefficient(const PackedMonomial& m) {
  return m.real || m.coef != 1 || FactorCount(m) == 0;
}

// One element of that chain as the term order sees it: the coefficient (an
// integer or a double), a variable, or a power of a variable with an
// integer exponent.
struct PackedElement {
  std::uint8_t type;    // a ValueType
  std::uint32_t var;    // a factor's variable
  std::int64_t number;  // the integer coefficient or the exponent
  double real;          // the double coefficient
};

// TermOrder and LikeTerms of the records of two monomials inside a sum,
// given as their element lists, answered together as the record walk finds
// them.
struct PackedOrder {
  TermOrdering order;
  int like;
};
PackedOrder ComparePackedElements(const PackedElement* a, std::uint32_t la,
                                  const PackedElement* b, std::uint32_t lb);

// Fills `out` (room for kMaxPackedVariables + 1) with the elements of m.
std::uint32_t ElementsOf(const PackedMonomial& m, PackedElement* out);

// A 64-bit summary of a monomial's place in the sum order. For most pairs
// of monomials a and b the order of their summaries alone tells whether a
// must follow b; FollowsInSum looks closer only where it does not.
std::uint64_t OrderSummary(const PackedMonomial& m);

// TermOrder(a, b, +) is 1 or 2 for the records of a and b, whose summaries
// are sa and sb.
bool FollowsInSum(const PackedMonomial& a, std::uint64_t sa, const PackedMonomial& b,
                  std::uint64_t sb);

}  // namespace symcalc
