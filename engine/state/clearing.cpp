// Removing a variable or a user function: the work of clearvar and clearfunc,
// and of an assignment with nothing on its right.
#include "eval/cancel.h"
#include "eval/simplify.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

// clearvar and clearfunc accept a name given as string, symbol or variable.
Value* CheckNameArgument(const Value* x) {
  if (HasText(x)) return nullptr;
  if (IsError(x)) return CopyValue(x);
  return MakeError(ErrorCode::NotAStringSymbolOrVariable, x);
}

}  // namespace

Value* ClearVariable(const Value* x, Value* out) {
  // The name arrives in hold mode and is used as written: simplifying it
  // would replace a bound variable by its value.
  if (Value* bad = CheckNameArgument(x)) return Deliver(bad, out);
  auto& vars = Engine().variables;
  const std::string_view name = TextOf(x);
  for (auto it = vars.begin(); it != vars.end(); ++it) {
    if (it->name != name) continue;
    if (it->constant) return MakeError(ErrorCode::ConstantCannotBeDeleted, x, out);
    if (CancelPending()) return MakeError(ErrorCode::NotAnAnalysisTerm, x, out);
    CommitPiece();
    BindingsChanged(it->name);
    FreeValue(it->value);
    vars.erase(it);
    return MakeBoolean(1, out);
  }
  return MakeError(ErrorCode::VariableNotDeclared, x, out);
}

Value* ClearFunction(const Value* f, Value* out) {
  if (Value* bad = CheckNameArgument(f)) return Deliver(bad, out);
  auto& reg = Engine().registry;
  const std::string_view name = TextOf(f);
  for (auto it = reg.begin(); it != reg.end(); ++it) {
    if ((*it)->name != name) continue;
    if (!(*it)->body) return MakeError(ErrorCode::FunctionCannotBeDeleted, f, out);
    if (CancelPending()) return MakeError(ErrorCode::NotAnAnalysisTerm, f, out);
    CommitPiece();
    BuiltinEntry* e = *it;
    reg.erase(it);
    e->removed = true;
    ReleaseEntryRef(e);
    return MakeBoolean(1, out);
  }
  return MakeError(ErrorCode::UserFunctionNotDeclared, f, out);
}

}  // namespace symcalc
