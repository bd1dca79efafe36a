// sum^n and products of sums multiplied out on exponent vectors instead of
// expression records.
//
// The general way multiplies the growing result by the sum once per factor,
// and each round does three things with records: it forms every product of a
// result term and a sum term, merges like products into the first of them,
// and sorts what is left with the sum order of terms before chaining it. The
// sum order is not a total order on monomials (a product without a
// coefficient is one factor shorter than its like terms with one, so the two
// are compared factor against misaligned factor), which makes the order of
// the result depend on the way it was built. So this file does not sort by a
// cleaner order of its own: it replays the same three steps, the same merge
// sort with the same comparisons, on packed monomials, with the term order and
// the likeness test answered from the elements of the records the monomials
// stand for, as the walk over those records would answer them, without
// building them. A product of two sums is one such round. Records are built
// once, for the final chain; differential tests hold the two ways to the same
// chains.
#include "builtins/symbolic/packed_power.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "builtins/symbolic/merge_order.h"
#include "builtins/symbolic/term_chains.h"
#include "eval/cancel.h"
#include "eval/normal_form_check.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

constexpr std::size_t kMaxVariables = 8;
// Exponents are kept in 16 bits: monomials stay small, which matters more
// for speed than anything done with them. Higher powers take the general way.
constexpr std::uint32_t kMaxPower = 0xFFFF;

struct Factor {
  std::uint16_t var;  // rank of the variable's name in byte order
  std::uint16_t exp;  // at least 1
};

// coef * v1^e1 * ... with the factors in the order of their variables' names;
// without factors it is the number coef. A coefficient that left 64 bits is
// the double the engine's arithmetic made of it (`real` set, value in
// `real_coef`): exact integers turn into doubles on overflow, and from then
// on the term's coefficient is computed in doubles.
struct Monomial {
  std::int64_t coef = 1;
  double real_coef = 0;
  bool real = false;
  std::uint32_t count = 0;
  std::array<Factor, kMaxVariables> factors{};  // the first `count` are used
};

// The record of a monomial is a left-nested product chain: the coefficient
// first (left out when it is the integer 1 and there are factors), then one
// element per factor, a variable or a power of it.
bool HasCoefficient(const Monomial& m) { return m.real || m.coef != 1 || m.count == 0; }

double RealOf(const Monomial& m) { return m.real ? m.real_coef : static_cast<double>(m.coef); }

// A double coefficient near 0 or 1 would be rounded to 0, or dropped as a
// factor of one, by the arithmetic on records; such terms take the general
// way. Doubles arise here only from integers beyond 64 bits, so this bound
// only turns away sums whose large terms cancel.
bool RealCoefficientFits(double c) { return std::isfinite(c) && std::fabs(c) >= 0x1p62; }

// The coefficient of a*b for the coefficients x and y of two terms, as the
// product of two numbers is computed: exact for two integers while it fits
// 64 bits, the product of their doubles otherwise.
bool MultiplyCoefficients(const Monomial& x, const Monomial& y, Monomial& out) {
  if (!x.real && !y.real) {
    const __int128 c = static_cast<__int128>(x.coef) * y.coef;
    if (c >= INT64_MIN && c <= INT64_MAX) {
      out.coef = static_cast<std::int64_t>(c);
      out.real = false;
      return true;
    }
  }
  const double d = RealOf(x) * RealOf(y);
  out.real = true;
  out.real_coef = d;
  return RealCoefficientFits(d);
}

// The coefficient of two like terms merged, as the sum of two numbers is
// computed; false when they cancel or leave what the records model.
bool AddCoefficients(Monomial& into, const Monomial& p) {
  if (!into.real && !p.real) {
    const __int128 c = static_cast<__int128>(into.coef) + p.coef;
    if (c == 0) return false;
    if (c >= INT64_MIN && c <= INT64_MAX) {
      into.coef = static_cast<std::int64_t>(c);
      return true;
    }
  }
  const double d = RealOf(into) + RealOf(p);
  into.real = true;
  into.real_coef = d;
  return RealCoefficientFits(d);
}
std::uint32_t ElementCount(const Monomial& m) { return (HasCoefficient(m) ? 1 : 0) + m.count; }

