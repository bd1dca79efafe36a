// The builtins that manage the engine state: functionlist, typelist,
// clearvar and clearfunc.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "builtins/builtins.h"
#include "eval/cancel.h"

namespace symcalc {
namespace {

// clearvar and clearfunc accept a name given as string, symbol or variable.
Value* CheckNameArgument(const Value* x) {
  if (HasText(x)) return nullptr;
  if (IsError(x)) return CopyValue(x);
  return MakeError(18, x);
}

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

Value* BuiltinClearvar(Value* const* args, Value* out) {
  // The argument arrives in hold mode and is used as written: simplifying it
  // would replace a bound variable by its value.
  const Value* x = args[0];
  if (Value* bad = CheckNameArgument(x)) return Deliver(bad, out);
  auto& vars = Engine().variables;
  const std::string_view name = TextOf(x);
  for (auto it = vars.begin(); it != vars.end(); ++it) {
    if (it->name != name) continue;
    if (it->constant) return MakeError(22, x, out);
    if (CancelPending()) return MakeError(19, x, out);
    CommitPiece();
    BindingsChanged(it->name);
    FreeValue(it->value);
    vars.erase(it);
    return MakeBoolean(1, out);
  }
  return MakeError(21, x, out);
}

Value* BuiltinClearfunc(Value* const* args, Value* out) {
  const Value* f = args[0];
  if (Value* bad = CheckNameArgument(f)) return Deliver(bad, out);
  auto& reg = Engine().registry;
  const std::string_view name = TextOf(f);
  for (auto it = reg.begin(); it != reg.end(); ++it) {
    if ((*it)->name != name) continue;
    if (!(*it)->body) return MakeError(45, f, out);
    if (CancelPending()) return MakeError(19, f, out);
    CommitPiece();
    BuiltinEntry* e = *it;
    reg.erase(it);
    e->removed = true;
    ReleaseEntryRef(e);
    return MakeBoolean(1, out);
  }
  return MakeError(40, f, out);
}

}  // namespace symcalc
