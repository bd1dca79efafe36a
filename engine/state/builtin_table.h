// The builtins that EngineInit registers, in order.
#pragma once

#include <string_view>
#include <vector>

#include "state/engine_state.h"

namespace symcalc {

struct BuiltinSpec {
  std::string_view name;
  BuiltinFn impl;
  int maxArgs;
  int optionalArgs;
  int holdMask;
};

const std::vector<BuiltinSpec>& BuiltinTable();

}  // namespace symcalc
