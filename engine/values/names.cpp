// The type-name and math-symbol tables.
#include <array>

#include "values/value.h"

namespace symcalc {
namespace {

constexpr std::array<std::string_view, kTypeCount> kTypeNames = {
    "qword",  "double", "ratio", "complex",  "boolean",  "symbol", "mathsymbol", "..",
    "error",  "string", "array", "set",      "variable", "function", "+",        "*",
    "^",      "&",      "|",     "!",        "=",        ">",      ">=",         "<>"};

constexpr std::array<std::string_view, kMathSymbolCount> kMathSymbols = {
    "undefined", "infinity", "-infinity", "pi"};

}  // namespace

std::string_view TypeName(ValueType t) { return kTypeNames[static_cast<int>(t)]; }

std::string_view TypeName(int tag) {
  if (tag < 0 || tag >= kTypeCount) return {};
  return kTypeNames[tag];
}

std::string_view MathSymbolName(int index) {
  if (index < 0 || index >= kMathSymbolCount) return kMathSymbols[0];
  return kMathSymbols[index];
}

}  // namespace symcalc
