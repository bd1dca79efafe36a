// The evaluating parser: reads a text and computes its value in one pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "values/value.h"

namespace symcalc {

// Deeper nesting than this (brackets, calls, leading signs) is error 1.
inline constexpr int kMaxNesting = 3000;

Value* ParseAtom(std::string_view text, bool hold, Value* out = nullptr);

// The binary operators in order of binding, tightest first: a text is split
// at its loosest operator, the greatest one found at depth 0.
enum class Operator : std::uint8_t {
  None,  // not an operator here: a bracket, an exponent's sign, a second '='
  Power,
  Product,
  Sum,
  Range,
  Relation,
  Logic,
  Assignment,
};

// The operator whose first character is at s[i].
Operator OperatorCode(std::string_view s, std::size_t i);
// Position of the first `ch` at or after `start` that is neither quoted nor
// inside round or curly brackets (square ones are not counted), or npos.
std::size_t FindAtDepth(std::string_view s, char ch, std::size_t start);

// Trims the space character (only) from both ends.
std::string_view TrimSpaces(std::string_view s);

}  // namespace symcalc
