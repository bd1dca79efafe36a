#include "builtins/symbolic/polynomial_degree.h"

#include "builtins/symbolic/term_chains.h"
#include "builtins/symbolic/variable_search.h"

namespace symcalc {
namespace {

struct Analysis {
  std::string_view name;
  bool recording;
  CoefficientList* list;

  CoefficientEntry& Current() {
    if (list->empty()) list->push_back({Hold(MakeQword(1)), 0});
    return list->back();
  }
  void Record(const Value* factor) {
    if (!recording) return;
    CoefficientEntry& entry = Current();
    entry.coefficient = Hold(Multiply(entry.coefficient.get(), factor));
  }
  void AddPower(std::int64_t n) {
    if (recording) Current().power += n;
  }
};

std::int64_t Degree(const Value* t, int flags, Analysis& a);

std::int64_t SumDegree(const Value* t, int flags, Analysis& a) {
  bool anyFree = false;
  std::int64_t negative = 0;
  std::int64_t highest = 0;
  for (const Value* term : ChainOperands(t, ValueType::Plus)) {
    if (a.recording) a.list->push_back({Hold(MakeQword(1)), 0});
    const std::int64_t d = Degree(term, flags, a);
    if (d == 0) anyFree = true;
    if (d < 0 && negative == 0) negative = d;
    if (d > highest) highest = d;
  }
  if (!a.recording && anyFree) return 0;
  return negative != 0 ? negative : highest;
}

// A factor that holds the variable other than as a plain power of it makes
// the whole product no polynomial.
std::int64_t ProductDegree(const Value* t, int flags, Analysis& a) {
  std::int64_t total = 0;
  for (const Value* f : ChainOperands(t, ValueType::Times)) {
    const std::int64_t d = Degree(f, flags & ~kDescendIntoSums, a);
    if (d < 0) return d;
    total += d;
  }
  return total;
}

std::int64_t Degree(const Value* t, int flags, Analysis& a) {
  switch (t->type) {
    case ValueType::Plus:
      if (flags & kDescendIntoSums) return SumDegree(t, flags, a);
      break;
    case ValueType::Times:
      return ProductDegree(t, flags, a);
    case ValueType::Power: {
      const Value* base = t->pair.left;
      if (base->type == ValueType::Variable && TextOf(base) == a.name) {
        const Value* exponent = t->pair.right;
        if (exponent->type != ValueType::Qword) return -1;
        a.AddPower(exponent->qword);
        return exponent->qword;
      }
      break;
    }
    case ValueType::Variable:
      if (TextOf(t) == a.name) {
        a.AddPower(1);
        return 1;
      }
      break;
    default:
      break;
  }
  // Whatever else holds the variable (2^x, sin(x), (1+x)^(1/2), a sum inside
  // a product) is no power of it.
  if (ContainsVariable(t, a.name)) return -1;
  // Only values the arithmetic can carry into the quadratic formula make a
  // coefficient; a symbol or a relation among the factors makes none.
  const bool computable = IsNumber(t) || t->type == ValueType::Variable ||
                          t->type == ValueType::Function || t->type == ValueType::Plus ||
                          t->type == ValueType::Times || t->type == ValueType::Power;
  if (!computable) return -1;
  a.Record(t);
  return 0;
}

}  // namespace

std::int64_t PolynomialDegree(const Value* t, std::string_view name, int flags,
                              CoefficientList* list) {
  CoefficientList scratch;
  Analysis a{name, (flags & kRecordCoefficients) != 0, list ? list : &scratch};
  return Degree(t, flags, a);
}

}  // namespace symcalc
