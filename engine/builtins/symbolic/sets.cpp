// Set operations beyond insertion: union, minus, intersect and subset.
//
// A set's chain holds its elements grouped by type, in ascending type order,
// and no two alike elements; only elements of one type can be alike. The
// operations walk both chains side by side instead of searching the whole
// chain for every element, which keeps them linear for the sets the engine
// builds in bulk (numbers, names), while giving what one search from the
// first element per element gives.
#include <cmath>

#include "builtins/builtin_support.h"
#include "builtins/builtin_table.h"
#include "eval/cancel.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

bool IsSet(const Value* v) { return IsType(v, ValueType::Set); }

// q must come after x in a set.
bool Follows(const Value* q, const Value* x) {
  return MustFollow(TermOrder(q, x, Chain::None));
}

bool HasNaN(const Value* set) {
  for (const Value* e = set->set.first; e; e = e->setLink)
    if (IsType(e, ValueType::Double) && std::isnan(e->dbl)) return true;
  return false;
}

// A position in a chain, advanced by the elements of another set in that
// set's order. For types whose order is total and agrees with likeness
// (numbers, names, math symbols) a search resumes where the last one of the
// same type stopped, since every element before that point is smaller; for
// the others it starts at the first element of the type.
class ChainCursor {
 public:
  ChainCursor(Value* set, bool doublesOrdered)
      : head_(&set->set.first), regionSlot_(head_), resumeSlot_(head_),
        doublesOrdered_(doublesOrdered) {}

  // The link slot holding the element alike x, or null.
  Value** FindAlike(const Value* x) {
    EnterRegion(x);
    Value** slot = Start(x);
    for (; *slot && (*slot)->type == x->type; slot = &(*slot)->setLink) {
      if (Alike(*slot, x)) return Found(x, slot);
      if (IsTotal(x) && Follows(*slot, x)) break;
    }
    // Everything passed is smaller than x, hence than the elements to come.
    if (IsTotal(x)) resumeSlot_ = slot;
    return nullptr;
  }

  // The slot where insertion would place x, walking as an insertion from the
  // first element walks: past every element that is not greater than x and
  // not alike to it. Sets `alike` when the walk stops at an alike element.
  Value** InsertionSlot(const Value* x, bool& alike) {
    EnterRegion(x);
    Value** slot = Start(x);
    for (; *slot && !Follows(*slot, x); slot = &(*slot)->setLink) {
      if (Alike(*slot, x)) {
        alike = true;
        return Found(x, slot);
      }
    }
    alike = false;
    return Found(x, slot);
  }

 private:
  bool IsTotal(const Value* x) const {
    switch (x->type) {
      case ValueType::Qword:
      case ValueType::Ratio:
      case ValueType::Symbol:
      case ValueType::MathSymbol:
      case ValueType::String:
      case ValueType::Variable:
        return true;
      case ValueType::Double:
        return doublesOrdered_;
      default:
        return false;
    }
  }

  void EnterRegion(const Value* x) {
    if (started_ && x->type == region_) return;
    // Elements arrive in ascending type order; were they ever not to, the
    // walk would simply start over from the first element.
    if (started_ && x->type < region_) regionSlot_ = head_;
    while (*regionSlot_ && (*regionSlot_)->type < x->type) regionSlot_ = &(*regionSlot_)->setLink;
    region_ = x->type;
    resumeSlot_ = regionSlot_;
    started_ = true;
  }

  Value** Start(const Value* x) const { return IsTotal(x) ? resumeSlot_ : regionSlot_; }

  Value** Found(const Value* x, Value** slot) {
    if (IsTotal(x)) resumeSlot_ = slot;
    return slot;
  }

  Value** head_;
  Value** regionSlot_;  // the slot holding the first element of type region_
  Value** resumeSlot_;
  ValueType region_ = ValueType::Qword;
  bool started_ = false;
  bool doublesOrdered_;
};

Value* Link(Value** slot, const Value* x) {
  Value* e = CopyValue(x);
  e->setLink = *slot;
  *slot = e;
  return e;
}

