// Simplify: substitutes variables, re-applies builtins whose arguments became
// concrete, rebuilds complex numbers and keeps sums, products and powers in
// the normal form. It never changes its input: operator and function nodes are
// rebuilt in new records whose children are shared with the input.
#include "eval/simplify.h"

#include <algorithm>
#include <vector>

#include "builtins/builtins.h"
#include "eval/arithmetic.h"
#include "eval/cancel.h"
#include "eval/coefficients.h"
#include "eval/depth_guard.h"
#include "eval/like_table.h"
#include "eval/likeness_key.h"
#include "eval/normal_form_check.h"
#include "eval/relations.h"
#include "eval/simplify_internal.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

// Nested Simplify calls beyond this are refused with error 19; the stack
// guard is the other backstop.
constexpr int kMaxDepth = 400000;
// A function argument is simplified again while it keeps changing (a chain of
// bindings); cycles are refused by Assign, this bounds the loop regardless.
constexpr int kMaxArgumentPasses = 100000;

Value* Impl(const Value* v, bool numeric, bool& changed);

bool IsOne(const Value* v) { return IsNumber(v) && [&] {
  Held one = Hold(MakeQword(1));
  return EqualHolds(v, one.get());
}(); }

Value* Operate(ValueType op, const Value* l, const Value* r) {
  switch (op) {
    case ValueType::Plus:
      return Add(l, r);
    case ValueType::Times:
      return Multiply(l, r);
    case ValueType::Power: {
      Value* const args[2] = {const_cast<Value*>(l), const_cast<Value*>(r)};
      return BuiltinPow(args, nullptr);
    }
    case ValueType::And:
      return And(l, r);
    case ValueType::Or:
      return Or(l, r);
    case ValueType::Xor:
      return Xor(l, r);
    case ValueType::Equal:
      return Equal(l, r);
    case ValueType::Greater:
      return Greater(l, r);
    case ValueType::GreaterEqual:
      return GreaterOrEqual(l, r);
    default:
      return NotEqual(l, r);
  }
}

Chain ChainOf(ValueType t) {
  return t == ValueType::Plus ? Chain::Sum : t == ValueType::Times ? Chain::Product : Chain::None;
}

Value* Pair(ValueType t, Value* l, Value* r) { return MakeRawPair(t, l, r); }

// Replaces the leftmost factor of a product chain by t (the coefficient of a
// merged sum term), copying the spine so that shared records stay intact.
Value* ReplaceLeftmostFactor(const Value* x, const Value* t) {
  if (x->type != ValueType::Times) return Retain(t);
  return Pair(ValueType::Times, ReplaceLeftmostFactor(x->pair.left, t), Retain(x->pair.right));
}

void Stamp(Value* r, const EngineState& s);

// x + ... + y + ... + r, with y like r -> x + ... + (y merged with r) + ...:
// the chain is rebuilt above y and simplified again.
Value* MergeApart(ValueType n, const Value* l, const Value* y, const Value* r, bool numeric) {
  const Chain op = ChainOf(n);
  std::vector<const Value*> above;  // the nodes above y, top first
  const Value* p = l;
  while (p->type == n && p->pair.right != y) {
    above.push_back(p);
    p = p->pair.left;
  }
  CoefficientScope scope;
  LikeTerms(y, r, op);  // records the two numbers
  Value* merged = MergedTerm(n, y, scope, false);
  Held chain = Hold(p == y ? merged : Pair(n, Retain(p->pair.left), merged));
  for (auto it = above.rbegin(); it != above.rend(); ++it)
    chain = Hold(Pair(n, chain.release(), Retain((*it)->pair.right)));
  return Simplify(chain.get(), numeric);
}

