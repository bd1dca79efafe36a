// Greater, GreaterOrEqual, Equal, NotEqual, And, Or and Xor.
#include "eval/relations.h"

#include "eval/exact_compare.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

enum class Rel { Greater, GreaterOrEqual, Equal, NotEqual };

ValueType NodeOf(Rel r) {
  switch (r) {
    case Rel::Greater:
      return ValueType::Greater;
    case Rel::GreaterOrEqual:
      return ValueType::GreaterEqual;
    case Rel::Equal:
      return ValueType::Equal;
    default:
      return ValueType::NotEqual;
  }
}

bool InfinityTable(Rel r, const Value* p, const Value* q) {
  auto is = [](const Value* v, int index) {
    return v->type == ValueType::MathSymbol && v->mathSymbol == index;
  };
  if (IsInfinity(p)) {
    switch (r) {
      case Rel::Greater:
        return is(p, kInfinity) ? !is(q, kInfinity) : false;
      case Rel::GreaterOrEqual:
        return is(p, kInfinity) ? true : is(q, kMinusInfinity);
      case Rel::Equal:
        return IsInfinity(q) && q->mathSymbol == p->mathSymbol;
      default:
        return !(IsInfinity(q) && q->mathSymbol == p->mathSymbol);
    }
  }
  switch (r) {
    case Rel::Greater:
    case Rel::GreaterOrEqual:
      return is(q, kMinusInfinity);
    case Rel::Equal:
      return false;
    default:
      return true;
  }
}

Value* Relation(Rel r, const Value* a, const Value* b, Value* out) {
  Held p = Hold(Simplify(a));
  Held q = Hold(Simplify(b));
  if (IsError(p.get())) return PassError(p.get(), out);
  if (IsError(q.get())) return PassError(q.get(), out);
  if (IsSymbolic(p.get()) || IsSymbolic(q.get()))
    return MakeOperatorNode(NodeOf(r), p.get(), q.get(), out);
  // An array has no value to compare with.
  if (p->type == ValueType::Array) return MakeError(ErrorCode::NotANumber, p.get(), out);
  if (q->type == ValueType::Array) return MakeError(ErrorCode::NotANumber, q.get(), out);
  if (!IsInfinity(p.get()) && !IsInfinity(q.get())) {
    if (!IsNumber(p.get())) return MakeError(ErrorCode::NotANumber, p.get(), out);
    if (!IsNumber(q.get())) return MakeError(ErrorCode::NotANumber, q.get(), out);
  }
  if (IsInfinity(p.get()) || IsInfinity(q.get()))
    return MakeBoolean(InfinityTable(r, p.get(), q.get()), out);
  const bool pc = p->type == ValueType::Complex;
  const bool qc = q->type == ValueType::Complex;
  if (r == Rel::Greater || r == Rel::GreaterOrEqual) {
    if (pc) return MakeError(ErrorCode::NotAReal, p.get(), out);
    if (qc) return MakeError(ErrorCode::NotAReal, q.get(), out);
  }
  if (pc || qc) {
    const bool equal = NumberEqual(p.get(), q.get());
    return MakeBoolean(r == Rel::Equal ? equal : !equal, out);
  }
  bool unordered = false;
  const int c = CompareReal(p.get(), q.get(), &unordered);
  bool result;
  switch (r) {
    case Rel::Greater:
      result = !unordered && c > 0;
      break;
    case Rel::GreaterOrEqual:
      result = !unordered && c >= 0;
      break;
    case Rel::Equal:
      result = !unordered && c == 0;
      break;
    default:
      result = unordered || c != 0;
      break;
  }
  return MakeBoolean(result, out);
}

enum class Logic { And, Or, Xor };

Value* LogicOp(Logic op, const Value* a, const Value* b, Value* out) {
  Held p = Hold(Simplify(a));
  Held q = Hold(Simplify(b));
  if (IsError(p.get())) return PassError(p.get(), out);
  if (IsError(q.get())) return PassError(q.get(), out);
  const bool pb = p->type == ValueType::Boolean;
  const bool qb = q->type == ValueType::Boolean;
  if (pb && qb) {
    const bool x = p->boolean != 0;
    const bool y = q->boolean != 0;
    return MakeBoolean(op == Logic::And ? (x && y) : op == Logic::Or ? (x || y) : (x != y), out);
  }
  if (IsSymbolic(p.get()) || IsSymbolic(q.get())) {
    const ValueType node = op == Logic::And  ? ValueType::And
                           : op == Logic::Or ? ValueType::Or
                                             : ValueType::Xor;
    return MakeOperatorNode(node, p.get(), q.get(), out);
  }
  const bool special = p->type == ValueType::Array || q->type == ValueType::Array ||
                       IsInfinity(p.get()) || IsInfinity(q.get());
  if (!special) {
    if (!IsNumber(p.get())) return MakeError(ErrorCode::NotANumber, p.get(), out);
    if (!IsNumber(q.get())) return MakeError(ErrorCode::NotANumber, q.get(), out);
  }
  return MakeError(ErrorCode::NotABoolean, pb ? q.get() : p.get(), out);
}

bool Holds(Value* v) {
  const bool yes = v->type == ValueType::Boolean && v->boolean == 1;
  FreeValue(v);
  return yes;
}

}  // namespace

Value* Greater(const Value* a, const Value* b, Value* out) {
  return Relation(Rel::Greater, a, b, out);
}
Value* GreaterOrEqual(const Value* a, const Value* b, Value* out) {
  return Relation(Rel::GreaterOrEqual, a, b, out);
}
Value* Equal(const Value* a, const Value* b, Value* out) { return Relation(Rel::Equal, a, b, out); }
Value* NotEqual(const Value* a, const Value* b, Value* out) {
  return Relation(Rel::NotEqual, a, b, out);
}
Value* And(const Value* a, const Value* b, Value* out) { return LogicOp(Logic::And, a, b, out); }
Value* Or(const Value* a, const Value* b, Value* out) { return LogicOp(Logic::Or, a, b, out); }
Value* Xor(const Value* a, const Value* b, Value* out) { return LogicOp(Logic::Xor, a, b, out); }

bool GreaterHolds(const Value* a, const Value* b) { return Holds(Greater(a, b)); }
bool EqualHolds(const Value* a, const Value* b) { return Holds(Equal(a, b)); }
bool GreaterOrEqualHolds(const Value* a, const Value* b) { return Holds(GreaterOrEqual(a, b)); }

}  // namespace symcalc
