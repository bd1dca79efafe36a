// The evaluating parser: reads a text and computes its value in one pass.
#pragma once

#include <cstddef>
#include <string_view>

#include "values/value.h"

namespace symcalc {

// Deeper nesting than this (brackets, calls, leading signs) is error 1.
inline constexpr int kMaxNesting = 3000;

Value* ParseAtom(std::string_view text, bool hold, Value* out = nullptr);
int OperatorCode(std::string_view s, std::size_t i);
// 1-based position of the first `ch` outside quotes at depth 0 from the
// 1-based position `start`, or 0.
std::size_t FindAtDepth(std::string_view s, char ch, std::size_t start);

// Trims the space character (only) from both ends.
std::string_view TrimSpaces(std::string_view s);

}  // namespace symcalc
