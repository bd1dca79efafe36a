// Questions the tests ask about the chains of a result.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "eval/simplify.h"
#include "values/value.h"

namespace symcalc::testing {

// True when some sum or product chain inside v holds two terms (factors) for
// which LikeTerms is 1, wherever they stand in it.
inline bool HoldsLikeTermsApart(const Value* v) {
  if (v->type == ValueType::Function) {
    for (const Value* a : v->function.args)
      if (a && HoldsLikeTermsApart(a)) return true;
    return false;
  }
  if (!IsOperator(v)) return false;
  if (v->type != ValueType::Plus && v->type != ValueType::Times)
    return HoldsLikeTermsApart(v->pair.left) || HoldsLikeTermsApart(v->pair.right);
  const Chain op = v->type == ValueType::Plus ? Chain::Sum : Chain::Product;
  std::vector<const Value*> terms;  // last first
  const Value* p = v;
  for (; p->type == v->type; p = p->pair.left) terms.push_back(p->pair.right);
  terms.push_back(p);
  for (std::size_t i = 0; i < terms.size(); ++i) {
    if (HoldsLikeTermsApart(terms[i])) return true;
    for (std::size_t j = i + 1; j < terms.size(); ++j) {
      if (LikeTerms(terms[j], terms[i], op) == 1) return true;
    }
  }
  return false;
}

// FNV-1a of a printed result: recorded results are kept as these.
inline std::uint64_t TextHash(std::string_view s) {
  std::uint64_t h = 1469598103934665603ULL;
  for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return h;
}

}  // namespace symcalc::testing
