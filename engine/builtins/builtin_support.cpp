#include "builtins/builtin_support.h"

#include "eval/simplify.h"

namespace symcalc {

Value* Unevaluated(BuiltinFn self, Value* const* args, int count, Value* out) {
  const Value* a[4] = {nullptr, nullptr, nullptr, nullptr};
  for (int i = 0; i < count && i < 4; ++i) a[i] = args[i];
  BuiltinEntry* entry = FindByImplementation(self);
  const int arity = entry ? entry->maxArgs + 1 : count + 1;
  return MakeFunctionNode(self, arity, a[0], a[1], a[2], a[3], out);
}

SimplifiedArgs::SimplifiedArgs(Value* const* args, int count) {
  for (int i = 0; i < count && i < 4; ++i)
    if (args[i]) v[i] = Simplify(args[i]);
}

SimplifiedArgs::~SimplifiedArgs() {
  for (Value* x : v) FreeValue(x);
}

}  // namespace symcalc

namespace symcalc {

Value* PendingApplication(BuiltinFn self, Value* const* args, int count, Value* out) {
  BuiltinEntry* entry = FindByImplementation(self);
  if (!entry) {
    Held id = Hold(MakeString("unregistered function"));
    return MakeError(ErrorCode::FunctionNotDeclared, id.get(), out);
  }
  Value* node = AllocRecord();
  node->type = ValueType::Function;
  RetainEntry(entry);
  node->function.entry = entry;
  node->function.arity = static_cast<std::uint8_t>(entry->maxArgs + 1);
  for (int i = 0; i < count && i < 4; ++i)
    node->function.args[i] = args[i] ? Simplify(args[i]) : nullptr;
  return Deliver(node, out);
}

}  // namespace symcalc