// One element of that chain as the term order sees it: the integer
// coefficient (a qword or a double), a variable, or a power of a variable
// with an integer exponent.
struct Element {
  ValueType type;
  std::int64_t number;  // the integer coefficient or the exponent
  std::uint32_t var;
  double real = 0;  // the double coefficient
};

Element ElementOf(const Monomial& m, std::uint32_t j) {
  const bool lead = HasCoefficient(m);
  if (lead && j == 0)
    return m.real ? Element{ValueType::Double, 0, 0, m.real_coef}
                  : Element{ValueType::Qword, m.coef, 0};
  const Factor& f = m.factors[j - (lead ? 1 : 0)];
  return Element{f.exp == 1 ? ValueType::Variable : ValueType::Power, f.exp, f.var};
}

bool IsCoefficient(const Element& e) {
  return e.type == ValueType::Qword || e.type == ValueType::Double;
}

// TermOrder and LikeTerms of two records, answered together.
struct OrderLike {
  TermOrdering order;
  int like;
};

TermOrdering FollowsIf(bool c) { return c ? TermOrdering::Follows : TermOrdering::Stays; }

TermOrdering NumberAboveIf(bool c) {
  return c ? TermOrdering::NumberAbove : TermOrdering::NumberAtMost;
}

// Two elements, inside a sum or outside any chain alike: the rules that look
// into products do not apply to elements, and a power is ordered by its
// variable's name, then by its exponent.
OrderLike CompareElements(const Element& x, const Element& y) {
  if (x.type != y.type) return {FollowsIf(x.type > y.type), 0};
  switch (x.type) {
    case ValueType::Qword:
      return {NumberAboveIf(x.number > y.number), x.number == y.number ? 1 : -1};
    case ValueType::Double:
      return {NumberAboveIf(x.real > y.real), x.real == y.real ? 1 : -1};
    case ValueType::Variable:
      return {FollowsIf(x.var > y.var), x.var == y.var ? 1 : 0};
    default:
      // Two powers of one variable: the exponents compare as numbers, but
      // unequal ones leave the powers unlike.
      if (x.var != y.var) return {FollowsIf(x.var > y.var), 0};
      return {NumberAboveIf(x.number > y.number), x.number == y.number ? 1 : 0};
  }
}

// Order and likeness of two terms of a sum, as the record walk finds them.
// Two products are compared operand by operand down their left spines: the
// chains line up from their last factors, and where the shorter one runs out
// its first element meets what is left of the longer one. That meeting is
// decided by the type of the nodes, except that a coefficient times one
// factor is looked through to the factor. Going back up, each level's order
// is its left operands' order unless that ties, then its last factors'.
OrderLike CompareTerms(const Monomial& a, const Monomial& b) {
  const std::uint32_t la = ElementCount(a);
  const std::uint32_t lb = ElementCount(b);
  const std::uint32_t levels = std::min(la, lb) - 1;
  const std::uint32_t ka = la - levels;  // the prefixes that meet at the bottom
  const std::uint32_t kb = lb - levels;
  auto through = [](OrderLike r) { return OrderLike{r.order, r.like == 1 ? 1 : 0}; };
  OrderLike r;
  if (ka == 1 && kb == 1) {
    r = CompareElements(ElementOf(a, 0), ElementOf(b, 0));
  } else if (ka == 1) {
    if (kb == 2 && IsCoefficient(ElementOf(b, 0)))
      r = through(CompareElements(ElementOf(a, 0), ElementOf(b, 1)));
    else
      r = {FollowsIf(ElementOf(a, 0).type > ValueType::Times), 0};
  } else {
    if (ka == 2 && IsCoefficient(ElementOf(a, 0)))
      r = through(CompareElements(ElementOf(a, 1), ElementOf(b, 0)));
    else
      r = {FollowsIf(ValueType::Times > ElementOf(b, 0).type), 0};
  }
  for (std::uint32_t d = levels; d-- > 0;) {
    // Unlike operands below decide every level above: the order stays.
    if (r.like == 0 && (r.order == TermOrdering::Stays || r.order == TermOrdering::Follows)) break;
    const bool orderOnRight = r.order == TermOrdering::NumberAtMost ||
                              r.order == TermOrdering::NumberAbove || r.like == 1;
    const bool leftOk = r.like == 1 || r.like == -1;
    OrderLike right{TermOrdering::Stays, 0};
    if ((r.order != TermOrdering::Follows && orderOnRight) || leftOk)
      right = CompareElements(ElementOf(a, la - d - 1), ElementOf(b, lb - d - 1));
    r = OrderLike{r.order == TermOrdering::Follows ? TermOrdering::Follows
                  : orderOnRight                   ? right.order
                                                   : TermOrdering::Stays,
                  leftOk && right.like == 1 ? 1 : 0};
  }
  return r;
}

