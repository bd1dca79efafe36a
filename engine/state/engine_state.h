// The engine's one state: registry of callable functions, variable list,
// settings and the simplifier's scratch state. EngineInit builds it afresh.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "eval/like_table.h"
#include "values/value.h"

namespace symcalc {

// Calling contract: `args` holds the maximum argument count of the entry
// (missing optional ones null); the builtin borrows them and returns a new
// value, built in `out` when one is given.
using BuiltinFn = Value* (*)(Value* const* args, Value* out);

struct BuiltinEntry {
  std::uint32_t refs = 1;  // the registry's reference plus one per function node
  BuiltinFn impl = nullptr;
  std::string name;
  std::int8_t maxArgs = 0;
  std::int8_t optionalArgs = 0;
  std::uint8_t holdMask = 0;
  Value* body = nullptr;                // user functions only
  std::vector<std::string> parameters;  // user functions, in order
  bool removed = false;                 // taken out of the registry by clearfunc
};

void RetainEntry(BuiltinEntry* e);
void ReleaseEntryRef(BuiltinEntry* e);

struct Binding {
  std::string name;
  Value* value = nullptr;
  bool constant = false;
};

// The recursions a DepthGuard bounds, each with its own count of open levels.
enum class Recursion : std::uint8_t { Parse, Simplify, Differentiate, Expand, Solve };
constexpr std::size_t kRecursionKinds = 5;

// What the running evaluation keeps between the levels of its recursions.
// It lives in the state so that a fresh engine starts with none of it.
struct EngineScratch {
  int depth[kRecursionKinds] = {};
  // Set when a guard has refused a subterm of Simplify: every enclosing step
  // then passes that error outward instead of building on it.
  bool tripped = false;
  // Rewrite one step at a time, without the shortcuts to the normal form
  // (tests compare the two ways).
  bool literalRewriting = false;
  // A term known to be unlike every term of the chain it is moved through,
  // and the chain's node type (see KnownUnlike).
  const Value* unlikeTerm = nullptr;
  ValueType unlikeNode = ValueType::Plus;
};

struct EngineState {
  std::vector<BuiltinEntry*> registry;  // registration order; never reordered
  std::deque<Binding> variables;        // front is the head of the list
  // The stamp of the current bindings: every change of a binding advances it,
  // and the epoch of the last change is kept per slot of the name mask.
  std::uint64_t bindingEpoch = 1;
  std::uint64_t lastChange[64] = {};
  std::unordered_map<BuiltinFn, BuiltinEntry*> byImplementation;
  // The likeness tables of the long chains the simplifier extended last, and
  // those of the chains the normal-form check saw last (debug builds).
  ChainTables chainTables{kSimplifierTables};
  ChainTables checkedChains{kCheckerTables};
  EngineScratch scratch;
};

EngineState& Engine();
bool EngineReady();
// The engine's lifetime (EngineInit, scratch engines) is run by the API layer,
// which knows the builtins to register; the state only holds the current one.
std::unique_ptr<EngineState> TakeEngine();
void InstallEngine(std::unique_ptr<EngineState> state);
// Frees everything a state holds.
void ReleaseState(EngineState& s);
// Makes `next` take over from `previous` without mistaking its records.
void StartPast(EngineState& next, const EngineState& previous);

// Registry
BuiltinEntry* RegisterBuiltin(BuiltinFn impl, std::string_view name, int maxArgs,
                              int optionalArgs, int holdMask);
BuiltinEntry* FindFunction(std::string_view name);  // last entry with the name wins
BuiltinEntry* FindByImplementation(BuiltinFn impl);
// Calls an entry's implementation, or a user function's body, with up to four
// arguments.
Value* CallEntry(BuiltinEntry* entry, Value* const* args, Value* out);

// Variables
Binding* FindBinding(std::string_view name);
void PushParameter(std::string_view name, Value* value);  // takes the value over
void PopParameters(std::size_t count);
// Records that the binding of `name` changed (assigned, removed, pushed or
// popped as a parameter).
void BindingsChanged(std::string_view name);
// The bit of a variable name in the masks of simplified records.
std::uint64_t NameBit(std::string_view name);

// Removing a binding or a user function by its name (a string, symbol or
// variable); true, or the error that says why not.
Value* ClearVariable(const Value* name, Value* out = nullptr);
Value* ClearFunction(const Value* name, Value* out = nullptr);

// Engine operations
// Simplifies a user function's body with the arguments bound to its
// parameters.
Value* CallUserFunction(const BuiltinEntry& entry, Value* const* args, Value* out);

// Error messages
std::string_view ErrorText(ErrorCode code);

// Builds an unevaluated application of the builtin `impl` to its arguments.
Value* MakeFunctionNode(BuiltinFn impl, int arity, const Value* a1, const Value* a2,
                        const Value* a3, const Value* a4, Value* out = nullptr);
Value* MakeFunctionNodeFor(BuiltinEntry* entry, int arity, Value* const* args,
                           Value* out = nullptr);

}  // namespace symcalc
