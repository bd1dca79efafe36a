// Helpers shared by the builtins: argument screening and unevaluated
// applications.
#pragma once

#include "builtins/builtins.h"

namespace symcalc {

// The application of the builtin `self` to simplified arguments, simplified
// again as every new function node is (the engine's MakeFunctionNode).
Value* Unevaluated(BuiltinFn self, Value* const* args, int count, Value* out = nullptr);

// Simplified copies of up to four arguments, released together.
struct SimplifiedArgs {
  SimplifiedArgs(Value* const* args, int count);
  ~SimplifiedArgs();
  SimplifiedArgs(const SimplifiedArgs&) = delete;
  SimplifiedArgs& operator=(const SimplifiedArgs&) = delete;
  Value* operator[](int i) const { return v[i]; }
  Value* const* data() const { return v; }
  Value* v[4] = {nullptr, nullptr, nullptr, nullptr};
};

}  // namespace symcalc

namespace symcalc {

// The application node of `self` to the simplified arguments, built without
// simplifying the node again: the answer of a builtin that cannot compute yet.
Value* PendingApplication(BuiltinFn self, Value* const* args, int count, Value* out = nullptr);

}  // namespace symcalc
