// The sum order of monomial terms, answered from exponent vectors.
//
// Two products in a sum are compared operand by operand down their left
// spines, so their elements meet aligned from the last factor. With equal
// numbers of factors and coefficients of one type, that reduces to this:
// the first position where the kinds of the elements differ (a variable
// before a power, then by the variables' names) decides, unless before it a
// power's exponent differed and a plain variable came after it (then
// neither term must follow the other); with equal kinds, the last
// element's exponent decides. Terms with fewer factors come first, and
// integer coefficients before double ones. Most pairs therefore come apart
// on a summary of the kinds (OrderSummary); the rest, products with a
// variable after a differing power and terms without a coefficient, which
// meet other products misaligned, are walked element by element as the
// records would be. The term-order tests hold both to the record walk.
#include "builtins/symbolic/packed_order.h"

#include <algorithm>

#include "symcalc/value_type.h"

namespace symcalc {
namespace {

constexpr auto kQword = static_cast<std::uint8_t>(ValueType::Qword);
constexpr auto kDouble = static_cast<std::uint8_t>(ValueType::Double);
constexpr auto kVariable = static_cast<std::uint8_t>(ValueType::Variable);
constexpr auto kTimes = static_cast<std::uint8_t>(ValueType::Times);

bool IsCoefficient(const PackedElement& e) { return e.type == kQword || e.type == kDouble; }

TermOrdering FollowsIf(bool c) { return c ? TermOrdering::Follows : TermOrdering::Stays; }

TermOrdering NumberAboveIf(bool c) {
  return c ? TermOrdering::NumberAbove : TermOrdering::NumberAtMost;
}

// Two elements, inside a sum or outside any chain alike: the rules that look
// into products do not apply to elements, and a power is ordered by its
// variable's name, then by its exponent.
PackedOrder CompareElements(const PackedElement& x, const PackedElement& y) {
  if (x.type != y.type) return {FollowsIf(x.type > y.type), 0};
  switch (static_cast<ValueType>(x.type)) {
    case ValueType::Qword:
      return {NumberAboveIf(x.number > y.number), x.number == y.number ? 1 : -1};
    case ValueType::Double:
      return {NumberAboveIf(x.real > y.real), x.real == y.real ? 1 : -1};
    case ValueType::Variable:
      return {FollowsIf(x.var > y.var), x.var == y.var ? 1 : 0};
    default:
      if (x.var != y.var) return {FollowsIf(x.var > y.var), 0};
      return {NumberAboveIf(x.number > y.number), x.number == y.number ? 1 : 0};
  }
}

// The summary's fields, from the top: the number of factors and the
// coefficient's type (5 bits), the kind of each factor (5 bits each, a
// variable or a power of it; 0 past the end), the last exponent (16 bits),
// and two flags.
constexpr int kGroupShift = 59;
constexpr int kKindBits = 5;
constexpr int kFirstKindShift = kGroupShift - kKindBits;
constexpr int kLastExponentShift = 3;
// Neither term must follow the other when a differing power comes before
// a plain variable, wherever their later factors would place them: such
// products are compared one by one with the products of the same kinds up
// to that variable (their summaries are equal).
constexpr std::uint64_t kWalkWithinKind = 2;
// Terms without a coefficient, and numbers, are compared one by one with
// every term.
constexpr std::uint64_t kWalkAlways = 1;

// Two products with coefficients of one type and the same number of
// factors, aligned element by element: a differing kind decides, a plain
// variable after a differing exponent ties, and otherwise the last
// exponent decides.
bool AlignedFollows(const PackedMonomial& a, const PackedMonomial& b) {
  bool like = true;
  bool follows = false;
  std::uint32_t va = 0;
  std::uint32_t vb = 0;
  for (;;) {
    while (va < kMaxPackedVariables && a.exps[va] == 0) ++va;
    while (vb < kMaxPackedVariables && b.exps[vb] == 0) ++vb;
    if (va == kMaxPackedVariables || vb == kMaxPackedVariables) return follows;
    const std::uint16_t ea = a.exps[va];
    const std::uint16_t eb = b.exps[vb];
    const std::uint32_t kindA = (ea >= 2 ? 16 : 0) + va;
    const std::uint32_t kindB = (eb >= 2 ? 16 : 0) + vb;
    if (kindA != kindB) return kindA > kindB;
    if (ea == 1) {
      if (!like) return false;
      follows = false;
    } else {
      like = like && ea == eb;
      follows = ea > eb;
    }
    ++va;
    ++vb;
  }
}

}  // namespace

std::uint32_t FactorCount(const PackedMonomial& m) {
  std::uint32_t n = 0;
  for (const std::uint16_t e : m.exps) n += e != 0 ? 1 : 0;
  return n;
}

std::uint32_t ElementsOf(const PackedMonomial& m, PackedElement* out) {
  std::uint32_t n = 0;
  if (HasCoefficient(m))
    out[n++] = m.real ? PackedElement{kDouble, 0, 0, m.real_coef}
                      : PackedElement{kQword, 0, m.coef, 0};
  for (std::uint32_t v = 0; v < kMaxPackedVariables; ++v) {
    const std::uint16_t e = m.exps[v];
    if (e == 0) continue;
    out[n++] = PackedElement{e == 1 ? kVariable : static_cast<std::uint8_t>(ValueType::Power), v,
                             e, 0};
  }
  return n;
}

// Order and likeness of two terms of a sum, as the record walk finds them.
// Two products are compared operand by operand down their left spines: the
// chains line up from their last factors, and where the shorter one runs out
// its first element meets what is left of the longer one. That meeting is
// decided by the type of the nodes, except that a coefficient times one
// factor is looked through to the factor. Going back up, each level's order
// is its left operands' order unless that ties, then its last factors'.
PackedOrder ComparePackedElements(const PackedElement* a, std::uint32_t la,
                                  const PackedElement* b, std::uint32_t lb) {
  const std::uint32_t levels = std::min(la, lb) - 1;
  const std::uint32_t ka = la - levels;  // the prefixes that meet at the bottom
  const std::uint32_t kb = lb - levels;
  auto through = [](PackedOrder r) { return PackedOrder{r.order, r.like == 1 ? 1 : 0}; };
  PackedOrder r;
  if (ka == 1 && kb == 1) {
    r = CompareElements(a[0], b[0]);
  } else if (ka == 1) {
    if (kb == 2 && IsCoefficient(b[0]))
      r = through(CompareElements(a[0], b[1]));
    else
      r = {FollowsIf(a[0].type > kTimes), 0};
  } else {
    if (ka == 2 && IsCoefficient(a[0]))
      r = through(CompareElements(a[1], b[0]));
    else
      r = {FollowsIf(kTimes > b[0].type), 0};
  }
  for (std::uint32_t d = levels; d-- > 0;) {
    // Unlike operands below decide every level above: the order stays.
    if (r.like == 0 && (r.order == TermOrdering::Stays || r.order == TermOrdering::Follows)) break;
    const bool orderOnRight = r.order == TermOrdering::NumberAtMost ||
                              r.order == TermOrdering::NumberAbove || r.like == 1;
    const bool leftOk = r.like == 1 || r.like == -1;
    PackedOrder right{TermOrdering::Stays, 0};
    if ((r.order != TermOrdering::Follows && orderOnRight) || leftOk)
      right = CompareElements(a[la - d - 1], b[lb - d - 1]);
    r = PackedOrder{r.order == TermOrdering::Follows ? TermOrdering::Follows
                    : orderOnRight                   ? right.order
                                                     : TermOrdering::Stays,
                    leftOk && right.like == 1 ? 1 : 0};
  }
  return r;
}

std::uint64_t OrderSummary(const PackedMonomial& m) {
  const std::uint32_t count = FactorCount(m);
  if (count == 0 || !HasCoefficient(m)) return kWalkAlways;
  std::uint64_t s = static_cast<std::uint64_t>(2 * count + (m.real ? 1 : 0)) << kGroupShift;
  int shift = kFirstKindShift;
  bool power = false;
  std::uint16_t last = 0;
  for (std::uint32_t v = 0; v < kMaxPackedVariables; ++v) {
    const std::uint16_t e = m.exps[v];
    if (e == 0) continue;
    const bool isPower = e >= 2;
    s |= static_cast<std::uint64_t>(1 + (isPower ? 8 : 0) + v) << shift;
    shift -= kKindBits;
    if (!isPower && power) return s | kWalkWithinKind;
    power = power || isPower;
    last = e;
  }
  return s | static_cast<std::uint64_t>(last) << kLastExponentShift;
}

bool FollowsInSum(const PackedMonomial& a, std::uint64_t sa, const PackedMonomial& b,
                  std::uint64_t sb) {
  if (((sa | sb) & kWalkAlways) == 0 && (sa != sb || (sa & kWalkWithinKind) == 0))
    return sa > sb;
  // Equal summaries without the flag for every term have equal numbers of
  // factors and coefficients of one type.
  if (((sa | sb) & kWalkAlways) == 0) return AlignedFollows(a, b);
  PackedElement ea[kMaxPackedVariables + 1];
  PackedElement eb[kMaxPackedVariables + 1];
  const std::uint32_t la = ElementsOf(a, ea);
  const std::uint32_t lb = ElementsOf(b, eb);
  return MustFollow(ComparePackedElements(ea, la, eb, lb).order);
}

}  // namespace symcalc
