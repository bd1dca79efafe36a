// The builtins that EngineInit registers. Adding one means adding its line to
// the table at the foot of its file.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "state/engine_state.h"

namespace symcalc {

// One line of a builtin file's table: the keyword, the implementation, the
// most arguments, how many of the last ones may be left out, and the mask of
// arguments that arrive unsimplified (bit i for argument i).
struct BuiltinSpec {
  std::string_view name;
  BuiltinFn impl;
  int maxArgs;
  int optionalArgs;
  int holdMask;
};

// Each builtin file's own table.
std::span<const BuiltinSpec> StateBuiltins();
std::span<const BuiltinSpec> ElementaryBuiltins();
std::span<const BuiltinSpec> PowerBuiltins();
std::span<const BuiltinSpec> TypePredicateBuiltins();
std::span<const BuiltinSpec> NumberTheoryBuiltins();
std::span<const BuiltinSpec> ExpressionAccessBuiltins();
std::span<const BuiltinSpec> ArrayBuiltins();
std::span<const BuiltinSpec> TrigonometricBuiltins();
std::span<const BuiltinSpec> RoundingBuiltins();
std::span<const BuiltinSpec> SetInsertionBuiltins();
std::span<const BuiltinSpec> SetBuiltins();
std::span<const BuiltinSpec> DifferentiationBuiltins();
std::span<const BuiltinSpec> SolveBuiltins();
std::span<const BuiltinSpec> ExpandBuiltins();

// The keywords in the order they join the registry.
std::span<const std::string_view> RegistryOrder();
// Every builtin, in registration order.
const std::vector<BuiltinSpec>& BuiltinTable();

}  // namespace symcalc
