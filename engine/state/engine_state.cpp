// The current engine state, the registry and the variable list.
#include "state/engine_state.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace symcalc {
namespace {

std::unique_ptr<EngineState> g_engine;

// A record that changes no longer describes the chain a likeness table was
// kept for.
void ForgetWatched(Value* v) {
  if (!EngineReady()) return;
  Engine().chainTables.Forget(v);
  Engine().checkedChains.Forget(v);
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

std::unique_ptr<EngineState> TakeEngine() { return std::move(g_engine); }

void InstallEngine(std::unique_ptr<EngineState> state) {
  SetRecordHooks(RecordHooks{RetainEntry, ReleaseEntryRef, ForgetWatched});
  g_engine = std::move(state);
}

}  // namespace symcalc
