// Expression access and control: the operands of operator nodes and ranges,
// the arguments of function applications, the operand of an error, not and if.
#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"

namespace symcalc {
namespace {

// The error of an argument that failed a type check: an error argument is
// passed on as it is, anything else becomes error `code` about itself.
Value* Refuse(const Value* v, ErrorCode code, Value* out) {
  if (IsError(v)) return PassError(v, out);
  return MakeError(code, v, out);
}

Value* Operand(Value* const* args, bool left, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* e = a[0];
  if (IsError(e)) return PassError(e, out);
  // A complex number is a pair as well, but not one the user built.
  if (!IsPairNode(e)) return MakeError(ErrorCode::NotARangeOrOperator, e, out);
  return CopyValue(left ? e->pair.left : e->pair.right, out);
}

int FilledArguments(const Value* f) {
  int n = 0;
  while (n < 4 && f->function.args[n]) ++n;
  return n;
}

}  // namespace

Value* BuiltinOpleft(Value* const* args, Value* out) { return Operand(args, true, out); }

Value* BuiltinOpright(Value* const* args, Value* out) { return Operand(args, false, out); }

Value* BuiltinFuncarg(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  const Value* f = a[0];
  const Value* n = a[1];
  if (!IsType(f, ValueType::Function)) return Refuse(f, ErrorCode::NotAFunction, out);
  if (!IsType(n, ValueType::Qword)) return Refuse(n, ErrorCode::NotAnInteger, out);
  if (n->qword < 0 || n->qword > 3 || n->qword >= FilledArguments(f))
    return MakeError(ErrorCode::ArgumentIndexOutOfBounds, n, out);
  return CopyValue(f->function.args[n->qword], out);
}

Value* BuiltinNumbfuncarg(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* f = a[0];
  if (!IsType(f, ValueType::Function)) return Refuse(f, ErrorCode::NotAFunction, out);
  return MakeQword(FilledArguments(f), out);
}

Value* BuiltinErrormath(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* e = a[0];
  if (!IsError(e)) return MakeError(ErrorCode::NotAnError, e, out);
  // Some errors carry no operand (nothing in particular caused them); there
  // is still an answer to give, and "undefined" is the one that says so.
  if (!e->error.operand) return MakeMathSymbol(kUndefined, out);
  return CopyValue(e->error.operand, out);
}

Value* BuiltinNot(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 1);
  const Value* b = a[0];
  if (IsError(b)) return PassError(b, out);
  if (IsSymbolic(b)) return Unevaluated(BuiltinNot, a.data(), 1, out);
  if (!IsType(b, ValueType::Boolean)) return MakeError(ErrorCode::NotABoolean, b, out);
  return MakeBoolean(b->boolean ? 0 : 1, out);
}

// Both branches arrive evaluated; if only chooses between them.
Value* BuiltinIf(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 3);
  const Value* c = a[0];
  if (IsType(c, ValueType::Boolean)) {
    if (c->boolean) return CopyValue(a[1], out);
    if (a[2]) return CopyValue(a[2], out);
    return MakeQword(0, out);
  }
  if (IsSymbolic(c)) return Unevaluated(BuiltinIf, a.data(), 3, out);
  if (IsError(c)) return PassError(c, out);
  // A number, text, array or set as condition is a mistake in the input, and
  // saying so beats silently taking one of the branches.
  return MakeError(ErrorCode::NotABoolean, c, out);
}

std::span<const BuiltinSpec> ExpressionAccessBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"not", BuiltinNot, 1, 0, 0},
      {"if", BuiltinIf, 3, 1, 0},
      {"opleft", BuiltinOpleft, 1, 0, 0},
      {"opright", BuiltinOpright, 1, 0, 0},
      {"errormath", BuiltinErrormath, 1, 0, 0},
      {"funcarg", BuiltinFuncarg, 2, 0, 0},
      {"numbfuncarg", BuiltinNumbfuncarg, 1, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