// Steps 3 to 8 on a node whose operands are simplified. Returns the result
// and whether anything was rewritten.
Value* Rewrite(ValueType n, Held L, Held R, bool operandsChanged, bool numeric, bool& changed) {
  const Value* l = L.get();
  const Value* r = R.get();
  changed = true;
  if (n == ValueType::Plus || n == ValueType::Times || n == ValueType::Power) {
    // 3. neutral and absorbing elements
    if (n == ValueType::Times) {
      if (IsNumber(l) && IsOne(l)) return R.release();
      if (IsNumber(r) && IsOne(r)) return L.release();
    }
    if (n == ValueType::Plus) {
      if (IsNumber(l) && IsZero(l)) return R.release();
      if (!IsNumber(l) && IsNumber(r) && IsZero(r)) return L.release();
    }
    if (n == ValueType::Times) {
      if (IsNumber(l) && IsZero(l)) return MakeQword(0);
      if (!IsNumber(l) && IsNumber(r) && IsZero(r)) return MakeQword(0);
    }
    if (n == ValueType::Power) {
      if (IsNumber(l) && IsZero(l)) return MakeQword(0);
      if (!IsNumber(l) && IsNumber(r) && IsZero(r)) return MakeQword(1);
      if (IsNumber(l) && IsOne(l)) return MakeQword(1);
      if (!IsNumber(l) && IsNumber(r) && IsOne(r)) return L.release();
    }
    // 4. (a^b)^c is a^(b*c)
    if (n == ValueType::Power && l->type == ValueType::Power) {
      Held node = Hold(Pair(ValueType::Power, Retain(l->pair.left), Multiply(l->pair.right, r)));
      return Simplify(node.get(), false);
    }
    // 5. equal bases in a product
    if (n == ValueType::Times && r->type == ValueType::Power) {
      const Value* c = r->pair.left;
      const Value* e = r->pair.right;
      if (l->type == ValueType::Power && Alike(l->pair.left, c)) {
        Held node = Hold(Pair(ValueType::Power, Retain(l->pair.left), Add(l->pair.right, e)));
        return Simplify(node.get(), numeric);
      }
      if (l->type == ValueType::Times && l->pair.right->type == ValueType::Power &&
          Alike(l->pair.right->pair.left, c)) {
        const Value* ad = l->pair.right;
        Value* merged = Pair(ValueType::Power, Retain(ad->pair.left), Add(ad->pair.right, e));
        Held node = Hold(Pair(ValueType::Times, Retain(l->pair.left), merged));
        return Simplify(node.get(), numeric);
      }
    }
  }
  if (n == ValueType::Plus || n == ValueType::Times) {
    const Chain op = ChainOf(n);
    const bool inChain = l->type == n;
    const Value* x = inChain ? l->pair.right : l;
    // 6.1 ordering: R moves down the chain like one pass of insertion sort
    int order;
    {
      CoefficientScope scope;
      order = TermOrder(x, r, op);
    }
    const bool exchanges = order == 1 || order == 2;
    const bool fastSum = n == ValueType::Plus && !numeric && !LiteralRewriting();
    Value* added = fastSum && r->type == n ? AddSumToChain(l, r) : nullptr;
    if (added) return added;
    if (fastSum && inChain && r->type != n) {
      // Null: r follows the chain and is like none of its terms.
      if (Value* done = InsertIntoSum(l, r, exchanges)) return done;
    } else if (exchanges) {
      return ExchangeOnce(n, l, r, numeric);
    } else {
      // 6.2 like terms merge
      CoefficientScope scope;
      if (LikeTerms(x, r, op) == 1) {
        Held result = Hold(inChain ? Pair(n, Retain(l->pair.left), MergedTerm(n, x, scope, false))
                                   : MergedTerm(n, x, scope, true));
        return Simplify(result.get(), numeric);
      }
      // 6.3 like terms apart: r merges into its like term where that stands
      if (inChain && !KnownUnlike::Holds(r, n))
        if (const Value* y = FindLikeTerm(l->pair.left, r, op)) return MergeApart(n, l, y, r, numeric);
    }
  }
  // 7. re-association: a + (b + c) is (a + b) + c
  if ((n == ValueType::Plus || n == ValueType::Times) && r->type == n) {
    Value* inner = Pair(n, Retain(l), Retain(r->pair.left));
    Held node = Hold(Pair(n, inner, Retain(r->pair.right)));
    return Simplify(node.get(), numeric);
  }
  // 8. nothing applied; one more pass when an operand was substituted
  Held q = Hold(Pair(n, L.release(), R.release()));
  if (operandsChanged) return Simplify(q.get(), numeric);
  changed = false;
  return q.release();
}

Value* SimplifyOperator(const Value* v, bool numeric, bool& changed) {
  bool lc = false;
  bool rc = false;
  Held L = Hold(Impl(v->pair.left, numeric, lc));
  if (SimplifyTripped()) return L.release();
  Held R = Hold(Impl(v->pair.right, numeric, rc));
  if (SimplifyTripped()) return R.release();
  if (!IsSymbolic(L.get()) && !IsSymbolic(R.get())) {
    changed = true;
    return Operate(v->type, L.get(), R.get());
  }
  return Rewrite(v->type, std::move(L), std::move(R), lc || rc, numeric, changed);
}

bool BlocksApplication(const Value* a) {
  return !(IsNumber(a) || a->type == ValueType::Boolean || a->type == ValueType::Array ||
           a->type == ValueType::Error || a->type == ValueType::MathSymbol);
}

