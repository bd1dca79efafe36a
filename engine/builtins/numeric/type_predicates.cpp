// Type predicates, gettype and istype. They look at the argument exactly as it
// arrives (no simplification), never stay unevaluated and never fail.
#include "builtins/builtin_table.h"
#include "builtins/builtins.h"

namespace symcalc {
namespace {

Value* Answer(bool yes, Value* out) { return MakeBoolean(yes ? 1 : 0, out); }

bool IsMath(const Value* v, int index) {
  return v->type == ValueType::MathSymbol && v->mathSymbol == index;
}

}  // namespace

Value* BuiltinIsnumber(Value* const* a, Value* out) { return Answer(IsNumber(a[0]), out); }
Value* BuiltinIsreal(Value* const* a, Value* out) { return Answer(IsReal(a[0]), out); }
Value* BuiltinIsrational(Value* const* a, Value* out) { return Answer(IsRational(a[0]), out); }
Value* BuiltinIsqword(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Qword, out);
}
Value* BuiltinIsdouble(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Double, out);
}
Value* BuiltinIsratio(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Ratio, out);
}
Value* BuiltinIscomplex(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Complex, out);
}
Value* BuiltinIsboolean(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Boolean, out);
}
Value* BuiltinIssymbol(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Symbol, out);
}
Value* BuiltinIsmathsymbol(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::MathSymbol, out);
}
Value* BuiltinIsrange(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Range, out);
}
Value* BuiltinIserror(Value* const* a, Value* out) { return Answer(IsError(a[0]), out); }
Value* BuiltinIsstring(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::String, out);
}
Value* BuiltinIsarray(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Array, out);
}
Value* BuiltinIsset(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Set, out);
}
Value* BuiltinIsvariable(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Variable, out);
}
Value* BuiltinIsfunction(Value* const* a, Value* out) {
  return Answer(a[0]->type == ValueType::Function, out);
}
Value* BuiltinIsoperator(Value* const* a, Value* out) { return Answer(IsOperator(a[0]), out); }
Value* BuiltinIsvariaop(Value* const* a, Value* out) { return Answer(IsSymbolic(a[0]), out); }
Value* BuiltinIsinfinity(Value* const* a, Value* out) { return Answer(IsInfinity(a[0]), out); }
Value* BuiltinIsundefined(Value* const* a, Value* out) {
  return Answer(IsMath(a[0], kUndefined), out);
}

Value* BuiltinGettype(Value* const* a, Value* out) { return MakeSymbol(TypeName(a[0]->type), out); }

Value* BuiltinIstype(Value* const* a, Value* out) {
  const Value* x = a[0];
  const Value* t = a[1];
  if (t->type != ValueType::Symbol) return MakeError(ErrorCode::NotASymbol, t, out);
  const std::string_view name = TextOf(t);
  if (TypeName(x->type) == name) return Answer(true, out);
  if (name == "number") return Answer(IsNumber(x), out);
  if (name == "real") return Answer(IsReal(x), out);
  if (name == "rational") return Answer(IsRational(x), out);
  if (name == "infinity") return Answer(IsInfinity(x), out);
  if (name == "undefined") return Answer(IsMath(x, kUndefined), out);
  return Answer(false, out);
}

std::span<const BuiltinSpec> TypePredicateBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"isnumber", BuiltinIsnumber, 1, 0, 0},
      {"isreal", BuiltinIsreal, 1, 0, 0},
      {"isrational", BuiltinIsrational, 1, 0, 0},
      {"isqword", BuiltinIsqword, 1, 0, 0},
      {"isdouble", BuiltinIsdouble, 1, 0, 0},
      {"isratio", BuiltinIsratio, 1, 0, 0},
      {"iscomplex", BuiltinIscomplex, 1, 0, 0},
      {"isboolean", BuiltinIsboolean, 1, 0, 0},
      {"issymbol", BuiltinIssymbol, 1, 0, 0},
      {"ismathsymbol", BuiltinIsmathsymbol, 1, 0, 0},
      {"isrange", BuiltinIsrange, 1, 0, 0},
      {"iserror", BuiltinIserror, 1, 0, 0},
      {"isstring", BuiltinIsstring, 1, 0, 0},
      {"isarray", BuiltinIsarray, 1, 0, 0},
      {"isset", BuiltinIsset, 1, 0, 0},
      {"isvariable", BuiltinIsvariable, 1, 0, 0},
      {"isfunction", BuiltinIsfunction, 1, 0, 0},
      {"isoperator", BuiltinIsoperator, 1, 0, 0},
      {"isvariaop", BuiltinIsvariaop, 1, 0, 0},
      {"isinfinity", BuiltinIsinfinity, 1, 0, 0},
      {"isundefined", BuiltinIsundefined, 1, 0, 0},
      {"gettype", BuiltinGettype, 1, 0, 0},
      {"istype", BuiltinIstype, 2, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
