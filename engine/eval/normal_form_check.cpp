#include "eval/normal_form_check.h"

#ifdef SYMCALC_CHECK_NORMAL_FORM
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "eval/coefficients.h"
#include "eval/like_table.h"
#include "eval/simplify.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

[[noreturn]] void Violation(const char* rule, const Value* v) {
  std::fprintf(stderr, "normal form violated (%s): %s\n", rule, PrintValue(v).c_str());
  std::abort();
}

bool IsNumericOne(const Value* v) {
  return (v->type == ValueType::Qword && v->qword == 1) ||
         (v->type == ValueType::Double && v->dbl == 1.0);
}

// True when two terms of the short chain v (of op) are like.
bool WalkedChainHoldsLikeTerms(const Value* v, Chain op) {
  std::vector<const Value*> terms;
  const Value* p = v;
  for (; p->type == v->type; p = p->pair.left) terms.push_back(p->pair.right);
  terms.push_back(p);
  for (std::size_t i = 0; i < terms.size(); ++i) {
    for (std::size_t j = i + 1; j < terms.size(); ++j) {
      CoefficientScope scope;
      if (LikeTerms(terms[j], terms[i], op) == 1) return true;
    }
  }
  return false;
}

}  // namespace

// The order is checked between neighbours, likeness across the whole chain.
// A long chain is checked through a table of its terms by likeness key,
// which is taken over by the chain one term longer, so a chain built term by
// term costs a lookup per term.
void CheckNormalForm(const Value* v) {
  const ValueType t = v->type;
  if (t != ValueType::Plus && t != ValueType::Times && t != ValueType::Power) return;
  const Value* l = v->pair.left;
  const Value* r = v->pair.right;
  if (!IsSymbolic(l) && !IsSymbolic(r)) Violation("two concrete operands", v);
  if (t == ValueType::Power) {
    if (IsNumber(r) && (IsZero(r) || IsNumericOne(r))) Violation("neutral exponent", v);
    if (l->type == ValueType::Power) Violation("power of a power", v);
    return;
  }
  if (r->type == t) Violation("chain leans right", v);
  if (IsNumber(r)) Violation("number after a term", v);
  if (t == ValueType::Plus && IsZero(l)) Violation("zero term", v);
  if (t == ValueType::Times && (IsZero(l) || IsNumericOne(l))) Violation("neutral factor", v);
  const Chain op = t == ValueType::Plus ? Chain::Sum : Chain::Product;
  const Value* x = l->type == t ? l->pair.right : l;
  {
    CoefficientScope scope;
    const int order = TermOrder(x, r, op);
    if (order == 1 || order == 2) Violation("terms out of order", v);
  }
  if (IsShortChain(v, op)) {
    if (WalkedChainHoldsLikeTerms(v, op)) Violation("like terms not merged", v);
    return;
  }
  const Value* clash = nullptr;
  Engine().checkedChains.For(v, op, &clash);
  if (clash) Violation("like terms not merged", v);
}

}  // namespace symcalc
#endif
