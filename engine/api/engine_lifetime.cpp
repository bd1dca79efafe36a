// Starting, stopping and setting aside the engine: the one place that knows
// which builtins and constants a fresh engine holds.
#include <memory>
#include <vector>

#include "builtins/builtin_table.h"
#include "builtins/builtins.h"
#include "eval/arithmetic.h"
#include "eval/constructors.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

// States set aside by BeginScratchEngine, innermost last.
std::vector<std::unique_ptr<EngineState>> g_setAside;

}  // namespace

void EngineShutdown() {
  std::unique_ptr<EngineState> state = TakeEngine();
  if (state) ReleaseState(*state);
}

void EngineInit() {
  EngineShutdown();
  InstallEngine(std::make_unique<EngineState>());
  InstallNumericPower(BuiltinPow);
  for (const BuiltinSpec& b : BuiltinTable())
    RegisterBuiltin(b.impl, b.name, b.maxArgs, b.optionalArgs, b.holdMask);

  struct Constant {
    const char* name;
    Value* value;
  };
  const Constant constants[] = {
      {"#e", MakeDouble(2.7182818284590455)},
      {"#im", nullptr},
      {"#false", MakeBoolean(0)},
      {"#true", MakeBoolean(1)},
      {"ans", MakeQword(0)},
      {"#undefined", MakeMathSymbol(kUndefined)},
      {"#inf", MakeMathSymbol(kInfinity)},
      {"#infinity", MakeMathSymbol(kInfinity)},
      {"#pi", MakeMathSymbol(kPi)},
  };
  for (const Constant& c : constants) {
    Value* v = c.value;
    if (!v) {
      Held zero = Hold(MakeQword(0));
      Held one = Hold(MakeQword(1));
      v = MakeComplex(zero.get(), one.get());
    }
    FreeValue(Assign(c.name, v));
    FreeValue(v);
  }
}

void BeginScratchEngine() {
  g_setAside.push_back(TakeEngine());
  EngineInit();
  if (g_setAside.back()) StartPast(Engine(), *g_setAside.back());
}

void EndScratchEngine() {
  if (g_setAside.empty()) return;
  std::unique_ptr<EngineState> scratch = TakeEngine();
  InstallEngine(std::move(g_setAside.back()));
  g_setAside.pop_back();
  if (EngineReady() && scratch) StartPast(Engine(), *scratch);
  if (scratch) ReleaseState(*scratch);
}

}  // namespace symcalc