// The common checks of the four operations; null when both are sets.
Value* CheckOperands(BuiltinFn self, const SimplifiedArgs& a, Value* out) {
  const Value* x = a[0];
  const Value* y = a[1];
  if (IsError(x)) return PassError(x, out);
  if (IsError(y)) return PassError(y, out);
  if (IsSymbolic(x) || IsSymbolic(y)) return Unevaluated(self, a.data(), 2, out);
  if (!IsSet(x) && !IsNumber(x)) return MakeError(ErrorCode::NotANumber, x, out);
  if (!IsSet(y) && !IsNumber(y)) return MakeError(ErrorCode::NotANumber, y, out);
  if (!IsSet(x)) return MakeError(ErrorCode::NotASet, x, out);
  if (!IsSet(y)) return MakeError(ErrorCode::NotASet, y, out);
  return nullptr;
}

bool DoublesOrdered(const Value* a, const Value* b) { return !HasNaN(a) && !HasNaN(b); }

}  // namespace

Value* BuiltinUnion(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  if (Value* e = CheckOperands(BuiltinUnion, a, out)) return e;
  Held result = Hold(CopyValue(a[0]));
  ChainCursor cursor(result.get(), DoublesOrdered(a[0], a[1]));
  for (const Value* x = a[1]->set.first; x; x = x->setLink) {
    if (CancelPending()) return Deliver(Abandoned(a[1]), out);
    bool alike = false;
    Value** slot = cursor.InsertionSlot(x, alike);
    if (alike) continue;
    Link(slot, x);
    ++result->set.count;
  }
  return Deliver(result.release(), out);
}

Value* BuiltinMinus(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  if (Value* e = CheckOperands(BuiltinMinus, a, out)) return e;
  Held result = Hold(CopyValue(a[0]));
  ChainCursor cursor(result.get(), DoublesOrdered(a[0], a[1]));
  for (const Value* x = a[1]->set.first; x; x = x->setLink) {
    if (CancelPending()) return Deliver(Abandoned(a[1]), out);
    Value** slot = cursor.FindAlike(x);
    if (!slot) continue;
    Value* gone = *slot;
    *slot = gone->setLink;
    gone->setLink = nullptr;
    FreeValue(gone);
    --result->set.count;
  }
  return Deliver(result.release(), out);
}

Value* BuiltinIntersect(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  if (Value* e = CheckOperands(BuiltinIntersect, a, out)) return e;
  ChainCursor cursor(a[0], DoublesOrdered(a[0], a[1]));
  Held result = Hold(MakeEmptySet());
  Value** tail = &result->set.first;
  // Elements of b come in b's order, which is a set's order: appending keeps it.
  for (const Value* x = a[1]->set.first; x; x = x->setLink) {
    if (CancelPending()) return Deliver(Abandoned(a[1]), out);
    if (!cursor.FindAlike(x)) continue;
    tail = &Link(tail, x)->setLink;
    ++result->set.count;
  }
  return Deliver(result.release(), out);
}

Value* BuiltinSubset(Value* const* args, Value* out) {
  SimplifiedArgs a(args, 2);
  if (Value* e = CheckOperands(BuiltinSubset, a, out)) return e;
  ChainCursor cursor(a[1], DoublesOrdered(a[0], a[1]));
  for (const Value* x = a[0]->set.first; x; x = x->setLink) {
    if (CancelPending()) return Deliver(Abandoned(a[0]), out);
    if (!cursor.FindAlike(x)) return MakeBoolean(0, out);
  }
  return MakeBoolean(1, out);
}

std::span<const BuiltinSpec> SetBuiltins() {
  static constexpr BuiltinSpec kTable[] = {
      {"union", BuiltinUnion, 2, 0, 0},
      {"minus", BuiltinMinus, 2, 0, 0},
      {"intersect", BuiltinIntersect, 2, 0, 0},
      {"subset", BuiltinSubset, 2, 0, 0},
  };
  return kTable;
}

}  // namespace symcalc