Value* SimplifyFunction(const Value* v, bool numeric, bool& changed) {
  Held node = Hold(CopyValue(v));
  bool anyChanged = false;
  bool blocked = false;
  for (Value*& slot : node->function.args) {
    if (!slot) continue;
    bool c = false;
    Value* a = Impl(slot, numeric, c);
    // An argument replaced by a binding is simplified again while it keeps
    // changing, so w := sin(y), y := z, z := 2 gives the sine of 2.
    for (int pass = 0; c && pass < kMaxArgumentPasses; ++pass) {
      anyChanged = true;
      bool again = false;
      Value* b = Impl(a, numeric, again);
      FreeValue(a);
      a = b;
      c = again;
    }
    if (SimplifyTripped()) return a;
    FreeValue(slot);
    slot = a;
    if (BlocksApplication(a)) blocked = true;
  }
  changed = anyChanged;
  if (blocked) return node.release();
  BuiltinEntry* entry = node->function.entry;
  if (entry->removed) {
    Held name = Hold(MakeString(entry->name));
    return MakeError(13, name.get());
  }
  changed = true;
  return CallEntry(entry, node->function.args, nullptr);
}

// A record simplified earlier is still in normal form while no variable it
// mentions has changed its binding since.
bool StillSimplified(const Value* v, const EngineState& s) {
  if (v->stamp == 0) return false;
  for (std::uint64_t bits = v->vars; bits; bits &= bits - 1)
    if (s.lastChange[__builtin_ctzll(bits)] > v->stamp) return false;
  return true;
}

// The name mask of a value: the variables in the positions Simplify
// substitutes (operator operands, function arguments, complex parts). Sets
// `sealed` when the value holds an array, set, range or error.
std::uint64_t VarsOf(const Value* v, bool& sealed) {
  if (v->stamp != 0) {
    sealed = sealed || v->sealed;
    return v->vars;
  }
  switch (v->type) {
    case ValueType::Variable:
      return NameBit(TextOf(v));
    case ValueType::Function: {
      std::uint64_t m = 0;
      for (const Value* a : v->function.args)
        if (a) m |= VarsOf(a, sealed);
      return m;
    }
    case ValueType::Array:
    case ValueType::Set:
    case ValueType::Range:
    case ValueType::Error:
      sealed = true;
      return 0;
    default:
      if (v->type == ValueType::Complex || IsOperator(v))
        return VarsOf(v->pair.left, sealed) | VarsOf(v->pair.right, sealed);
      return 0;
  }
}

void Stamp(Value* r, const EngineState& s) {
  bool sealed = false;
  r->vars = VarsOf(r, sealed);
  r->sealed = sealed;
  r->stamp = s.bindingEpoch;
}

Value* Impl(const Value* v, bool numeric, bool& changed) {
  changed = false;
  EngineState& s = Engine();
  if (!numeric && StillSimplified(v, s)) return Retain(v);
  // Unwinding after a refused subterm: nothing more is worked on.
  if (s.scratch.tripped) return Retain(v);
  const DepthGuard guard(Recursion::Simplify, kMaxDepth);
  // A cancelled evaluation unwinds the way a refused subterm does; its value
  // is discarded by the caller.
  if (guard.Exceeded() || CancelPending()) {
    s.scratch.tripped = true;
    return DepthError(v);
  }
  switch (v->type) {
    case ValueType::Complex: {
      bool rc = false;
      bool ic = false;
      Held re = Hold(Impl(v->pair.left, numeric, rc));
      if (SimplifyTripped()) return re.release();
      Held im = Hold(Impl(v->pair.right, numeric, ic));
      if (SimplifyTripped()) return im.release();
      if (!rc && !ic) return Retain(v);
      changed = true;
      return MakeComplex(re.get(), im.get());
    }
    case ValueType::Variable: {
      const Binding* b = FindBinding(TextOf(v));
      if (!b) return Retain(v);
      const Value* bound = b->value;
      changed = !(bound->type == ValueType::Variable && TextOf(bound) == TextOf(v));
      return Retain(bound);
    }
    case ValueType::Function: {
      Value* r = SimplifyFunction(v, numeric, changed);
      if (!numeric && r->refs == 1 && r->type == ValueType::Function) Stamp(r, s);
      return r;
    }
    default:
      break;
  }
  if (!IsOperator(v)) return Retain(v);
  Value* r = SimplifyOperator(v, numeric, changed);
  CheckNormalForm(r);
  if (!numeric && r->refs == 1 && IsOperator(r)) Stamp(r, s);
  return r;
}

}  // namespace

bool SimplifyTripped() { return Engine().scratch.tripped; }

