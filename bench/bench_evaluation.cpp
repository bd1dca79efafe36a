// Evaluation hot paths: growing a symbolic sum one term at a time, many short
// lines of exact fraction arithmetic, and refusing a line nested too deep.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "symcalc/engine.h"

namespace {

using symcalc::EvaluateText;
using symcalc::FreeValue;

// s := s + c*x^i*y^j*z^k, 2,000 and 16,000 times, with terms in a scrambled
// order so the normal form has to place each one inside the chain. There are
// 1,001 monomials, so the longer run mostly merges a term with the like term
// already in the chain, wherever that stands.
void BM_BuildSumTermByTerm(benchmark::State& state) {
  const int terms = static_cast<int>(state.range(0));
  std::vector<std::string> lines;
  unsigned seed = 12345;
  for (int t = 0; t < terms; ++t) {
    seed = seed * 1103515245u + 12345u;
    const unsigned r = seed >> 8;
    lines.push_back("s:=s+" + std::to_string(r % 97 + 1) + "*x^" + std::to_string(r % 13) +
                    "*y^" + std::to_string((r / 13) % 11) + "*z^" + std::to_string((r / 143) % 7));
  }
  for (auto _ : state) {
    symcalc::EngineInit();
    FreeValue(EvaluateText("s:=0"));
    for (const std::string& line : lines) FreeValue(EvaluateText(line));
    symcalc::EngineShutdown();
  }
  state.SetItemsProcessed(state.iterations() * terms);
}
BENCHMARK(BM_BuildSumTermByTerm)->Arg(2000)->Arg(16000)->Unit(benchmark::kMillisecond);

// 100,000 lines such as 3/7+5/11*2/13-1/3, each printed.
void BM_FractionLines(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back(std::to_string(i % 17 + 1) + "/" + std::to_string(i % 23 + 2) + "+" +
                    std::to_string(i % 29 + 1) + "/" + std::to_string(i % 31 + 3) + "*" +
                    std::to_string(i % 7 + 2) + "/" + std::to_string(i % 11 + 5) + "-1/3");
  symcalc::EngineInit();
  std::size_t printed = 0;
  for (auto _ : state) {
    for (const std::string& line : lines) {
      symcalc::LineResult r = symcalc::HandleLine(line);
      for (const symcalc::Value* v : r.values) printed += symcalc::PrintValue(v).size();
      symcalc::ReleaseValues(r.values);
    }
  }
  benchmark::DoNotOptimize(printed);
  symcalc::EngineShutdown();
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_FractionLines)->Arg(100000)->Unit(benchmark::kMillisecond);

// A line of a million nested parentheses around 1, refused for its nesting
// before it is read.
void BM_RejectDeepParentheses(benchmark::State& state) {
  const auto depth = static_cast<std::size_t>(state.range(0));
  const std::string line = std::string(depth, '(') + "1" + std::string(depth, ')');
  symcalc::EngineInit();
  for (auto _ : state) {
    symcalc::Value* v = EvaluateText(line);
    benchmark::DoNotOptimize(v);
    FreeValue(v);
  }
  symcalc::EngineShutdown();
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_RejectDeepParentheses)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
