// Add, Subtract, Multiply, Divide and Negate over the number tower, the
// infinities, strings, arrays and symbolic operands.
//
// Integer and fraction arithmetic is exact and never wraps around: sums and
// products are formed in 128 bits, a qword result that leaves 64 bits falls
// back to the double of the exact operands, and a fraction whose reduced parts
// do not fit 32 bits becomes the double of its quotient.
#include "eval/arithmetic.h"

#include "eval/relations.h"
#include "eval/scaled_complex.h"
#include "eval/simplify.h"
#include "values/number_limits.h"

namespace symcalc {
namespace {

enum class Op { Add, Multiply, Divide };

bool IsComplex(const Value* v) { return v->type == ValueType::Complex; }
bool IsArray(const Value* v) { return v->type == ValueType::Array; }

Value* Undefined(Value* out) { return MakeMathSymbol(kUndefined, out); }

// Operands after preparation: simplified, errors passed on, symbolic operands
// turned into nodes. `done` is set when the result is already decided.
struct Prepared {
  Held p;
  Held q;
  Value* done = nullptr;
};

Prepared Prepare(const Value* a, const Value* b, Op op, Value* out) {
  Prepared r;
  r.p = Hold(Simplify(a));
  r.q = Hold(Simplify(b));
  const Value* p = r.p.get();
  const Value* q = r.q.get();
  if (IsError(p)) {
    r.done = PassError(p, out);
    return r;
  }
  if (IsError(q)) {
    r.done = PassError(q, out);
    return r;
  }
  if (IsSymbolic(p) || IsSymbolic(q)) {
    if (op == Op::Add) {
      r.done = MakeOperatorNode(ValueType::Plus, p, q, out);
    } else if (op == Op::Multiply) {
      r.done = MakeOperatorNode(ValueType::Times, p, q, out);
    } else {
      Held reciprocal;
      if (IsNumber(q)) {
        Held one = Hold(MakeQword(1));
        reciprocal = Hold(Divide(one.get(), q));
      } else {
        Held minusOne = Hold(MakeQword(-1));
        reciprocal = Hold(MakeOperatorNode(ValueType::Power, q, minusOne.get()));
      }
      // Through Multiply, so that x/0 is the division's error, not a product
      // holding an error.
      r.done = Multiply(p, reciprocal.get(), out);
    }
    return r;
  }
  const bool special = op == Op::Divide ? (IsInfinity(p) || IsInfinity(q))
                                        : (IsArray(p) || IsArray(q) || IsInfinity(p) ||
                                           IsInfinity(q));
  if (!special) {
    if (!IsNumber(p))
      r.done = MakeError(ErrorCode::NotANumber, p, out);
    else if (!IsNumber(q))
      r.done = MakeError(ErrorCode::NotANumber, q, out);
  }
  return r;
}

// A value that may stand beside an infinity in a sum or product: numbers,
// infinities and (absorbed) arrays. undefined is handled by the callers.
bool AdmissibleBesideInfinity(const Value* v) {
  return IsNumber(v) || IsInfinity(v) || IsArray(v);
}

Value* Opposite(const Value* inf, Value* out) {
  return MakeMathSymbol(inf->mathSymbol == kInfinity ? kMinusInfinity : kInfinity, out);
}

Value* Qword128(__int128 x, double fallback, Value* out) {
  if (x >= INT64_MIN && x <= INT64_MAX) return MakeQword(static_cast<std::int64_t>(x), out);
  return MakeDouble(fallback, out);
}

// A copy of the array in which each cell is replaced by f(cell).
template <typename F>
Value* MapCells(const Value* array, F f, Value* out) {
  Value* result = CopyValue(array);
  CellTable* cells = UniqueCells(result);
  for (std::uint32_t i = 0; i < cells->count; ++i) {
    Value* next = f(cells->cells()[i], i);
    FreeValue(cells->cells()[i]);
    cells->cells()[i] = next;
  }
  return Deliver(result, out);
}

Value* AddReal(const Value* p, const Value* q, Value* out) {
  if (p->type == ValueType::Double || q->type == ValueType::Double)
    return MakeDouble(DoubleOf(p) + DoubleOf(q), out);
  if (p->type == ValueType::Qword && q->type == ValueType::Qword) {
    const __int128 s = static_cast<__int128>(p->qword) + q->qword;
    return Qword128(s, static_cast<double>(p->qword) + static_cast<double>(q->qword), out);
  }
  __int128 pn, pd, qn, qd;
  FractionParts(p, pn, pd);
  FractionParts(q, qn, qd);
  return MakeExactQuotient(pn * qd + qn * pd, pd * qd, out);
}

Value* MultiplyReal(const Value* p, const Value* q, Value* out) {
  if (p->type == ValueType::Double || q->type == ValueType::Double)
    return MakeDouble(DoubleOf(p) * DoubleOf(q), out);
  if (p->type == ValueType::Qword && q->type == ValueType::Qword) {
    const __int128 s = static_cast<__int128>(p->qword) * q->qword;
    return Qword128(s, static_cast<double>(p->qword) * static_cast<double>(q->qword), out);
  }
  __int128 pn, pd, qn, qd;
  FractionParts(p, pn, pd);
  FractionParts(q, qn, qd);
  // |pn*qn| < 2^95 and pd*qd < 2^62: both fit 128 bits.
  return MakeExactQuotient(pn * qn, pd * qd, out);
}

Value* AddNumbers(const Value* p, const Value* q, Value* out) {
  if (IsComplex(p) && IsComplex(q)) {
    Held re = Hold(Add(p->pair.left, q->pair.left));
    Held im = Hold(Add(p->pair.right, q->pair.right));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsComplex(p)) {
    Held re = Hold(Add(p->pair.left, q));
    return MakeComplex(re.get(), p->pair.right, out);
  }
  if (IsComplex(q)) {
    Held re = Hold(Add(p, q->pair.left));
    Held zero = Hold(MakeQword(0));
    Held im = Hold(Add(zero.get(), q->pair.right));
    return MakeComplex(re.get(), im.get(), out);
  }
  return AddReal(p, q, out);
}

Value* MultiplyNumbers(const Value* p, const Value* q, Value* out) {
  if (IsComplex(p) && IsComplex(q)) {
    const Value* a = p->pair.left;
    const Value* b = p->pair.right;
    const Value* c = q->pair.left;
    const Value* d = q->pair.right;
    Held ac = Hold(Multiply(a, c));
    Held bd = Hold(Multiply(b, d));
    Held ad = Hold(Multiply(a, d));
    Held bc = Hold(Multiply(b, c));
    Held re = Hold(Subtract(ac.get(), bd.get()));
    Held im = Hold(Add(ad.get(), bc.get()));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsComplex(p)) {
    Held re = Hold(Multiply(p->pair.left, q));
    Held im = Hold(Multiply(p->pair.right, q));
    return MakeComplex(re.get(), im.get(), out);
  }
  if (IsComplex(q)) {
    Held re = Hold(Multiply(p, q->pair.left));
    Held im = Hold(Multiply(p, q->pair.right));
    return MakeComplex(re.get(), im.get(), out);
  }
  return MultiplyReal(p, q, out);
}

Value* MatrixProduct(const Value* p, const Value* q, Value* out) {
  const int pw = p->array.width;
  const int ph = p->array.height;
  const int qw = q->array.width;
  const int qh = q->array.height;
  Value* const* pc = p->array.table->cells();
  Value* const* qc = q->array.table->cells();
  if (pw == 1 && qw == 1 && ph == qh) {
    Held sum = Hold(MakeQword(0));
    for (int i = 0; i < ph; ++i) {
      Held term = Hold(Multiply(pc[i], qc[i]));
      sum = Hold(Add(sum.get(), term.get()));
    }
    return Deliver(sum.release(), out);
  }
  if (pw != qh) return MakeError(ErrorCode::ArraySizesDiffer, q, out);
  const std::int64_t cells = static_cast<std::int64_t>(ph) * qw;
  if (cells > 32767) {
    Held n = Hold(MakeQword(cells));
    return MakeError(ErrorCode::ArraySizeTooLarge, n.get(), out);
  }
  HeldCells table(MakeCellTable(static_cast<std::size_t>(cells)));
  for (int i = 0; i < ph; ++i) {
    for (int j = 0; j < qw; ++j) {
      Held sum = Hold(MakeQword(0));
      for (int k = 0; k < pw; ++k) {
        Held term = Hold(Multiply(pc[i * pw + k], qc[k * qw + j]));
        sum = Hold(Add(sum.get(), term.get()));
      }
      table->cells()[i * qw + j] = sum.release();
    }
  }
  return MakeArray(qw, ph, table.release(), out);
}

// 1/(c + di) -> (c - di)/(c*c + d*d), through the engine's arithmetic.
Value* PlainReciprocal(const Value* q) {
  const Value* c = q->pair.left;
  const Value* d = q->pair.right;
  Held cc = Hold(Multiply(c, c));
  Held dd = Hold(Multiply(d, d));
  Held m = Hold(Add(cc.get(), dd.get()));
  Held re = Hold(Divide(c, m.get()));
  Held minusD = Hold(Negate(d));
  Held im = Hold(Divide(minusD.get(), m.get()));
  return MakeComplex(re.get(), im.get());
}

// p / q for a complex q; p is a number or an infinity.
Value* ComplexQuotient(const Value* p, const Value* q, Value* out) {
  if (IsRational(q->pair.left) && IsRational(q->pair.right)) {
    // Exact while the reciprocal's parts stay fractions.
    Held reciprocal = Hold(PlainReciprocal(q));
    const Value* r = reciprocal.get();
    // A part beyond 32 bits turns double and may snap, the imaginary one
    // even to 0, which leaves no complex at all.
    if (r->type == ValueType::Complex && IsRational(r->pair.left) && IsRational(r->pair.right))
      return Multiply(p, r, out);
  }
  ComplexDouble pz, qz;
  if (FiniteParts(p, pz) && FiniteParts(q, qz)) {
    const ComplexDouble z = ScaledQuotient(pz, qz);
    Held re = Hold(MakeDouble(z.re));
    Held im = Hold(MakeDouble(z.im));
    return MakeComplex(re.get(), im.get(), out);
  }
  // An infinity points where 1/q points, in the direction of q's conjugate;
  // the reciprocal itself could snap to 0 and turn the quotient undefined.
  if (IsInfinity(p) && IsReal(q->pair.left) && IsReal(q->pair.right)) {
    Held minusD = Hold(Negate(q->pair.right));
    Held conjugate = Hold(MakeComplex(q->pair.left, minusD.get()));
    return Multiply(p, conjugate.get(), out);
  }
  Held reciprocal = Hold(PlainReciprocal(q));
  return Multiply(p, reciprocal.get(), out);
}

}  // namespace

Value* Add(const Value* a, const Value* b, Value* out) {
  if (a->type == ValueType::String) {
    // An error on the right is passed on first: "abc" - "d" reports the
    // failed negation of "d", not a missing string.
    if (IsError(b)) return PassError(b, out);
    if (b->type != ValueType::String) return MakeError(ErrorCode::NotAString, b, out);
    std::string text(TextOf(a));
    text += TextOf(b);
    return MakeString(text, out);
  }
  if (IsReal(a) && IsReal(b) && SimplifyKeepsLeaves()) return AddReal(a, b, out);
  Prepared prep = Prepare(a, b, Op::Add, out);
  if (prep.done) return prep.done;
  const Value* p = prep.p.get();
  const Value* q = prep.q.get();
  if (IsInfinity(p) || IsInfinity(q)) {
    const Value* inf = IsInfinity(p) ? p : q;
    const Value* other = IsInfinity(p) ? q : p;
    if (IsUndefined(other)) return Undefined(out);
    if (!AdmissibleBesideInfinity(other)) return MakeError(ErrorCode::NotANumber, other, out);
    if (IsComplex(other)) {
      Held re = Hold(IsInfinity(p) ? Add(p, other->pair.left) : Add(other->pair.left, q));
      return MakeComplex(re.get(), other->pair.right, out);
    }
    if (IsInfinity(other) && other->mathSymbol != inf->mathSymbol) return Undefined(out);
    return CopyValue(IsInfinity(p) ? p : q, out);
  }
  if (IsArray(p) && IsArray(q)) {
    if (p->array.width != q->array.width || p->array.height != q->array.height)
      return MakeError(ErrorCode::ArraySizesDiffer, q, out);
    Value* const* qc = q->array.table->cells();
    return MapCells(p, [&](const Value* cell, std::uint32_t i) { return Add(cell, qc[i]); },
                    out);
  }
  if (IsArray(p) || IsArray(q)) {
    const Value* other = IsArray(p) ? q : p;
    return MakeError(IsNumber(other) ? ErrorCode::ArrayOperand : ErrorCode::NotANumber, other, out);
  }
  return AddNumbers(p, q, out);
}

Value* Subtract(const Value* a, const Value* b, Value* out) {
  Held minusOne = Hold(MakeQword(-1));
  Held negated = Hold(Multiply(minusOne.get(), b));
  return Add(a, negated.get(), out);
}

Value* Negate(const Value* x, Value* out) {
  Held minusOne = Hold(MakeQword(-1));
  return Multiply(minusOne.get(), x, out);
}

Value* Multiply(const Value* a, const Value* b, Value* out) {
  if (IsReal(a) && IsReal(b) && SimplifyKeepsLeaves()) return MultiplyReal(a, b, out);
  Prepared prep = Prepare(a, b, Op::Multiply, out);
  if (prep.done) return prep.done;
  const Value* p = prep.p.get();
  const Value* q = prep.q.get();
  if (IsArray(p) && !IsArray(q))
    return MapCells(p, [&](const Value* cell, std::uint32_t) { return Multiply(cell, q); }, out);
  if (IsArray(q) && !IsArray(p))
    return MapCells(q, [&](const Value* cell, std::uint32_t) { return Multiply(p, cell); }, out);
  if (IsInfinity(p) || IsInfinity(q)) {
    const Value* inf = IsInfinity(p) ? p : q;
    const Value* other = IsInfinity(p) ? q : p;
    if (IsUndefined(other)) return Undefined(out);
    if (!AdmissibleBesideInfinity(other)) return MakeError(ErrorCode::NotANumber, other, out);
    if (IsComplex(other)) {
      Held re = Hold(Multiply(inf, other->pair.left));
      Held im = Hold(Multiply(inf, other->pair.right));
      return MakeComplex(re.get(), im.get(), out);
    }
    if (IsNumber(other) && IsZero(other)) return Undefined(out);
    Held zero = Hold(MakeQword(0));
    Held negative = Hold(Greater(zero.get(), other));
    const bool notNegative = negative->type == ValueType::Boolean && negative->boolean == 0;
    if (notNegative) return CopyValue(inf, out);
    return Opposite(inf, out);
  }
  if (IsArray(p) && IsArray(q)) return MatrixProduct(p, q, out);
  return MultiplyNumbers(p, q, out);
}

Value* Divide(const Value* a, const Value* b, Value* out) {
  Prepared prep = Prepare(a, b, Op::Divide, out);
  if (prep.done) return prep.done;
  const Value* p = prep.p.get();
  const Value* q = prep.q.get();
  // Beside an infinity only numbers and infinities can be divided.
  if (!IsNumber(p) && !IsInfinity(p)) return MakeError(ErrorCode::NotANumber, p, out);
  if (!IsNumber(q) && !IsInfinity(q)) return MakeError(ErrorCode::NotANumber, q, out);
  if (IsNumber(q) && IsZero(q)) {
    if (IsInfinity(p)) return CopyValue(p, out);
    Held s = Hold(MakeString("pow"));
    return MakeError(ErrorCode::DivisionByZero, s.get(), out);
  }
  if (IsInfinity(q)) {
    if (IsInfinity(p)) return Undefined(out);
    return MakeQword(0, out);
  }
  // An infinity keeps or flips its sign; 1/q would snap to 0 for a large q.
  if (IsInfinity(p) && IsReal(q)) return Multiply(p, q, out);
  if (IsRational(p) && IsRational(q)) {
    // Exact in one step: a large divisor must not turn the reciprocal into a
    // double when the quotient itself is a small fraction.
    __int128 pn, pd, qn, qd;
    FractionParts(p, pn, pd);
    FractionParts(q, qn, qd);
    return MakeExactQuotient(pn * qd, pd * qn, out);
  }
  if (q->type == ValueType::Ratio) {
    // A fraction's reciprocal is a fraction again, far above the zero snap.
    Held reciprocal = Hold(MakeExactQuotient(q->ratio.den, q->ratio.num));
    return Multiply(p, reciprocal.get(), out);
  }
  // One division, so that only the quotient meets the zero snap: the
  // reciprocal of a divisor above 1e13 would snap to 0 on its own.
  if (IsReal(p) && IsReal(q)) return MakeDouble(DoubleOf(p) / DoubleOf(q), out);
  if (IsReal(q)) {
    Held re = Hold(Divide(p->pair.left, q));
    Held im = Hold(Divide(p->pair.right, q));
    return MakeComplex(re.get(), im.get(), out);
  }
  return ComplexQuotient(p, q, out);
}

}  // namespace symcalc
