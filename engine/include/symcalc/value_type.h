// The type tags of values, in the engine's type order.
#pragma once

#include <cstdint>

namespace symcalc {

enum class ValueType : std::uint8_t {
  Qword,
  Double,
  Ratio,
  Complex,
  Boolean,
  Symbol,
  MathSymbol,
  Range,
  Error,
  String,
  Array,
  Set,
  Variable,
  Function,
  Plus,
  Times,
  Power,
  And,
  Or,
  Xor,
  Equal,
  Greater,
  GreaterEqual,
  NotEqual,
};

}  // namespace symcalc