bool MustFollow(const Monomial& later, const Monomial& earlier) {
  return MustFollow(CompareTerms(later, earlier).order);
}

// The buffers of one power, reused from round to round: the largest ones
// are megabytes, and fresh ones each round would cost more in page faults
// than the work done in them.
struct Workspace {
  std::vector<Monomial> merged;
  std::vector<std::uint32_t> slots;
  std::vector<std::uint32_t> order;
  std::vector<std::uint32_t> scratch;
};

// Orders ws.merged the way the terms of a sum of records are ordered,
// leaving the order in ws.order.
void SortMerged(Workspace& ws) {
  MergeOrder(ws.merged.size(), ws.order, ws.scratch, [&](std::uint32_t a, std::uint32_t b) {
    return MustFollow(ws.merged[a], ws.merged[b]);
  });
}

// Adding the terms one after the other to the chain must only ever append:
// a term that the sum order moves forward, or that is like the one before
// it, takes a path this file does not replay.
bool ChainsByAppending(const Workspace& ws) {
  for (std::size_t k = 1; k < ws.order.size(); ++k) {
    const OrderLike r = CompareTerms(ws.merged[ws.order[k - 1]], ws.merged[ws.order[k]]);
    if (MustFollow(r.order) || r.like == 1) return false;
  }
  return true;
}

bool SameFactors(const Monomial& a, const Monomial& b) {
  if (a.count != b.count) return false;
  for (std::uint32_t i = 0; i < a.count; ++i)
    if (a.factors[i].var != b.factors[i].var || a.factors[i].exp != b.factors[i].exp)
      return false;
  return true;
}

std::uint64_t FactorsKey(const Monomial& m) {
  std::uint64_t h = m.count;
  for (std::uint32_t i = 0; i < m.count; ++i) {
    const std::uint64_t x = (static_cast<std::uint64_t>(m.factors[i].var) << 32) | m.factors[i].exp;
    h ^= x + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  }
  // The table takes the low bits: spread the high ones into them.
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  return h ^ (h >> 33);
}

bool Product(const Monomial& a, const Monomial& b, Monomial& out) {
  if (!MultiplyCoefficients(a, b, out)) return false;
  out.count = 0;
  std::uint32_t i = 0;
  std::uint32_t j = 0;
  while (i < a.count || j < b.count) {
    Factor f;
    if (j == b.count || (i < a.count && a.factors[i].var < b.factors[j].var)) {
      f = a.factors[i++];
    } else if (i == a.count || b.factors[j].var < a.factors[i].var) {
      f = b.factors[j++];
    } else {
      const std::uint32_t exp = std::uint32_t{a.factors[i].exp} + b.factors[j].exp;
      if (exp > kMaxPower) return false;
      f = Factor{a.factors[i].var, static_cast<std::uint16_t>(exp)};
      ++i;
      ++j;
    }
    out.factors[out.count++] = f;
  }
  return true;
}

