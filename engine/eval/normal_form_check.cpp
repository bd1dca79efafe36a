#include "eval/normal_form_check.h"

#ifdef SYMCALC_CHECK_NORMAL_FORM
#include <cstdio>
#include <cstdlib>

#include "eval/coefficients.h"
#include "eval/simplify.h"
#include "syntax/printer.h"

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

}  // namespace

// Checks the node against its neighbours only: the rest of each chain was
// checked when it was built, so the cost stays constant per node.
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
  CoefficientScope scope;
  if (LikeTerms(x, r, op) == 1) Violation("like terms not merged", v);
}

}  // namespace symcalc
#endif
