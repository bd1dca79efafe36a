// Set operations on large sets of integers, as divisors and unions build
// them. Each walks its operands once; beyond the cache the time per element
// grows with the cost of reaching scattered records, not with more steps.
// And set literals of many elements, built by sorting them once.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "builtins/builtins.h"
#include "eval/set_insert.h"
#include "symcalc/engine.h"
#include "values/value.h"

namespace symcalc {
namespace {

// {start, start + step, ...} with n elements.
Value* Progression(std::int64_t start, std::int64_t step, std::int64_t n) {
  SetBuilder b;
  for (std::int64_t i = 0; i < n; ++i) {
    Value* x = MakeQword(start + i * step);
    b.Insert(x);
    FreeValue(x);
  }
  return b.Finish();
}

void RunSetOperation(benchmark::State& state, BuiltinFn op) {
  EngineInit();
  const std::int64_t n = state.range(0);
  Value* evens = Progression(0, 2, n);
  Value* thirds = Progression(0, 3, n);
  Value* const args[2] = {evens, thirds};
  for (auto _ : state) {
    Value* r = op(args, nullptr);
    benchmark::DoNotOptimize(r);
    FreeValue(r);
  }
  FreeValue(evens);
  FreeValue(thirds);
  EngineShutdown();
}

void BM_Union(benchmark::State& state) { RunSetOperation(state, BuiltinUnion); }
void BM_Minus(benchmark::State& state) { RunSetOperation(state, BuiltinMinus); }
void BM_Intersect(benchmark::State& state) { RunSetOperation(state, BuiltinIntersect); }

// A set literal of 100,000 elements: integers in descending order (0), the
// worst order for inserting one at a time, or powers x^k in random order (1).
void BM_SetLiteral(benchmark::State& state) {
  std::string text = "{";
  std::uint64_t seed = 99;
  for (int i = 0; i < 100000; ++i) {
    if (i) text += ",";
    if (state.range(0) == 0) {
      text += std::to_string(100000 - i);
    } else {
      seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
      text += "x^" + std::to_string(seed >> 47);
    }
  }
  text += "}";
  EngineInit();
  for (auto _ : state) {
    Value* s = EvaluateText(text);
    benchmark::DoNotOptimize(s);
    FreeValue(s);
  }
  EngineShutdown();
}
BENCHMARK(BM_SetLiteral)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_Union)->Range(1 << 10, 1 << 16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Minus)->Range(1 << 10, 1 << 16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Intersect)->Range(1 << 10, 1 << 16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace symcalc
