// The determinant of an integer matrix is found modulo enough large primes to
// cover its Hadamard bound and then put together by the Chinese remainder
// theorem. Elimination over the integers (Bareiss) would need numbers of
// hundreds of bits as soon as a 40 x 40 matrix has one-digit cells; residues
// stay in one machine word, and the reconstruction gives the exact value.
//
// Fractions: every row is multiplied by the common denominator of its cells,
// and the product of those denominators divides the result at the end.
#include "builtins/symbolic/exact_determinant.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "eval/cancel.h"
#include "values/number_limits.h"

namespace symcalc {
namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;
using i128 = __int128;

// Every prime used lies between 2^61 and 2^62: each one adds 61 bits.
constexpr int kBitsPerPrime = 61;

u64 MulMod(u64 a, u64 b, u64 p) { return static_cast<u64>(static_cast<u128>(a) * b % p); }

u64 PowMod(u64 a, u64 e, u64 p) {
  u64 r = 1 % p;
  for (a %= p; e; e >>= 1) {
    if (e & 1) r = MulMod(r, a, p);
    a = MulMod(a, a, p);
  }
  return r;
}

// Miller-Rabin with the first twelve prime bases, exact below 3.3e24.
bool IsPrime(u64 n) {
  if (n < 2) return false;
  const u64 bases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (u64 b : bases)
    if (n % b == 0) return n == b;
  u64 d = n - 1;
  int s = 0;
  while ((d & 1) == 0) {
    d >>= 1;
    ++s;
  }
  for (u64 b : bases) {
    u64 x = PowMod(b, d, n);
    if (x == 1 || x == n - 1) continue;
    bool composite = true;
    for (int i = 1; i < s && composite; ++i) {
      x = MulMod(x, x, n);
      if (x == n - 1) composite = false;
    }
    if (composite) return false;
  }
  return true;
}

// The largest primes below 2^62, found once and kept: they are constants.
const std::vector<u64>& Primes(std::size_t count) {
  static std::vector<u64> primes;
  u64 candidate = primes.empty() ? (u64{1} << 62) - 1 : primes.back() - 2;
  while (primes.size() < count) {
    if (IsPrime(candidate)) primes.push_back(candidate);
    candidate -= 2;
  }
  return primes;
}

// Arithmetic modulo an odd p < 2^62 in Montgomery form, which replaces the
// 128-bit division of every product by two multiplications.
class Montgomery {
 public:
  explicit Montgomery(u64 p) : p_(p) {
    u64 inv = p;  // Newton's iteration for p^-1 modulo 2^64
    for (int i = 0; i < 6; ++i) inv *= 2 - p * inv;
    negInv_ = ~inv + 1;
    const u64 r = static_cast<u64>((static_cast<u128>(1) << 64) % p);
    r2_ = MulMod(r, r, p);
    one_ = To(1);
  }
  u64 To(u64 x) const { return Mul(x % p_, r2_); }
  u64 From(u64 x) const { return Reduce(x); }
  u64 One() const { return one_; }
  u64 Mul(u64 a, u64 b) const { return Reduce(static_cast<u128>(a) * b); }
  u64 Sub(u64 a, u64 b) const { return a >= b ? a - b : a + p_ - b; }
  u64 Inverse(u64 a) const {
    u64 r = one_;
    for (u64 e = p_ - 2; e; e >>= 1) {
      if (e & 1) r = Mul(r, a);
      a = Mul(a, a);
    }
    return r;
  }

