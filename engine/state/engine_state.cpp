// Engine initialisation, the registry and the variable list.
#include "state/engine_state.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "state/builtin_table.h"

namespace symcalc {
namespace {

std::unique_ptr<EngineState> g_engine;
// States set aside by BeginScratchEngine, innermost last.
std::vector<std::unique_ptr<EngineState>> g_setAside;

void ReleaseState(EngineState& s) {
  s.chainTables.Clear();
  s.checkedChains.Clear();
  for (Binding& b : s.variables) FreeValue(b.value);
  s.variables.clear();
  for (BuiltinEntry* e : s.registry) {
    e->removed = true;
    ReleaseEntryRef(e);
  }
  s.registry.clear();
}

// Records carry the epoch of the state that simplified them; a record of one
// state must never pass for simplified in another, so the state taking over
// starts past the other's epoch and counts every name as changed then.
void StartPast(EngineState& next, const EngineState& previous) {
  next.bindingEpoch = std::max(next.bindingEpoch, previous.bindingEpoch) + 1;
  for (std::uint64_t& change : next.lastChange) change = next.bindingEpoch;
}

}  // namespace

EngineState& Engine() { return *g_engine; }
bool EngineReady() { return g_engine != nullptr; }

void RetainEntry(BuiltinEntry* e) { ++e->refs; }

void ReleaseEntryRef(BuiltinEntry* e) {
  if (!e || --e->refs != 0) return;
  FreeValue(e->body);
  delete e;
}

std::uint64_t NameBit(std::string_view name) {
  std::uint64_t h = 1469598103934665603ULL;
  for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return std::uint64_t{1} << ((h ^ (h >> 29)) & 63);
}

void BindingsChanged(std::string_view name) {
  EngineState& s = Engine();
  ++s.bindingEpoch;
  s.lastChange[__builtin_ctzll(NameBit(name))] = s.bindingEpoch;
}

BuiltinEntry* RegisterBuiltin(BuiltinFn impl, std::string_view name, int maxArgs,
                              int optionalArgs, int holdMask) {
  EngineState& s = Engine();
  for (BuiltinEntry* e : s.registry)
    if (e->name == name) return nullptr;  // the first registration stands
  auto* e = new BuiltinEntry();
  e->impl = impl;
  e->name = std::string(name);
  e->maxArgs = static_cast<std::int8_t>(maxArgs);
  e->optionalArgs = static_cast<std::int8_t>(optionalArgs);
  e->holdMask = static_cast<std::uint8_t>(holdMask);
  s.registry.push_back(e);
  s.byImplementation[impl] = e;
  return e;
}

BuiltinEntry* FindFunction(std::string_view name) {
  const auto& r = Engine().registry;
  for (auto it = r.rbegin(); it != r.rend(); ++it)
    if ((*it)->name == name) return *it;
  return nullptr;
}

BuiltinEntry* FindByImplementation(BuiltinFn impl) {
  auto& m = Engine().byImplementation;
  auto it = m.find(impl);
  return it == m.end() ? nullptr : it->second;
}

Value* CallEntry(BuiltinEntry* entry, Value* const* args, Value* out) {
  // The entry stays alive for the call even if the call removes it.
  RetainEntry(entry);
  Value* result = entry->body ? CallUserFunction(*entry, args, out) : entry->impl(args, out);
  ReleaseEntryRef(entry);
  return result;
}

Binding* FindBinding(std::string_view name) {
  for (Binding& b : Engine().variables)
    if (b.name == name) return &b;
  return nullptr;
}

void PushParameter(std::string_view name, Value* value) {
  Engine().variables.push_front(Binding{std::string(name), value, false});
  BindingsChanged(name);
}

void PopParameters(std::size_t count) {
  auto& vars = Engine().variables;
  for (std::size_t i = 0; i < count && !vars.empty(); ++i) {
    BindingsChanged(vars.front().name);
    FreeValue(vars.front().value);
    vars.pop_front();
  }
}

void EngineShutdown() {
  if (!g_engine) return;
  ReleaseState(*g_engine);
  g_engine.reset();
}

void EngineInit() {
  EngineShutdown();
  g_engine = std::make_unique<EngineState>();
  EngineState& s = *g_engine;
  s.snap = true;
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
  g_setAside.push_back(std::move(g_engine));
  EngineInit();
  if (g_setAside.back()) StartPast(*g_engine, *g_setAside.back());
}

void EndScratchEngine() {
  if (g_setAside.empty()) return;
  std::unique_ptr<EngineState> scratch = std::move(g_engine);
  g_engine = std::move(g_setAside.back());
  g_setAside.pop_back();
  if (g_engine && scratch) StartPast(*g_engine, *scratch);
  if (scratch) ReleaseState(*scratch);
}

}  // namespace symcalc