// The number of ways to choose p of k terms, repetitions allowed,
// C(p+k-1, k-1): the most terms the p-th power of a k-term sum can have.
double Choices(std::int64_t p, std::size_t k) {
  double c = 1;
  for (std::size_t j = 1; j < k; ++j)
    c = c * static_cast<double>(p + static_cast<std::int64_t>(j)) / static_cast<double>(j);
  return c;
}

// Every result term times every sum term, each product merged into the first
// earlier one it is like; at most `distinct` different products can arise.
// False when like terms would cancel or a double coefficient would leave
// the range modelled here.
bool Distribute(const std::vector<Monomial>& result, const std::vector<Monomial>& sum,
                double distinct, Workspace& ws) {
  const std::size_t products = result.size() * sum.size();
  std::vector<Monomial>& merged = ws.merged;
  merged.clear();
  merged.reserve(products);
  // Open addressing on the factor lists, at most half full; slots hold
  // 1 + the index in merged.
  const double entries = std::min(static_cast<double>(products), distinct);
  std::size_t size = 16;
  while (static_cast<double>(size) < 2 * entries) size *= 2;
  std::vector<std::uint32_t>& slots = ws.slots;
  slots.assign(size, 0);
  Monomial p;
  for (const Monomial& x : result) {
    if (CancelPending()) return false;
    for (const Monomial& y : sum) {
      if (!Product(x, y, p)) return false;
      std::size_t at = FactorsKey(p) & (size - 1);
      while (slots[at] != 0 && !SameFactors(merged[slots[at] - 1], p)) at = (at + 1) & (size - 1);
      if (slots[at] == 0) {
        slots[at] = static_cast<std::uint32_t>(merged.size() + 1);
        merged.push_back(p);
        continue;
      }
      if (!AddCoefficients(merged[slots[at] - 1], p)) return false;
    }
  }
  return true;
}

// ---- reading the sum and building the result -----------------------------

struct Variables {
  std::vector<const Value*> records;  // in the order met; by name once ranked
  // Number of the variable with this record's name, adding it when new.
  std::uint16_t Index(const Value* v) {
    for (std::size_t i = 0; i < records.size(); ++i)
      if (TextOf(records[i]) == TextOf(v)) return static_cast<std::uint16_t>(i);
    records.push_back(v);
    return static_cast<std::uint16_t>(records.size() - 1);
  }
};

bool ReadFactor(const Value* f, Variables& vars, Factor& out) {
  if (f->type == ValueType::Variable) {
    out = Factor{vars.Index(f), 1};
    return vars.records.size() <= kMaxVariables;
  }
  if (f->type != ValueType::Power || f->pair.left->type != ValueType::Variable ||
      f->pair.right->type != ValueType::Qword)
    return false;
  const std::int64_t e = f->pair.right->qword;
  if (e < 2 || e > kMaxPower) return false;
  out = Factor{vars.Index(f->pair.left), static_cast<std::uint16_t>(e)};
  return vars.records.size() <= kMaxVariables;
}

// A term of the sum as a monomial, its factors still numbered in the order
// their variables were met; false when it is not a monomial.
bool ReadTerm(const Value* t, Variables& vars, Monomial& out) {
  out = Monomial{};
  if (t->type == ValueType::Qword) {
    out.coef = t->qword;
    return out.coef != 0;
  }
  if (t->type == ValueType::Double) {
    out.real = true;
    out.real_coef = t->dbl;
    return RealCoefficientFits(out.real_coef);
  }
  const std::vector<const Value*> elements = ChainOperands(t, ValueType::Times);
  std::size_t first = 0;
  if (elements[0]->type == ValueType::Qword) {
    out.coef = elements[0]->qword;
    if (out.coef == 0 || out.coef == 1) return false;
    first = 1;
  } else if (elements[0]->type == ValueType::Double) {
    out.real = true;
    out.real_coef = elements[0]->dbl;
    if (!RealCoefficientFits(out.real_coef)) return false;
    first = 1;
  }
  if (elements.size() == first || elements.size() - first > kMaxVariables) return false;
  for (std::size_t i = first; i < elements.size(); ++i) {
    Factor f;
    if (!ReadFactor(elements[i], vars, f)) return false;
    out.factors[out.count++] = f;
  }
  return true;
}

