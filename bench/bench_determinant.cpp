// Determinants through the builtin det, as a user's det(...) reaches it:
// integer matrices of 9, 12 and 40 rows and a 6 x 6 matrix of distinct
// symbols (720 terms).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "builtins/builtins.h"
#include "symcalc/engine.h"
#include "values/value.h"

namespace symcalc {
namespace {

// A reproducible matrix of one-digit integers, with a non-zero determinant
// for the sizes used here.
Value* IntegerMatrix(int n) {
  CellTable* table = MakeCellTable(static_cast<std::size_t>(n) * n);
  std::uint32_t state = 12345;
  for (int i = 0; i < n * n; ++i) {
    state = state * 1103515245u + 12345u;
    table->cells()[i] = MakeQword(static_cast<std::int64_t>((state >> 16) % 19) - 9);
  }
  return MakeArray(n, n, table);
}

Value* SymbolMatrix(int n) {
  CellTable* table = MakeCellTable(static_cast<std::size_t>(n) * n);
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c) {
      std::string name(1, 'a');
      name += std::to_string(r);
      name += '_';
      name += std::to_string(c);
      table->cells()[r * n + c] = MakeVariable(name);
    }
  return MakeArray(n, n, table);
}

// The number of terms the value has once multiplied out (products are kept
// unexpanded, a*(b+c)), so the report shows the whole expansion was built.
double Terms(const Value* v) {
  if (v->type == ValueType::Plus) return Terms(v->pair.left) + Terms(v->pair.right);
  if (v->type == ValueType::Times) return Terms(v->pair.left) * Terms(v->pair.right);
  return 1;
}

void RunDet(benchmark::State& state, Value* (*make)(int)) {
  EngineInit();
  Value* m = make(static_cast<int>(state.range(0)));
  Value* const args[1] = {m};
  Value* first = BuiltinDet(args, nullptr);
  state.counters["terms"] = Terms(first);
  FreeValue(first);
  for (auto _ : state) {
    Value* d = BuiltinDet(args, nullptr);
    benchmark::DoNotOptimize(d);
    FreeValue(d);
  }
  FreeValue(m);
  EngineShutdown();
}

void BM_DetInteger(benchmark::State& state) { RunDet(state, IntegerMatrix); }
void BM_DetSymbols(benchmark::State& state) { RunDet(state, SymbolMatrix); }

BENCHMARK(BM_DetInteger)->Arg(9)->Arg(12)->Arg(16)->Arg(40)->Arg(181)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetSymbols)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace symcalc
