// into: the insertion primitive of sets as a builtin.
#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"
#include "eval/set_insert.h"

namespace symcalc {

Value* BuiltinInto(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  const Value* s = a[0];
  const Value* x = a[1];
  if (s->type != ValueType::Set) {
    if (IsError(s)) return PassError(s, out);
    return MakeError(ErrorCode::NotASet, s, out);
  }
  if (IsError(x)) return PassError(x, out);
  Value* c = CopyValue(s);
  InsertIntoSet(c, x);
  return Deliver(c, out);
}

std::span<const BuiltinSpec> SetInsertionBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"into", BuiltinInto, 2, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
