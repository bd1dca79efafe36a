// Simplify: substitutes variables, re-applies builtins whose arguments became
// concrete, rebuilds complex numbers and keeps sums, products and powers in
// the normal form. It never changes its input: operator and function nodes are
// rebuilt in new records whose children are shared with the input.
#include "eval/simplify.h"

#include <algorithm>
#include <vector>

#include "eval/arithmetic.h"
#include "eval/cancel.h"
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
    case ValueType::Power:
      return Power(l, r);
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
  std::vector<const Value*> above;  // the nodes above y, top first
  const Value* p = l;
  while (p->type == n && p->pair.right != y) {
    above.push_back(p);
    p = p->pair.left;
  }
  LikeCoefficients found;
  LikeTerms(y, r, ChainOf(n), &found);
  Value* merged = MergedTerm(n, y, found, false);
  Held chain = Hold(p == y ? merged : Pair(n, Retain(p->pair.left), merged));
  for (auto it = above.rbegin(); it != above.rend(); ++it)
    chain = Hold(Pair(n, chain.release(), Retain((*it)->pair.right)));
  return Simplify(chain.get(), numeric);
}

// An operator node whose operands are simplified, as the rewrite rules see
// it. A rule returns the rewritten node, or null when it does not apply; a
// rule that returns an operand takes it out of its holder.
struct RewriteNode {
  ValueType n;
  Held L;
  Held R;
  bool numeric;

  const Value* l() const { return L.get(); }
  const Value* r() const { return R.get(); }
  bool InChain() const { return l()->type == n; }
  // The term of l that r meets first: its last term, or l itself.
  const Value* Last() const { return InChain() ? l()->pair.right : l(); }
};

bool IsNumberZero(const Value* v) { return IsNumber(v) && IsZero(v); }

// 1*x -> x
Value* OneTimes(RewriteNode& x) { return IsOne(x.l()) ? x.R.release() : nullptr; }

// x*1 -> x
Value* TimesOne(RewriteNode& x) { return IsOne(x.r()) ? x.L.release() : nullptr; }

// 0*x -> 0
Value* ZeroTimes(RewriteNode& x) { return IsNumberZero(x.l()) ? MakeQword(0) : nullptr; }

// x*0 -> 0
Value* TimesZero(RewriteNode& x) {
  return !IsNumber(x.l()) && IsNumberZero(x.r()) ? MakeQword(0) : nullptr;
}

// 0 + x -> x
Value* ZeroPlus(RewriteNode& x) { return IsNumberZero(x.l()) ? x.R.release() : nullptr; }

// x + 0 -> x
Value* PlusZero(RewriteNode& x) {
  return !IsNumber(x.l()) && IsNumberZero(x.r()) ? x.L.release() : nullptr;
}

// 0^x -> 0
Value* ZeroToPower(RewriteNode& x) { return IsNumberZero(x.l()) ? MakeQword(0) : nullptr; }

// x^0 -> 1
Value* PowerZero(RewriteNode& x) {
  return !IsNumber(x.l()) && IsNumberZero(x.r()) ? MakeQword(1) : nullptr;
}

// 1^x -> 1
Value* OneToPower(RewriteNode& x) { return IsOne(x.l()) ? MakeQword(1) : nullptr; }

// x^1 -> x
Value* PowerOne(RewriteNode& x) {
  return !IsNumber(x.l()) && IsOne(x.r()) ? x.L.release() : nullptr;
}

// (a^b)^c -> a^(b*c)
Value* PowerOfPower(RewriteNode& x) {
  const Value* l = x.l();
  if (l->type != ValueType::Power) return nullptr;
  Held node = Hold(Pair(ValueType::Power, Retain(l->pair.left), Multiply(l->pair.right, x.r())));
  return Simplify(node.get(), false);
}

// a^m*a^n -> a^(m+n)
Value* EqualBases(RewriteNode& x) {
  const Value* l = x.l();
  const Value* r = x.r();
  if (r->type != ValueType::Power || l->type != ValueType::Power ||
      !Alike(l->pair.left, r->pair.left))
    return nullptr;
  Held node = Hold(Pair(ValueType::Power, Retain(l->pair.left), Add(l->pair.right, r->pair.right)));
  return Simplify(node.get(), x.numeric);
}

// (u*a^m)*a^n -> u*a^(m+n)
Value* EqualBasesAfterFactors(RewriteNode& x) {
  const Value* l = x.l();
  const Value* r = x.r();
  if (r->type != ValueType::Power || l->type != ValueType::Times) return nullptr;
  const Value* am = l->pair.right;
  if (am->type != ValueType::Power || !Alike(am->pair.left, r->pair.left)) return nullptr;
  Value* merged = Pair(ValueType::Power, Retain(am->pair.left), Add(am->pair.right, r->pair.right));
  Held node = Hold(Pair(ValueType::Times, Retain(l->pair.left), merged));
  return Simplify(node.get(), x.numeric);
}

