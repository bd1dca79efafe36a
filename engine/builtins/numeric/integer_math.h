// 64-bit integer routines behind pow and the number-theory builtins: exact
// powers, integer square roots, primality and factorisation.
#pragma once

#include <cstdint>
#include <vector>

namespace symcalc {

// base^exponent when it fits a signed 64-bit integer; false on overflow.
bool CheckedPower(std::int64_t base, std::uint64_t exponent, std::int64_t& result);

// The double nearest to base^exponent (base >= 2; ties to even), infinity
// beyond the double range: the exact power is formed in as many 64-bit words
// as it needs, so no rounding happens before the last one.
double NearestPower(std::uint64_t base, std::uint64_t exponent);

// The largest r with r*r <= n.
std::uint64_t IntegerSqrt(std::uint64_t n);

// Deterministic for every 64-bit n.
bool IsPrime(std::uint64_t n);

// The prime factors of n (n >= 2) with multiplicity, in ascending order.
std::vector<std::uint64_t> PrimeFactors(std::uint64_t n);

// All positive divisors of n (n >= 1), in ascending order, into `divisors`;
// `scratch` is working room. Both keep their capacity for the next call.
void Divisors(std::uint64_t n, std::vector<std::uint64_t>& divisors,
              std::vector<std::uint64_t>& scratch);

}  // namespace symcalc