// Renumbers the variables by the byte order of their names and checks that
// every product lists its factors in that order, as products in normal form
// do; a sum whose terms do not is left to the general way.
bool RankVariables(Variables& vars, std::vector<Monomial>& terms) {
  const std::size_t n = vars.records.size();
  if (n > kMaxVariables) return false;
  std::vector<std::uint32_t> order(n);
  for (std::uint32_t i = 0; i < n; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return TextOf(vars.records[a]) < TextOf(vars.records[b]);
  });
  std::vector<std::uint32_t> rank(n);
  std::vector<const Value*> ranked(n);
  for (std::uint32_t r = 0; r < n; ++r) {
    rank[order[r]] = r;
    ranked[r] = vars.records[order[r]];
  }
  vars.records = std::move(ranked);
  for (Monomial& m : terms) {
    for (std::uint32_t i = 0; i < m.count; ++i) m.factors[i].var = rank[m.factors[i].var];
    for (std::uint32_t i = 1; i < m.count; ++i)
      if (m.factors[i - 1].var >= m.factors[i].var) return false;
  }
  return true;
}

Value* Chained(ValueType op, Value* left, Value* right) {
  Value* node = MakeRawPair(op, left, right);
  MarkSimplified(node);
  return node;
}

// Builds the records of the terms. Each power of a variable and each
// coefficient is one record shared by every term it occurs in: records are
// never changed once shared, thousands of terms repeat a few dozen powers and
// a few hundred coefficients, and every record saved is memory a fresh
// process does not have to fault in.
class TermBuilder {
 public:
  explicit TermBuilder(const Variables& vars) : vars_(vars) {}
  TermBuilder(const TermBuilder&) = delete;
  TermBuilder& operator=(const TermBuilder&) = delete;
  ~TermBuilder() {
    for (auto& entry : powers_) FreeValue(entry.second);
    for (auto& entry : coefficients_) FreeValue(entry.second);
    for (auto& entry : reals_) FreeValue(entry.second);
  }

  Value* Build(const Monomial& m) {
    Value* term = nullptr;
    if (m.real) {
      Value*& c = reals_[std::bit_cast<std::uint64_t>(m.real_coef)];
      if (!c) c = MakeDouble(m.real_coef);
      term = Retain(c);
    } else if (HasCoefficient(m)) {
      Value*& c = coefficients_[m.coef];
      if (!c) c = MakeQword(m.coef);
      term = Retain(c);
    }
    for (std::uint32_t i = 0; i < m.count; ++i) {
      Value* element = Element(m.factors[i]);
      term = term ? Chained(ValueType::Times, term, element) : element;
    }
    return term;
  }

 private:
  Value* Element(const Factor& f) {
    const Value* var = vars_.records[f.var];
    if (f.exp == 1) return Retain(var);
    Value*& power = powers_[(static_cast<std::uint64_t>(f.var) << 32) | f.exp];
    if (!power) power = Chained(ValueType::Power, Retain(var), MakeQword(f.exp));
    return Retain(power);
  }

  const Variables& vars_;
  std::unordered_map<std::uint64_t, Value*> powers_;
  std::unordered_map<std::int64_t, Value*> coefficients_;
  std::unordered_map<std::uint64_t, Value*> reals_;  // by the bits of the double
};

