#include "eval/exact_compare.h"

#include <cmath>

#include "eval/relations.h"
#include "values/number_limits.h"

namespace symcalc {
int CompareReal(const Value* a, const Value* b, bool* unordered) {
  *unordered = false;
  if (IsRational(a) && IsRational(b)) {
    __int128 an, ad, bn, bd;
    FractionParts(a, an, ad);
    FractionParts(b, bn, bd);
    // Denominators are positive and fit 32 bits, numerators 64: no overflow.
    const __int128 l = an * bd;
    const __int128 r = bn * ad;
    return l < r ? -1 : (l > r ? 1 : 0);
  }
  const double x = DoubleOf(a);
  const double y = DoubleOf(b);
  if (std::isnan(x) || std::isnan(y)) {
    *unordered = true;
    return 0;
  }
  return x < y ? -1 : (x > y ? 1 : 0);
}

bool NumberGreater(const Value* a, const Value* b) {
  if (!IsReal(a) || !IsReal(b)) return false;
  bool unordered;
  return CompareReal(a, b, &unordered) > 0 && !unordered;
}

bool NumberEqual(const Value* a, const Value* b) {
  const bool ca = a->type == ValueType::Complex;
  const bool cb = b->type == ValueType::Complex;
  if (ca && cb)
    return EqualHolds(a->pair.left, b->pair.left) && EqualHolds(a->pair.right, b->pair.right);
  if (ca || cb) return false;
  bool unordered;
  return CompareReal(a, b, &unordered) == 0 && !unordered;
}

}  // namespace symcalc