void StampBuilt(Value* node) {
  Stamp(node, Engine());
  CheckNormalForm(node);
}

Value* MergedTerm(ValueType n, const Value* x, const CoefficientScope& scope, bool alone) {
  Held one = Hold(MakeQword(1));
  const Value* f = scope.First();
  const Value* s = scope.Second();
  Held t = Hold(Add(f ? f : one.get(), s ? s : one.get()));
  if (n == ValueType::Times) {
    // x^f * x^s -> x^(f+s); x * x^s -> x^(1+s)
    if (f) return Pair(ValueType::Power, Retain(x->pair.left), t.release());
    if (alone) return Pair(ValueType::Power, Retain(x), t.release());
    Value* const args[2] = {const_cast<Value*>(x), t.get()};
    return BuiltinPow(args, nullptr);
  }
  // f*x + s*x -> (f+s)*x; x + s*x -> (1+s)*x
  if (f) return ReplaceLeftmostFactor(x, t.get());
  if (alone) return Pair(ValueType::Times, Retain(x), t.release());
  return Multiply(t.get(), x);
}

KnownUnlike::KnownUnlike(const Value* term, ValueType n)
    : savedTerm_(Engine().scratch.unlikeTerm), savedNode_(Engine().scratch.unlikeNode) {
  Engine().scratch.unlikeTerm = term;
  Engine().scratch.unlikeNode = n;
}

KnownUnlike::~KnownUnlike() {
  Engine().scratch.unlikeTerm = savedTerm_;
  Engine().scratch.unlikeNode = savedNode_;
}

bool KnownUnlike::Holds(const Value* term, ValueType n) {
  const EngineScratch& scratch = Engine().scratch;
  return term == scratch.unlikeTerm && n == scratch.unlikeNode;
}

// The term r trades places with x, the last term of l (or l itself); the
// node is simplified again, so r goes on down the chain. x is put back on
// top of what that gives, which holds no term like x unless r, or the term r
// merges with, is one.
Value* ExchangeOnce(ValueType n, const Value* l, const Value* r, bool numeric) {
  const bool inChain = l->type == n;
  const Value* x = inChain ? l->pair.right : l;
  Held node;
  if (inChain) {
    Value* inner = Pair(n, Retain(l->pair.left), Retain(r));
    node = Hold(Pair(n, inner, Retain(x)));
  } else {
    node = Hold(Pair(n, Retain(r), Retain(l)));
  }
  // A sum (product) r spreads its terms into the chain, any of which may be
  // like x.
  if (LiteralRewriting() || !inChain || r->type == n || !IsSymbolic(x))
    return Simplify(node.get(), numeric);
  // Unlike keys keep x unlike r and whatever r merges with.
  if (LikenessKey(x, ChainOf(n)) == LikenessKey(r, ChainOf(n))) return Simplify(node.get(), numeric);
  KnownUnlike unlike(x, n);
  return Simplify(node.get(), numeric);
}

bool IsLeaf(const Value* v) {
  return !IsOperator(v) && v->type != ValueType::Complex && v->type != ValueType::Variable &&
         v->type != ValueType::Function;
}

bool SimplifyKeepsLeaves() {
  // Unwinding after a refused subterm returns everything as it is; otherwise
  // a leaf is refused only where the next level would pass a guard.
  const EngineScratch& scratch = Engine().scratch;
  if (scratch.literalRewriting) return false;
  const int depth = OpenLevels(Recursion::Simplify);
  if (depth > 0 && scratch.tripped) return true;
  return depth + 1 <= kMaxDepth && !StackExhausted();
}

void MarkSimplified(Value* node) {
  if (node->refs == 1 && IsOperator(node)) Stamp(node, Engine());
  CheckNormalForm(node);
}

void UseLiteralRewriting(bool on) { Engine().scratch.literalRewriting = on; }
bool LiteralRewriting() { return Engine().scratch.literalRewriting; }

bool CannotMention(const Value* v, std::string_view name) {
  return StillSimplified(v, Engine()) && !v->sealed && (v->vars & NameBit(name)) == 0;
}

Value* Simplify(const Value* v, bool numeric) {
  if (OpenLevels(Recursion::Simplify) == 0) Engine().scratch.tripped = false;
  if (IsLeaf(v) && SimplifyKeepsLeaves()) return Retain(v);
  bool changed = false;
  return Impl(v, numeric, changed);
}

Value* MakeOperatorNode(ValueType op, const Value* a, const Value* b, Value* out) {
  Held node = Hold(MakeRawPair(op, Retain(a), Retain(b)));
  return Deliver(Simplify(node.get(), false), out);
}

}  // namespace symcalc