// Appends the terms of the sum (or single term) v to `terms`; false when
// one is not a monomial.
bool ReadSum(const Value* v, Variables& vars, std::vector<Monomial>& terms) {
  for (const Value* t : ChainOperands(v, ValueType::Plus)) {
    Monomial m;
    if (!ReadTerm(t, vars, m)) return false;
    terms.push_back(m);
  }
  return true;
}

// The records of the terms, chained with + in their order.
Value* BuildChain(const Variables& vars, const std::vector<Monomial>& terms) {
  TermBuilder builder(vars);
  Value* chain = builder.Build(terms[0]);
  for (std::size_t k = 1; k < terms.size(); ++k)
    chain = Chained(ValueType::Plus, chain, builder.Build(terms[k]));
  CheckNormalForm(chain);
  return chain;
}

// ws.merged in its sorted order, when chaining it only appends.
bool SortedResult(Workspace& ws, std::vector<Monomial>& result) {
  SortMerged(ws);
  if (!ChainsByAppending(ws)) return false;
  result.resize(ws.order.size());
  for (std::size_t k = 0; k < ws.order.size(); ++k) result[k] = ws.merged[ws.order[k]];
  return true;
}

}  // namespace

Value* PackedPowerOfSum(const Value* sum, std::int64_t n) {
  if (sum->type != ValueType::Plus || n < 2) return nullptr;
  Variables vars;
  std::vector<Monomial> base;
  if (!ReadSum(sum, vars, base) || !RankVariables(vars, base)) return nullptr;

  // Room for the last round up front: buffers that grew round by round
  // would be given back to the system and faulted in again each time.
  const std::size_t k = base.size();
  const double lastProducts = Choices(n - 1, k) * static_cast<double>(k);
  const double lastTerms = std::min(lastProducts, Choices(n, k));
  std::vector<Monomial> result = base;
  Workspace ws;
  if (lastProducts < 1e7) {
    const auto products = static_cast<std::size_t>(lastProducts);
    const auto terms = static_cast<std::size_t>(lastTerms);
    result.reserve(terms);
    ws.merged.reserve(products);
    ws.order.reserve(terms);
    ws.scratch.reserve(terms);
    std::size_t slots = 16;
    while (slots < 2 * terms) slots *= 2;
    ws.slots.reserve(slots);
  }
  for (std::int64_t i = 2; i <= n; ++i) {
    if (CancelPending()) return Abandoned(sum);
    if (!Distribute(result, base, Choices(i, k), ws))
      return CancelPending() ? Abandoned(sum) : nullptr;
    if (!SortedResult(ws, result)) return nullptr;
  }
  return BuildChain(vars, result);
}

Value* PackedProduct(const Value* a, const Value* b) {
  Variables vars;
  std::vector<Monomial> terms;
  if (!ReadSum(a, vars, terms)) return nullptr;
  const std::size_t left = terms.size();
  if (!ReadSum(b, vars, terms) || !RankVariables(vars, terms)) return nullptr;
  const std::vector<Monomial> as(terms.begin(), terms.begin() + static_cast<std::ptrdiff_t>(left));
  const std::vector<Monomial> bs(terms.begin() + static_cast<std::ptrdiff_t>(left), terms.end());
  Workspace ws;
  std::vector<Monomial> result;
  if (!Distribute(as, bs, static_cast<double>(as.size() * bs.size()), ws)) return nullptr;
  if (!SortedResult(ws, result)) return nullptr;
  return BuildChain(vars, result);
}

bool ComparePackedTerms(const Value* a, const Value* b, TermOrdering& order, int& like, bool& merge) {
  Variables vars;
  std::vector<Monomial> terms(2);
  if (!ReadTerm(a, vars, terms[0]) || !ReadTerm(b, vars, terms[1])) return false;
  if (!RankVariables(vars, terms)) return false;
  const OrderLike r = CompareTerms(terms[0], terms[1]);
  order = r.order;
  like = r.like;
  merge = SameFactors(terms[0], terms[1]);
  return true;
}

}  // namespace symcalc
