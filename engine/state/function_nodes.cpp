// Function nodes: applications of registered functions.
#include "eval/simplify.h"
#include "state/engine_state.h"

namespace symcalc {

Value* MakeFunctionNodeFor(BuiltinEntry* entry, int arity, Value* const* args, Value* out) {
  Value* node = AllocRecord();
  node->type = ValueType::Function;
  RetainEntry(entry);
  node->function.entry = entry;
  node->function.arity = static_cast<std::uint8_t>(arity);
  for (int i = 0; i < 4; ++i) node->function.args[i] = args && args[i] ? Retain(args[i]) : nullptr;
  Held held = Hold(node);
  return Deliver(Simplify(node), out);
}

Value* MakeFunctionNode(BuiltinFn impl, int arity, const Value* a1, const Value* a2,
                        const Value* a3, const Value* a4, Value* out) {
  BuiltinEntry* entry = FindByImplementation(impl);
  if (!entry) {
    Held id = Hold(MakeString("unregistered function"));
    return MakeError(ErrorCode::FunctionNotDeclared, id.get(), out);
  }
  Value* const args[4] = {const_cast<Value*>(a1), const_cast<Value*>(a2),
                          const_cast<Value*>(a3), const_cast<Value*>(a4)};
  return MakeFunctionNodeFor(entry, arity, args, out);
}

}  // namespace symcalc
