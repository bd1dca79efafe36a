#include "builtins/numeric/integer_math.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace symcalc {
namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

// Below this, trial division alone is cheaper than any cleverer search.
constexpr u64 kTrialLimit = 1 << 12;

u64 MulMod(u64 a, u64 b, u64 m) { return static_cast<u64>(static_cast<u128>(a) * b % m); }

u64 PowMod(u64 base, u64 exponent, u64 m) {
  u64 result = 1 % m;
  base %= m;
  while (exponent) {
    if (exponent & 1) result = MulMod(result, base, m);
    base = MulMod(base, base, m);
    exponent >>= 1;
  }
  return result;
}

// One Miller-Rabin round: false when `a` proves n composite.
bool StrongProbablePrime(u64 n, u64 a, u64 d, int s) {
  u64 x = PowMod(a, d, n);
  if (x == 1 || x == n - 1) return true;
  for (int i = 1; i < s; ++i) {
    x = MulMod(x, x, n);
    if (x == n - 1) return true;
  }
  return false;
}

u64 Gcd(u64 a, u64 b) {
  while (b) {
    const u64 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

u64 AbsDiff(u64 a, u64 b) { return a > b ? a - b : b - a; }

// Brent's variant of Pollard's rho: a non-trivial factor of the odd composite
// n, which is not a perfect square.
u64 RhoFactor(u64 n) {
  for (u64 c = 1;; ++c) {
    auto f = [&](u64 x) {
      // x*x + c mod n, without letting the sum wrap around for n near 2^64.
      u64 r = MulMod(x, x, n) + c;
      if (r < c || r >= n) r -= n;
      return r;
    };
    u64 y = 2;
    u64 x = y;
    u64 ys = y;
    u64 g = 1;
    u64 q = 1;
    constexpr u64 kBatch = 128;
    for (u64 r = 1; g == 1; r <<= 1) {
      x = y;
      for (u64 i = 0; i < r; ++i) y = f(y);
      for (u64 k = 0; k < r && g == 1; k += kBatch) {
        ys = y;
        const u64 steps = std::min(kBatch, r - k);
        for (u64 i = 0; i < steps; ++i) {
          y = f(y);
          q = MulMod(q, AbsDiff(x, y), n);
        }
        g = Gcd(q, n);
      }
    }
    if (g == n) {
      // The batch overshot: walk it again one step at a time.
      do {
        ys = f(ys);
        g = Gcd(AbsDiff(x, ys), n);
      } while (g == 1);
    }
    if (g != n) return g;
  }
}

void Split(u64 n, std::vector<u64>& factors) {
  if (n == 1) return;
  if (IsPrime(n)) {
    factors.push_back(n);
    return;
  }
  const u64 root = IntegerSqrt(n);
  if (root * root == n) {
    Split(root, factors);
    Split(root, factors);
    return;
  }
  const u64 d = RhoFactor(n);
  Split(d, factors);
  Split(n / d, factors);
}

}  // namespace

bool CheckedPower(std::int64_t base, std::uint64_t exponent, std::int64_t& result) {
  __int128 r = 1;
  __int128 b = base;
  while (exponent) {
    if (exponent & 1) {
      r *= b;
      if (r > INT64_MAX || r < INT64_MIN) return false;
    }
    exponent >>= 1;
    if (exponent) {
      // Exponent bits remain, so this square enters the result on a later
      // step: once it leaves 64 bits, so does the result (|b| < 2^63 here,
      // so the square itself fits 128 bits).
      b *= b;
      if (b > INT64_MAX) return false;
    }
  }
  result = static_cast<std::int64_t>(r);
  return true;
}

double NearestPower(u64 base, u64 exponent) {
  // Any power of 1025 bits or more is beyond the largest double; one more
  // factor adds at most 64 bits, so 18 words always suffice.
  constexpr int kMaxBits = 1025;
  u64 words[18] = {1};
  int count = 1;
  auto bitLength = [&] { return 64 * (count - 1) + std::bit_width(words[count - 1]); };
  for (u64 i = 0; i < exponent; ++i) {
    u64 carry = 0;
    for (int j = 0; j < count; ++j) {
      const u128 p = static_cast<u128>(words[j]) * base + carry;
      words[j] = static_cast<u64>(p);
      carry = static_cast<u64>(p >> 64);
    }
    if (carry) words[count++] = carry;
    // base >= 2 adds a bit per factor, so this ends the loop soon enough.
    if (bitLength() >= kMaxBits) return HUGE_VAL;
  }
  const int bits = static_cast<int>(bitLength());
  if (bits <= 64) return static_cast<double>(words[0]);
  // The leading 64 bits, with every bit below them folded into the lowest
  // one: the conversion to 53 bits then rounds as the whole number would.
  const int shift = bits - 64;
  const int w = shift / 64;
  const int o = shift % 64;
  u64 top = words[w] >> o;
  if (o) top |= words[w + 1] << (64 - o);
  bool sticky = o && (words[w] << (64 - o)) != 0;
  for (int j = 0; j < w; ++j) sticky = sticky || words[j] != 0;
  return std::ldexp(static_cast<double>(top | (sticky ? 1 : 0)), shift);
}

u64 IntegerSqrt(u64 n) {
  u64 r = static_cast<u64>(std::sqrt(static_cast<double>(n)));
  // The double estimate can be off by one either way above 2^52.
  while (r > 0 && (r > 0xFFFFFFFFull || r * r > n)) --r;
  while (r < 0xFFFFFFFFull && (r + 1) * (r + 1) <= n) ++r;
  return r;
}

bool IsPrime(u64 n) {
  if (n < 2) return false;
  static constexpr u64 kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (u64 p : kBases) {
    if (n % p == 0) return n == p;
  }
  if (n < 41 * 41) return true;
  u64 d = n - 1;
  int s = 0;
  while ((d & 1) == 0) {
    d >>= 1;
    ++s;
  }
  // These twelve bases decide every n below 3.3 * 10^24.
  for (u64 a : kBases)
    if (!StrongProbablePrime(n, a, d, s)) return false;
  return true;
}

std::vector<u64> PrimeFactors(u64 n) {
  std::vector<u64> factors;
  // Trial division continues from the last divisor found; whatever survives
  // it has only factors above the limit and goes to the rho search.
  while (n % 2 == 0) {
    factors.push_back(2);
    n /= 2;
  }
  for (u64 d = 3; d <= kTrialLimit && d * d <= n; d += 2) {
    while (n % d == 0) {
      factors.push_back(d);
      n /= d;
    }
  }
  if (n == 1) return factors;
  if (n <= kTrialLimit * kTrialLimit) {
    factors.push_back(n);  // no factor up to its square root
    return factors;
  }
  const std::size_t small = factors.size();
  Split(n, factors);
  std::sort(factors.begin() + static_cast<std::ptrdiff_t>(small), factors.end());
  return factors;
}

void Divisors(u64 n, std::vector<u64>& divisors, std::vector<u64>& scratch) {
  const std::vector<u64> primes = PrimeFactors(n);
  std::size_t total = 1;
  for (std::size_t i = 0, k = 0; i < primes.size(); ++i) {
    ++k;
    if (i + 1 == primes.size() || primes[i + 1] != primes[i]) {
      total *= k + 1;
      k = 0;
    }
  }
  divisors.resize(total);
  divisors[0] = 1;
  std::size_t size = 1;
  // With L the divisors so far, M_j = L merged with p*M_(j-1) holds L, pL,
  // ..., p^j L in ascending order, so no sort is needed. Each merge runs
  // backwards in place, with only L copied aside.
  for (std::size_t i = 0; i < primes.size();) {
    const u64 p = primes[i];
    std::size_t k = 0;
    for (; i < primes.size() && primes[i] == p; ++i) ++k;
    const std::size_t baseSize = size;
    scratch.assign(divisors.begin(), divisors.begin() + static_cast<std::ptrdiff_t>(size));
    for (std::size_t j = 0; j < k; ++j) {
      std::size_t a = baseSize;  // unread elements of L
      std::size_t b = size;      // unread elements of M_(j-1)
      std::size_t w = size + baseSize;
      while (a > 0 && b > 0) {
        const u64 scaled = divisors[b - 1] * p;
        if (scaled > scratch[a - 1]) {
          divisors[--w] = scaled;
          --b;
        } else {
          divisors[--w] = scratch[--a];
        }
      }
      while (b > 0) {
        --b;
        divisors[--w] = divisors[b] * p;
      }
      while (a > 0) divisors[--w] = scratch[--a];
      size += baseSize;
    }
  }
}

}  // namespace symcalc
