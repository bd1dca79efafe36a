// The builtins that manage the engine state: functionlist, typelist,
// clearvar and clearfunc.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "builtins/builtin_table.h"
#include "builtins/builtins.h"

namespace symcalc {
namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
      });
}

}  // namespace

Value* BuiltinFunctionlist(Value* const*, Value* out) {
  // Sorting a copy of the names keeps the registry in registration order,
  // which the newest-definition-wins lookup relies on.
  std::vector<std::string> names;
  for (const BuiltinEntry* e : Engine().registry) names.push_back(e->name);
  std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i) text += ", ";
    text += names[i];
  }
  return MakeString(text, out);
}

Value* BuiltinTypelist(Value* const*, Value* out) {
  std::string text;
  for (int t = 0; t < kTypeCount; ++t) {
    if (t) text += ", ";
    text += '\'';
    text += TypeName(t);
    text += '\'';
  }
  return MakeString(text, out);
}

Value* BuiltinClearvar(Value* const* args, Value* out) { return ClearVariable(args[0], out); }

Value* BuiltinClearfunc(Value* const* args, Value* out) { return ClearFunction(args[0], out); }

std::span<const BuiltinSpec> StateBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"functionlist", BuiltinFunctionlist, 0, 0, 0},
      {"typelist", BuiltinTypelist, 0, 0, 0},
      {"clearvar", BuiltinClearvar, 1, 0, 1},
      {"clearfunc", BuiltinClearfunc, 1, 0, 1},
  };
  return kTable;
}

}  // namespace symcalc
