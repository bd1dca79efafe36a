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
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "builtins/symbolic/merge_order.h"
#include "builtins/symbolic/packed_order.h"
#include "builtins/symbolic/term_chains.h"
#include "eval/cancel.h"
#include "eval/normal_form_check.h"
#include "eval/simplify.h"

namespace symcalc {
namespace {

constexpr std::size_t kMaxVariables = kMaxPackedVariables;
// Exponents are kept in 16 bits: monomials stay small, which matters more
// for speed than anything done with them. Higher powers take the general way.
constexpr std::uint32_t kMaxPower = 0xFFFF;

using Monomial = PackedMonomial;

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

// The exponent vector as two words of four 16-bit lanes.
struct ExponentWords {
  std::uint64_t lo;
  std::uint64_t hi;
};
ExponentWords WordsOf(const Monomial& m) {
  ExponentWords w;
  static_assert(sizeof(m.exps) == sizeof(w));
  std::memcpy(&w, m.exps.data(), sizeof(w));
  return w;
}

bool SameFactors(const Monomial& a, const Monomial& b) {
  const ExponentWords x = WordsOf(a);
  const ExponentWords y = WordsOf(b);
  return x.lo == y.lo && x.hi == y.hi;
}

std::uint64_t FactorsKey(const Monomial& m) {
  const ExponentWords w = WordsOf(m);
  std::uint64_t h = w.lo * 0x9e3779b97f4a7c15ULL ^ (w.hi + 0x632be59bd9b4e019ULL) * 0xc2b2ae3d27d4eb4fULL;
  // The table takes the low bits: spread the high ones into them.
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  return h ^ (h >> 33);
}

// Adds the exponents lane by lane; false when one passes kMaxPower. A lane
// that overflows carries out of its top bit, and the lowest such lane is
// found before its carry could disturb the lanes above.
bool AddExponents(std::uint64_t a, std::uint64_t b, std::uint64_t& sum) {
  constexpr std::uint64_t kTopBits = 0x8000800080008000ULL;
  static_assert(kMaxPower == 0xFFFF);
  sum = a + b;
  return (((a & b) | ((a | b) & ~sum)) & kTopBits) == 0;
}

bool Product(const Monomial& a, const Monomial& b, Monomial& out) {
  if (!MultiplyCoefficients(a, b, out)) return false;
  const ExponentWords x = WordsOf(a);
  const ExponentWords y = WordsOf(b);
  ExponentWords z;
  if (!AddExponents(x.lo, y.lo, z.lo) || !AddExponents(x.hi, y.hi, z.hi)) return false;
  std::memcpy(out.exps.data(), &z, sizeof(z));
  return true;
}

// The buffers of one power, reused from round to round: the largest ones
// are megabytes, and fresh ones each round would cost more in page faults
// than the work done in them.
struct Workspace {
  std::vector<Monomial> merged;
  std::vector<std::uint64_t> summaries;  // OrderSummary of each merged monomial
  std::vector<std::uint32_t> slots;
  std::vector<std::uint32_t> order;
  std::vector<std::uint32_t> scratch;
};

// Orders ws.merged the way the terms of a sum of records are ordered,
// leaving the order in ws.order.
void SortMerged(Workspace& ws) {
  ws.summaries.resize(ws.merged.size());
  for (std::size_t i = 0; i < ws.merged.size(); ++i) ws.summaries[i] = OrderSummary(ws.merged[i]);
  const Monomial* m = ws.merged.data();
  const std::uint64_t* s = ws.summaries.data();
  MergeOrder(ws.merged.size(), ws.order, ws.scratch, [m, s](std::uint32_t a, std::uint32_t b) {
    return FollowsInSum(m[a], s[a], m[b], s[b]);
  });
}

// Adding the terms one after the other to the chain must only ever append:
// a term that the sum order moves forward takes a path this file does not
// replay. (No two of them are like: like monomials have equal exponents, and
// those were merged.)
bool ChainsByAppending(const Workspace& ws) {
  for (std::size_t k = 1; k < ws.order.size(); ++k) {
    const std::uint32_t a = ws.order[k - 1];
    const std::uint32_t b = ws.order[k];
    if (FollowsInSum(ws.merged[a], ws.summaries[a], ws.merged[b], ws.summaries[b])) return false;
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
  merged.reserve(std::min(static_cast<double>(products), distinct));
  // Open addressing on the exponent vectors, at most half full; slots hold
  // 1 + the index in merged.
  const double entries = std::min(static_cast<double>(products), distinct);
  std::size_t size = 16;
  while (static_cast<double>(size) < 2 * entries) size *= 2;
  std::vector<std::uint32_t>& slots = ws.slots;
  slots.assign(size, 0);
  // The products of one result term are formed a batch at a time and their
  // slots fetched together, so that the table's cache misses overlap; they
  // are merged in their order all the same.
  constexpr std::size_t kBatch = 8;
  std::array<Monomial, kBatch> batch;
  std::array<std::size_t, kBatch> start;
  for (const Monomial& x : result) {
    if (CancelPending()) return false;
    for (std::size_t from = 0; from < sum.size(); from += kBatch) {
      const std::size_t count = std::min(kBatch, sum.size() - from);
      for (std::size_t j = 0; j < count; ++j) {
        if (!Product(x, sum[from + j], batch[j])) return false;
        start[j] = FactorsKey(batch[j]) & (size - 1);
        __builtin_prefetch(&slots[start[j]]);
      }
      for (std::size_t j = 0; j < count; ++j) {
        const Monomial& p = batch[j];
        std::size_t at = start[j];
        while (slots[at] != 0 && !SameFactors(merged[slots[at] - 1], p)) at = (at + 1) & (size - 1);
        if (slots[at] == 0) {
          slots[at] = static_cast<std::uint32_t>(merged.size() + 1);
          merged.push_back(p);
          continue;
        }
        if (!AddCoefficients(merged[slots[at] - 1], p)) return false;
      }
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

struct Factor {
  std::uint16_t var;
  std::uint16_t exp;  // at least 1
};

// A term as read: its coefficient, and its factors in the order of the
// record, numbered by the order their variables were met.
struct ReadTerm {
  Monomial coefficient;  // exponents unused
  std::uint32_t count = 0;
  std::array<Factor, kMaxVariables> factors{};
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

// A term of the sum as read; false when it is not a monomial.
bool ReadOne(const Value* t, Variables& vars, ReadTerm& out) {
  out = ReadTerm{};
  Monomial& c = out.coefficient;
  if (t->type == ValueType::Qword) {
    c.coef = t->qword;
    return c.coef != 0;
  }
  if (t->type == ValueType::Double) {
    c.real = true;
    c.real_coef = t->dbl;
    return RealCoefficientFits(c.real_coef);
  }
  const std::vector<const Value*> elements = ChainOperands(t, ValueType::Times);
  std::size_t first = 0;
  if (elements[0]->type == ValueType::Qword) {
    c.coef = elements[0]->qword;
    if (c.coef == 0 || c.coef == 1) return false;
    first = 1;
  } else if (elements[0]->type == ValueType::Double) {
    c.real = true;
    c.real_coef = elements[0]->dbl;
    if (!RealCoefficientFits(c.real_coef)) return false;
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

// Renumbers the variables by the byte order of their names, checks that
// every product lists its factors in that order, as products in normal form
// do (a sum whose terms do not is left to the general way), and gives the
// terms as exponent vectors.
bool RankVariables(Variables& vars, std::vector<ReadTerm>& read, std::vector<Monomial>& terms) {
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
  terms.clear();
  for (ReadTerm& t : read) {
    for (std::uint32_t i = 0; i < t.count; ++i) t.factors[i].var = static_cast<std::uint16_t>(rank[t.factors[i].var]);
    for (std::uint32_t i = 1; i < t.count; ++i)
      if (t.factors[i - 1].var >= t.factors[i].var) return false;
    Monomial m = t.coefficient;
    m.exps = {};
    for (std::uint32_t i = 0; i < t.count; ++i) m.exps[t.factors[i].var] = t.factors[i].exp;
    terms.push_back(m);
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
    for (std::uint32_t v = 0; v < kMaxVariables; ++v) {
      if (m.exps[v] == 0) continue;
      Value* element = Element(v, m.exps[v]);
      term = term ? Chained(ValueType::Times, term, element) : element;
    }
    return term;
  }

 private:
  Value* Element(std::uint32_t v, std::uint16_t exp) {
    const Value* var = vars_.records[v];
    if (exp == 1) return Retain(var);
    Value*& power = powers_[(static_cast<std::uint64_t>(v) << 32) | exp];
    if (!power) power = Chained(ValueType::Power, Retain(var), MakeQword(exp));
    return Retain(power);
  }

  const Variables& vars_;
  std::unordered_map<std::uint64_t, Value*> powers_;
  std::unordered_map<std::int64_t, Value*> coefficients_;
  std::unordered_map<std::uint64_t, Value*> reals_;  // by the bits of the double
};

// Appends the terms of the sum (or single term) v to `terms`; false when
// one is not a monomial.
bool ReadSum(const Value* v, Variables& vars, std::vector<ReadTerm>& terms) {
  for (const Value* t : ChainOperands(v, ValueType::Plus)) {
    ReadTerm m;
    if (!ReadOne(t, vars, m)) return false;
    terms.push_back(m);
  }
  return true;
}

// The records of the terms, chained with + in their order.
Value* BuildChain(const Variables& vars, const std::vector<Monomial>& terms) {
  // A + node per term after the first, a * node per element after the first.
  std::size_t records = 0;
  for (const Monomial& m : terms) records += FactorCount(m) + (HasCoefficient(m) ? 1 : 0);
  ReserveRecords(records);
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

// The two terms of a test comparison, read and ranked.
bool ReadPair(const Value* a, const Value* b, std::vector<Monomial>& terms) {
  Variables vars;
  std::vector<ReadTerm> read(2);
  if (!ReadOne(a, vars, read[0]) || !ReadOne(b, vars, read[1])) return false;
  return RankVariables(vars, read, terms);
}

}  // namespace

Value* PackedPowerOfSum(const Value* sum, std::int64_t n) {
  if (sum->type != ValueType::Plus || n < 2) return nullptr;
  Variables vars;
  std::vector<ReadTerm> read;
  std::vector<Monomial> base;
  if (!ReadSum(sum, vars, read) || !RankVariables(vars, read, base)) return nullptr;

  // Room for the last round up front: buffers that grew round by round
  // would be given back to the system and faulted in again each time.
  const std::size_t k = base.size();
  const double lastProducts = Choices(n - 1, k) * static_cast<double>(k);
  const double lastTerms = std::min(lastProducts, Choices(n, k));
  std::vector<Monomial> result = base;
  Workspace ws;
  if (lastProducts < 1e7) {
    const auto terms = static_cast<std::size_t>(lastTerms);
    result.reserve(terms);
    ws.merged.reserve(terms);
    ws.summaries.reserve(terms);
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
  std::vector<ReadTerm> read;
  if (!ReadSum(a, vars, read)) return nullptr;
  const std::size_t left = read.size();
  std::vector<Monomial> terms;
  if (!ReadSum(b, vars, read) || !RankVariables(vars, read, terms)) return nullptr;
  const std::vector<Monomial> as(terms.begin(), terms.begin() + static_cast<std::ptrdiff_t>(left));
  const std::vector<Monomial> bs(terms.begin() + static_cast<std::ptrdiff_t>(left), terms.end());
  Workspace ws;
  std::vector<Monomial> result;
  if (!Distribute(as, bs, static_cast<double>(as.size() * bs.size()), ws)) return nullptr;
  if (!SortedResult(ws, result)) return nullptr;
  return BuildChain(vars, result);
}

bool ComparePackedTerms(const Value* a, const Value* b, TermOrdering& order, int& like, bool& merge) {
  std::vector<Monomial> terms;
  if (!ReadPair(a, b, terms)) return false;
  PackedElement ea[kMaxVariables + 1];
  PackedElement eb[kMaxVariables + 1];
  const std::uint32_t la = ElementsOf(terms[0], ea);
  const std::uint32_t lb = ElementsOf(terms[1], eb);
  const PackedOrder r = ComparePackedElements(ea, la, eb, lb);
  order = r.order;
  like = r.like;
  merge = SameFactors(terms[0], terms[1]);
  return true;
}

bool PackedTermFollows(const Value* a, const Value* b, bool& follows) {
  std::vector<Monomial> terms;
  if (!ReadPair(a, b, terms)) return false;
  follows = FollowsInSum(terms[0], OrderSummary(terms[0]), terms[1], OrderSummary(terms[1]));
  return true;
}

}  // namespace symcalc
