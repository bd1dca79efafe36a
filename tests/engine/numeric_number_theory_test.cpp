// iszero, isodd, iseven, isprime, factorial, factors, factorset and
// divisors, and the 64-bit integer routines behind them.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "builtins/numeric/integer_math.h"
#include "numeric_test_support.h"

namespace symcalc::testing {
namespace {

class NumericNumberTheory : public NumericTest {};

TEST_F(NumericNumberTheory, PredicatesAnswerFalseForNonIntegers) {
  const Case cases[] = {
      {"iszero(0)", "true"}, {"iszero(0.0)", "true"},
      {"iszero(1e-300)", "true"},  // stored as 0.0 by the zero snap
      {"iszero(infinity)", "false"}, {"iszero(pi)", "false"}, {"iszero(x)", "iszero(x)"},
      {"isodd(3.0)", "false"}, {"iseven(4.0)", "false"}, {"isodd(infinity)", "false"},
      {"iseven(-infinity)", "false"}, {"isodd(x)", "isodd(x)"}, {"isodd(pi)", "false"},
      {"isprime(7.0)", "false"}, {"isprime(pi)", "false"},
      {"isprime(undefined)", "<Error> Is not a number-type. undefined"},
      {"iseven(\"a\")", "<Error> Is not a number-type. \"a\""},
      {"iszero(1/0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericNumberTheory, ParityFollowsTheWords) {
  const Case cases[] = {
      {"isodd(3)", "true"}, {"isodd(-3)", "true"}, {"isodd(0)", "false"}, {"iseven(-4)", "true"},
      {"iseven(0)", "true"}, {"iseven(-3)", "false"}, {"iseven(-9223372036854775807-1)", "true"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericNumberTheory, Primality) {
  const Case cases[] = {
      {"isprime(2)", "true"}, {"isprime(3)", "true"}, {"isprime(97)", "true"},
      {"isprime(1)", "false"}, {"isprime(0)", "false"}, {"isprime(-7)", "false"},
      {"isprime(91)", "false"}, {"isprime(9223372036854775783)", "true"},
      {"isprime(9223372036854775807)", "false"}, {"isprime(9007199254740881)", "true"},
      // The square of a large prime: an inexact square-root bound misses it.
      {"isprime(4611686014132420609)", "false"},
      // Strong pseudoprimes to several small bases.
      {"isprime(3215031751)", "false"}, {"isprime(3825123056546413051)", "false"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericNumberTheory, Factorial) {
  const Case cases[] = {
      {"factorial(5)", "120"}, {"factorial(0)", "1"}, {"factorial(1)", "1"},
      {"factorial(20)", "2432902008176640000"}, {"factorial(21)", "51090942171709440000."},
      {"factorial(171)", "infinity"}, {"factorial(9223372036854775807)", "infinity"},
      {"factorial(-1)", "<Error> Division by 0. \"pow\""},
      {"factorial(5.0)", "<Error> Is not a integer-number. 5."},
      {"factorial(pi)", "<Error> Is not a integer-number. 3.1415926536"},
      {"factorial(1/2)", "<Error> Is not a integer-number. 1/2"},
      {"factorial(infinity)", "<Error> Is not a number-type. infinity"},
      {"factorial(x)", "factorial(x)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericNumberTheory, FactorialOf170IsTheLastFiniteDouble) {
  const Case cases[] = {
      {"factorial(170)", "7.257415615307994e+306"}, {"factorial(22)", "1124000727777607680000.0"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericNumberTheory, FactorsAndFactorset) {
  const Case cases[] = {
      {"factors(360)", "[2,2,2,3,3,5]"}, {"factors(13)", "[13]"}, {"factors(1)", "1"},
      {"factors(0)", "0"}, {"factors(-12)", "-12"},
      {"factors(2.5)", "<Error> Is not a integer-number. 2.5"},
      {"factors(infinity)", "<Error> Is not a number-type. infinity"},
      {"factors(4611686014132420609)", "[2147483647,2147483647]"},
      {"factors(2147483629*2147483647)", "[2147483629,2147483647]"},
      {"factors(9223372036854775807)", "[7,7,73,127,337,92737,649657]"},
      {"factors(9223372036854775783)", "[9223372036854775783]"},
      {"factors(4096*4099*4099)", "[2,2,2,2,2,2,2,2,2,2,2,2,4099,4099]"},
      {"width(factors(9223372036854775807))", "7"}, {"factorset(360)", "{2,3,5}"},
      {"factorset(1)", "{}"}, {"factorset(-8)", "{}"},
      {"factorset(9223372036854775806)", "{2,3,715827883,2147483647}"},
      {"factorset(1.5)", "<Error> Is not a integer-number. 1.5"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericNumberTheory, Divisors) {
  const Case cases[] = {
      {"divisors(12)", "{1,2,3,4,6,12}"}, {"divisors(16)", "{1,2,4,8,16}"}, {"divisors(1)", "{1}"},
      {"divisors(0)", "{}"}, {"divisors(-6)", "{}"},
      {"divisors(4611686014132420609)", "{1,2147483647,4611686014132420609}"},
      {"divisors(6.0)", "<Error> Is not a integer-number. 6."},
      {"width(divisors(897612484786617600))", "103680"},
      {"getarg(divisors(897612484786617600),103679)", "897612484786617600"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericNumberTheory, DivisorSetsBeyond32767Elements) {
  Value* set = EvaluateText("divisors(897612484786617600)");
  ASSERT_EQ(TypeOf(set), ValueType::Set);
  EXPECT_EQ(SetCount(set), 103680);
  std::int64_t previous = 0;
  std::int64_t n = 0;
  for (const Value* e = SetFirst(set); e; e = SetNext(e)) {
    ASSERT_EQ(TypeOf(e), ValueType::Qword);
    EXPECT_GT(RawQword(e), previous);
    EXPECT_EQ(897612484786617600 % RawQword(e), 0);
    previous = RawQword(e);
    ++n;
  }
  EXPECT_EQ(n, 103680);
  EXPECT_EQ(previous, 897612484786617600);
  FreeValue(set);
}

// ---- the integer routines ------------------------------------------------------

TEST(IntegerMath, CheckedPowerDetectsOverflowExactly) {
  struct {
    std::int64_t base;
    std::uint64_t exponent;
    bool fits;
    std::int64_t result;
  } const cases[] = {
      {-2, 63, true, INT64_MIN}, {2, 63, false, 0}, {-1, 2, true, 1}, {0, 0, true, 1},
      {3037000499, 2, true, 9223372030926249001}, {3037000500, 2, false, 0},
      {INT64_MIN, 2, false, 0}, {7, 22, true, 3909821048582988049}, {7, 23, false, 0},
  };
  for (const auto& c : cases) {
    std::int64_t r = 0;
    EXPECT_EQ(CheckedPower(c.base, c.exponent, r), c.fits) << c.base << "^" << c.exponent;
    EXPECT_EQ(c.fits ? r : 0, c.result) << c.base << "^" << c.exponent;
  }
}

TEST(IntegerMath, IntegerSqrtIsExactNearSquares) {
  for (std::uint64_t r : {2ull, 94906266ull, 2147483647ull, 3037000500ull, 4294967295ull}) {
    EXPECT_EQ(IntegerSqrt(r * r), r) << r;
    EXPECT_EQ(IntegerSqrt(r * r - 1), r - 1) << r;
    EXPECT_EQ(IntegerSqrt(r * r + 1), r) << r;
  }
  EXPECT_EQ(IntegerSqrt(UINT64_MAX), 4294967295u);
}

TEST(IntegerMath, IsPrimeAgreesWithASieve) {
  constexpr std::size_t kLimit = 200000;
  std::vector<bool> composite(kLimit, false);
  for (std::size_t i = 2; i * i < kLimit; ++i)
    if (!composite[i])
      for (std::size_t j = i * i; j < kLimit; j += i) composite[j] = true;
  for (std::uint64_t n = 0; n < kLimit; ++n)
    ASSERT_EQ(IsPrime(n), n >= 2 && !composite[n]) << n;
}

TEST(IntegerMath, FactorsMultiplyBackToRandomNumbers) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 300; ++i) {
    // Mixed sizes: the high bits are cut off at a random place.
    const std::uint64_t n = (random() >> (random() % 62)) | 2;
    const std::vector<std::uint64_t> factors = PrimeFactors(n);
    unsigned __int128 product = 1;
    for (std::uint64_t p : factors) {
      ASSERT_TRUE(IsPrime(p)) << n;
      product *= p;
    }
    ASSERT_TRUE(std::is_sorted(factors.begin(), factors.end())) << n;
    ASSERT_TRUE(product == n) << n;
  }
}

TEST(IntegerMath, FactorsNearTwoToThe64) {
  // Two primes just below 2^32: the rho search works with a modulus close
  // to 2^64, where x*x + c must not wrap around.
  const std::vector<std::uint64_t> expected = {4294967279u, 4294967291u};
  EXPECT_EQ(PrimeFactors(4294967279ull * 4294967291ull), expected);
  EXPECT_FALSE(IsPrime(4294967279ull * 4294967291ull));
  EXPECT_TRUE(IsPrime(18446744073709551557ull));  // the largest 64-bit prime
}

TEST(IntegerMath, DivisorsOfAHighlyCompositeNumber) {
  std::vector<std::uint64_t> d;
  std::vector<std::uint64_t> scratch;
  Divisors(720720, d, scratch);
  EXPECT_EQ(d.size(), 240u);
  EXPECT_EQ(d.back(), 720720u);
  EXPECT_TRUE(std::adjacent_find(d.begin(), d.end(), std::greater_equal<>()) == d.end());
}

}  // namespace
}  // namespace symcalc::testing
