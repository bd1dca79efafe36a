// The symbolic builtins: multiplying out powers and products of sums, the
// product rule over ten factors, a thousand quadratics solved one line at a
// time, and a sum built one term at a time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

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

void ExpandPower(benchmark::State& state, const std::string& sum) {
  ExpandLine(state, "(" + sum + ")^" + std::to_string(state.range(0)));
}

// Repeated distribution of a sum over itself, with many like products
// merging on the way: 286 terms at the tenth power, 5,456 at the thirtieth.
// Integer coefficients take the packed way.
void BM_ExpandPowerOfSum(benchmark::State& state) { ExpandPower(state, "x+y+z+1"); }
BENCHMARK(BM_ExpandPowerOfSum)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// The same with a fractional coefficient, which only the general way handles.
void BM_ExpandPowerOfSumWithFraction(benchmark::State& state) { ExpandPower(state, "x/2+y+z+1"); }
BENCHMARK(BM_ExpandPowerOfSumWithFraction)->Arg(10)->Unit(benchmark::kMillisecond);

// The product rule down the chain of ten factors; each partial derivative is
// multiplied into the rest of the product as a sum, so the result nests
// rather than spreading into ten flat summands.
void BM_DiffProductOfTenFunctions(benchmark::State& state) {
  symcalc::EngineInit();
  Value* product =
      EvaluateText("sin(x)*cos(x)*exp(x)*log(x)*tan(x)*atan(x)*sqr(x)*sinh(x)*cosh(x)*asinh(x)");
  Value* x = EvaluateText("x");
  for (auto _ : state) {
    Value* r = CallBuiltin("diff", product, x);
    benchmark::DoNotOptimize(r);
    FreeValue(r);
  }
  Value* r = CallBuiltin("diff", product, x);
  state.counters["printed_chars"] = static_cast<double>(symcalc::PrintValue(r).size());
  FreeValue(r);
  FreeValue(x);
  FreeValue(product);
  symcalc::EngineShutdown();
}
BENCHMARK(BM_DiffProductOfTenFunctions)->Unit(benchmark::kMicrosecond);

// a*x^2+b*x+c = 0 and a*x^2+b*x = c in turn, with integer coefficients that
// give real, double and complex roots; each line parsed, solved and printed.
void BM_SolveQuadratics(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const std::string a = std::to_string(i % 7 + 1);
    const std::string b = std::to_string(i % 23 - 11);
    const std::string c = std::to_string(i % 17 - 8);
    lines.push_back(i % 2 ? "solve(" + a + "*x^2+(" + b + ")*x+(" + c + ")=0,x)"
                          : "solve(" + a + "*x^2+(" + b + ")*x=" + c + ",x)");
  }
  symcalc::EngineInit();
  std::size_t printed = 0;
  for (auto _ : state) {
    for (const std::string& line : lines) {
      Value* r = EvaluateText(line);
      printed += symcalc::PrintValue(r).size();
      FreeValue(r);
    }
  }
  benchmark::DoNotOptimize(printed);
  symcalc::EngineShutdown();
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SolveQuadratics)->Arg(1000)->Unit(benchmark::kMillisecond);

// diff(sin(sin(...(x)...)), x): the product of the cosines of every inner
// chain, whose printed size grows with the square of the depth; so should
// the time.
void BM_DiffNestedSin(benchmark::State& state) {
  const int depth = static_cast<int>(state.range(0));
  std::string nested = "x";
  for (int i = 0; i < depth; ++i) nested = "sin(" + nested + ")";
  symcalc::EngineInit();
  Value* f = EvaluateText(nested);
  Value* x = EvaluateText("x");
  for (auto _ : state) {
    Value* r = CallBuiltin("diff", f, x);
    benchmark::DoNotOptimize(r);
    FreeValue(r);
  }
  FreeValue(x);
  FreeValue(f);
  symcalc::EngineShutdown();
}
BENCHMARK(BM_DiffNestedSin)->Arg(200)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);

// 135,751 terms with coefficients beyond 64 bits, which the packed way
// follows into doubles.
void BM_ExpandFiveTermSum(benchmark::State& state) { ExpandPower(state, "x+y+z+w+1"); }
BENCHMARK(BM_ExpandFiveTermSum)->Arg(40)->Unit(benchmark::kMillisecond);

// A product of two powers of sums in different unknowns: 81,796 terms.
void BM_ExpandProductOfPowers(benchmark::State& state) {
  ExpandLine(state, "(x+y+z+1)^10*(a+b+c+1)^10");
}
BENCHMARK(BM_ExpandProductOfPowers)->Unit(benchmark::kMillisecond);

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
    FreeValue(EvaluateText("s:=0"));
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

}  // namespace
