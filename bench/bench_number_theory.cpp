// The number-theory builtins on hard 64-bit arguments, called as a user's
// isprime(...), factors(...) or divisors(...) reaches them: the largest prime
// below 2^63, the square of the prime 2^31 - 1, the product of two primes
// near 2^31, and a number with 103680 divisors.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "builtins/builtins.h"
#include "symcalc/engine.h"
#include "values/value.h"

namespace symcalc {
namespace {

void Run(benchmark::State& state, BuiltinFn builtin, std::int64_t n) {
  EngineInit();
  Value* argument = MakeQword(n);
  Value* const args[1] = {argument};
  for (auto _ : state) {
    Value* r = builtin(args, nullptr);
    benchmark::DoNotOptimize(r);
    FreeValue(r);
  }
  FreeValue(argument);
  EngineShutdown();
}

void BM_IsprimeLargestPrimeBelow2To63(benchmark::State& state) {
  Run(state, BuiltinIsprime, 9223372036854775783);
}

void BM_FactorsSquareOfMersennePrime31(benchmark::State& state) {
  Run(state, BuiltinFactors, 4611686014132420609);
}

void BM_FactorsTwoPrimesNear2To31(benchmark::State& state) {
  Run(state, BuiltinFactors, std::int64_t{2147483629} * 2147483647);
}

void BM_Divisors103680(benchmark::State& state) {
  Run(state, BuiltinDivisors, 897612484786617600);
}

// The same call with the release of the 103680-element set left out of the
// timing: what building the set costs on its own.
void BM_Divisors103680BuildOnly(benchmark::State& state) {
  EngineInit();
  Value* argument = MakeQword(897612484786617600);
  Value* const args[1] = {argument};
  for (auto _ : state) {
    Value* r = BuiltinDivisors(args, nullptr);
    benchmark::DoNotOptimize(r);
    state.PauseTiming();
    FreeValue(r);
    state.ResumeTiming();
  }
  FreeValue(argument);
  EngineShutdown();
}

BENCHMARK(BM_IsprimeLargestPrimeBelow2To63)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FactorsSquareOfMersennePrime31)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FactorsTwoPrimesNear2To31)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Divisors103680)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Divisors103680BuildOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace symcalc