 private:
  u64 Reduce(u128 t) const {
    const u64 m = static_cast<u64>(t) * negInv_;
    // t < p^2 < 2^124 and m*p < 2^126: the sum fits 128 bits.
    const u64 r = static_cast<u64>((t + static_cast<u128>(m) * p_) >> 64);
    return r >= p_ ? r - p_ : r;
  }
  u64 p_;
  u64 negInv_ = 0;
  u64 r2_ = 0;
  u64 one_ = 0;
};

// x mod p for a signed 128-bit x, in 0..p-1.
u64 Residue(i128 x, u64 p) {
  if (x >= 0) return static_cast<u64>(static_cast<u128>(x) % p);
  const u64 r = static_cast<u64>((static_cast<u128>(-(x + 1)) + 1) % p);
  return r == 0 ? 0 : p - r;
}

struct Fraction {
  i128 num;
  i128 den;
};

Fraction FractionOf(const Value* v) {
  if (v->type == ValueType::Qword) return {v->qword, 1};
  return {v->ratio.num, v->ratio.den};
}

u128 Gcd(u128 a, u128 b) {
  while (b) {
    const u128 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

// The matrix made integral row by row: cell (r, c) is num * scale, where
// scale = (common denominator of row r) / den.
struct IntegralMatrix {
  int n = 0;
  std::vector<i128> num;
  std::vector<u128> scale;
  std::vector<u128> rowDenominator;
  double hadamardBits = 0;  // log2 of the bound on |det| of the integral matrix
  bool zeroRow = false;
};

bool MakeIntegral(const Value* square, IntegralMatrix& m) {
  const int n = square->array.width;
  Value* const* cells = square->array.table->cells();
  m.n = n;
  m.num.resize(static_cast<std::size_t>(n) * n);
  m.scale.resize(m.num.size());
  m.rowDenominator.resize(n);
  for (int r = 0; r < n; ++r) {
    u128 lcm = 1;
    for (int c = 0; c < n; ++c) {
      const u128 den = static_cast<u128>(FractionOf(cells[r * n + c]).den);
      const u128 step = den / Gcd(lcm, den);
      if (__builtin_mul_overflow(lcm, step, &lcm)) return false;
    }
    m.rowDenominator[r] = lcm;
    long double squares = 0;
    for (int c = 0; c < n; ++c) {
      const Fraction f = FractionOf(cells[r * n + c]);
      const std::size_t i = static_cast<std::size_t>(r) * n + c;
      m.num[i] = f.num;
      m.scale[i] = lcm / static_cast<u128>(f.den);
      const long double x = static_cast<long double>(f.num) * static_cast<long double>(m.scale[i]);
      squares += x * x;
    }
    if (squares == 0) m.zeroRow = true;
    else m.hadamardBits += static_cast<double>(0.5L * std::log2(squares));
  }
  return true;
}

// The determinant of the integral matrix modulo p, in 0..p-1.
u64 DeterminantModulo(const IntegralMatrix& m, u64 p) {
  const Montgomery mod(p);
  const int n = m.n;
  std::vector<u64> a(m.num.size());
  for (std::size_t i = 0; i < a.size(); ++i)
    a[i] = mod.Mul(mod.To(Residue(m.num[i], p)), mod.To(static_cast<u64>(m.scale[i] % p)));
  auto at = [&](int r, int c) -> u64& { return a[static_cast<std::size_t>(r) * n + c]; };
  u64 det = mod.One();
  bool negate = false;
  for (int k = 0; k < n; ++k) {
    int pivot = k;
    while (pivot < n && at(pivot, k) == 0) ++pivot;
    if (pivot == n) return 0;
    if (pivot != k) {
      for (int c = k; c < n; ++c) std::swap(at(k, c), at(pivot, c));
      negate = !negate;
    }
    det = mod.Mul(det, at(k, k));
    const u64 inverse = mod.Inverse(at(k, k));
    for (int r = k + 1; r < n; ++r) {
      if (at(r, k) == 0) continue;
      const u64 factor = mod.Mul(at(r, k), inverse);
      for (int c = k + 1; c < n; ++c) at(r, c) = mod.Sub(at(r, c), mod.Mul(factor, at(k, c)));
    }
  }
  const u64 d = mod.From(det);
  return negate && d != 0 ? p - d : d;
}

// Mixed-radix digits with each digit in (-p/2, p/2): the integer x with
// |x| < (product of the primes) / 2 is digit[0] + p0 * (digit[1] + p1 * (...)).
std::vector<i128> BalancedDigits(const std::vector<u64>& residues, const std::vector<u64>& primes) {
  const std::size_t k = residues.size();
  std::vector<i128> digits(k);
  for (std::size_t i = 0; i < k; ++i) {
    const u64 p = primes[i];
    u64 partial = 0;  // digits so far, evaluated modulo p
    u64 weight = 1;   // p0 * ... * p(i-1) modulo p
    for (std::size_t j = 0; j < i; ++j) {
      partial = (partial + MulMod(Residue(digits[j], p), weight, p)) % p;
      weight = MulMod(weight, primes[j] % p, p);
    }
    const u64 difference = residues[i] >= partial ? residues[i] - partial : residues[i] + p - partial;
    const u64 d = MulMod(difference, PowMod(weight, p - 2, p), p);
    digits[i] = d > p / 2 ? static_cast<i128>(d) - static_cast<i128>(p) : static_cast<i128>(d);
  }
  return digits;
}

// A long double with a separate binary exponent, for magnitudes beyond the
// long double range: value = mantissa * 2^exponent.
struct Scaled {
  long double mantissa = 0;
  long exponent = 0;
  void Normalize() {
    int e = 0;
    mantissa = std::frexp(mantissa, &e);
    exponent += e;
  }
};

double ApproximateQuotient(const std::vector<i128>& digits, const std::vector<u64>& primes,
                           const std::vector<u128>& denominators) {
  Scaled x;
  for (std::size_t j = digits.size(); j-- > 0;) {
    x.mantissa = x.mantissa * static_cast<long double>(primes[j]) +
                 std::ldexp(static_cast<long double>(digits[j]), static_cast<int>(-x.exponent));
    x.Normalize();
  }
  Scaled d;
  d.mantissa = 1;
  for (u128 den : denominators) {
    d.mantissa *= static_cast<long double>(den);
    d.Normalize();
  }
  const long double q = x.mantissa / d.mantissa;
  const long shift = x.exponent - d.exponent;
  const int clamped = static_cast<int>(shift > 100000 ? 100000 : shift < -100000 ? -100000 : shift);
  return static_cast<double>(std::ldexp(q, clamped));
}

}  // namespace

Value* ExactDeterminant(const Value* square) {
  IntegralMatrix m;
  if (!MakeIntegral(square, m)) return nullptr;
  if (m.zeroRow) return MakeQword(0);
  const std::size_t k = static_cast<std::size_t>(m.hadamardBits / kBitsPerPrime) + 2;
  const std::vector<u64>& known = Primes(k);
  const std::vector<u64> primes(known.begin(), known.begin() + static_cast<long>(k));
  std::vector<u64> residues(k);
  for (std::size_t i = 0; i < k; ++i) {
    if (CancelPending()) return Abandoned(square);
    residues[i] = DeterminantModulo(m, primes[i]);
  }
  const std::vector<i128> digits = BalancedDigits(residues, primes);

  bool small = true;  // |det| < p0 * p1 / 2 < 2^124
  for (std::size_t j = 2; j < k; ++j)
    if (digits[j] != 0) small = false;
  u128 denominator = 1;
  bool denominatorFits = true;
  for (u128 den : m.rowDenominator)
    if (__builtin_mul_overflow(denominator, den, &denominator)) denominatorFits = false;
  if (small && denominatorFits && denominator <= static_cast<u128>(INT64_MAX) * INT64_MAX) {
    const i128 x = digits[0] + digits[1] * static_cast<i128>(primes[0]);
    return MakeExactQuotient(x, static_cast<i128>(denominator));
  }
  return MakeDouble(ApproximateQuotient(digits, primes, m.rowDenominator));
}

}  // namespace symcalc