// Sums built symbolically take the shortcuts that place terms without a node
// per step; numeric evaluation and literal rewriting take the rules below.
bool TakesSumShortcuts(const RewriteNode& x) {
  return x.n == ValueType::Plus && !x.numeric && !LiteralRewriting();
}

// u + 2*x + 3*x -> u + 5*x, and u*x^2*x^3 -> u*x^5
Value* MergeWithLast(RewriteNode& x) {
  LikeCoefficients found;
  if (LikeTerms(x.Last(), x.r(), ChainOf(x.n), &found) != 1) return nullptr;
  Held result = Hold(x.InChain() ? Pair(x.n, Retain(x.l()->pair.left),
                                        MergedTerm(x.n, x.Last(), found, false))
                                 : MergedTerm(x.n, x.Last(), found, true));
  return Simplify(result.get(), x.numeric);
}

// u + 2*x + v + 3*x -> u + 5*x + v, and u*x^2*v*x^3 -> u*x^5*v
Value* MergeWithLikeApart(RewriteNode& x) {
  if (!x.InChain() || KnownUnlike::Holds(x.r(), x.n)) return nullptr;
  const Value* y = FindLikeTerm(x.l()->pair.left, x.r(), ChainOf(x.n));
  return y ? MergeApart(x.n, x.l(), y, x.r(), x.numeric) : nullptr;
}

// The new term r finds its place in the chain l: it moves down while it must
// precede the term before it, and merges with a term like it.
//   s + (a + b) -> the terms of a + b placed into s at once
//   (u + x) + r -> (u + r) + x, when r must precede x
Value* PlaceTerm(RewriteNode& x) {
  const bool shortcuts = TakesSumShortcuts(x);
  if (shortcuts && x.r()->type == x.n)
    if (Value* added = AddSumToChain(x.l(), x.r())) return added;
  const bool exchanges = MustFollow(TermOrder(x.Last(), x.r(), ChainOf(x.n)));
  // Null: r follows the chain and is like none of its terms.
  if (shortcuts && x.InChain() && x.r()->type != x.n)
    return InsertIntoSum(x.l(), x.r(), exchanges);
  if (exchanges) return ExchangeOnce(x.n, x.l(), x.r(), x.numeric);
  if (Value* merged = MergeWithLast(x)) return merged;
  return MergeWithLikeApart(x);
}

// a + (b + c) -> (a + b) + c, and a*(b*c) -> (a*b)*c
Value* Reassociate(RewriteNode& x) {
  if (x.r()->type != x.n) return nullptr;
  Value* inner = Pair(x.n, Retain(x.l()), Retain(x.r()->pair.left));
  Held node = Hold(Pair(x.n, inner, Retain(x.r()->pair.right)));
  return Simplify(node.get(), x.numeric);
}

template <auto... Rules>
Value* FirstThatApplies(RewriteNode& x) {
  Value* result = nullptr;
  static_cast<void>(((result = Rules(x)) || ...));
  return result;
}

// The rules in the order the normal form needs: neutral and absorbing
// elements first, so that no later rule meets a 0 or 1 that is about to go;
// then powers of equal bases, then the place of the new term in its chain;
// a chain leaning right is turned last, once no term of it has moved.
Value* ApplyRules(RewriteNode& x) {
  switch (x.n) {
    case ValueType::Plus:
      return FirstThatApplies<ZeroPlus, PlusZero, PlaceTerm, Reassociate>(x);
    case ValueType::Times:
      return FirstThatApplies<OneTimes, TimesOne, ZeroTimes, TimesZero, EqualBases,
                              EqualBasesAfterFactors, PlaceTerm, Reassociate>(x);
    case ValueType::Power:
      return FirstThatApplies<ZeroToPower, PowerZero, OneToPower, PowerOne, PowerOfPower>(x);
    default:
      return nullptr;
  }
}

// A node whose operands are simplified, rewritten by the first rule that
// applies. Nothing applying, it stands, simplified once more when an operand
// was substituted; `changed` tells whether anything was rewritten.
Value* Rewrite(RewriteNode x, bool operandsChanged, bool& changed) {
  changed = true;
  if (Value* rewritten = ApplyRules(x)) return rewritten;
  Held q = Hold(Pair(x.n, x.L.release(), x.R.release()));
  if (operandsChanged) return Simplify(q.get(), x.numeric);
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
  return Rewrite(RewriteNode{v->type, std::move(L), std::move(R), numeric}, lc || rc, changed);
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
    return MakeError(ErrorCode::FunctionNotDeclared, name.get());
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

Value* MergedTerm(ValueType n, const Value* x, const LikeCoefficients& found, bool alone) {
  Held one = Hold(MakeQword(1));
  const Value* f = found.first;
  const Value* s = found.second;
  Held t = Hold(Add(f ? f : one.get(), s ? s : one.get()));
  if (n == ValueType::Times) {
    // x^f * x^s -> x^(f+s); x * x^s -> x^(1+s)
    if (f) return Pair(ValueType::Power, Retain(x->pair.left), t.release());
    if (alone) return Pair(ValueType::Power, Retain(x), t.release());
    return Power(x, t.get());
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
