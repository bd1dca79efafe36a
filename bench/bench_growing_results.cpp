// Work whose result grows large: a sum built one term at a time, a power of
// a five-term sum with 135,751 terms, and a product of two powers of sums.
// Each reports the time per whole workload, so that the figures compare with
// the peers' in bench/compare.py.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "symcalc/engine.h"

namespace {

using symcalc::CallBuiltin;
using symcalc::EvaluateText;
using symcalc::FreeValue;
using symcalc::Value;

std::int64_t TermCount(const Value* v) {
  std::int64_t n = 1;
  for (; symcalc::TypeOf(v) == symcalc::ValueType::Plus; v = symcalc::LeftOperand(v)) ++n;
  return n;
}

// s:=s+k*x^k for k = 1 ... n, each line evaluated as the worksheet does it.
// With printing, every partial sum is also printed, as the command line tool
// prints the value of each line: that part grows with the square of n by
// itself, so the two variants show what the additions cost apart from it.
void TermByTermSum(benchmark::State& state, bool print) {
  const int n = static_cast<int>(state.range(0));
  std::size_t printed = 0;
  std::int64_t terms = 0;
  for (auto _ : state) {
    symcalc::EngineInit();
    Value* zero = EvaluateText("s:=0");
    FreeValue(zero);
    for (int k = 1; k <= n; ++k) {
      const std::string c = std::to_string(k);
      Value* r = EvaluateText("s:=s+" + c + "*x^" + c);
      if (print) printed += symcalc::PrintValue(r).size();
      FreeValue(r);
    }
    Value* s = EvaluateText("s");
    terms = TermCount(s);
    FreeValue(s);
    symcalc::EngineShutdown();
  }
  benchmark::DoNotOptimize(printed);
  state.counters["terms"] = static_cast<double>(terms);
}

void BM_TermByTermSum(benchmark::State& state) { TermByTermSum(state, false); }
BENCHMARK(BM_TermByTermSum)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond);

void BM_TermByTermSumPrinted(benchmark::State& state) { TermByTermSum(state, true); }
BENCHMARK(BM_TermByTermSumPrinted)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

void ExpandLine(benchmark::State& state, const std::string& line) {
  symcalc::EngineInit();
  Value* e = EvaluateText(line);
  std::int64_t terms = 0;
  for (auto _ : state) {
    Value* r = CallBuiltin("expand", e);
    terms = TermCount(r);
    FreeValue(r);
  }
  state.counters["terms"] = static_cast<double>(terms);
  FreeValue(e);
  symcalc::EngineShutdown();
}

// 135,751 terms, every one with an integer coefficient.
void BM_ExpandFiveTermSumToForty(benchmark::State& state) {
  ExpandLine(state, "(x+y+z+w+1)^40");
}
BENCHMARK(BM_ExpandFiveTermSumToForty)->Unit(benchmark::kMillisecond);

// A product of two powers of sums in different unknowns: 81,796 terms.
void BM_ExpandProductOfPowers(benchmark::State& state) {
  ExpandLine(state, "(x+y+z+1)^10*(a+b+c+1)^10");
}
BENCHMARK(BM_ExpandProductOfPowers)->Unit(benchmark::kMillisecond);

}  // namespace
