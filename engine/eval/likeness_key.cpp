#include "eval/likeness_key.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "state/engine_state.h"

namespace symcalc {
namespace {

constexpr int kHashDepth = 48;  // deeper structure only costs collisions

std::uint64_t Mix(std::uint64_t h, std::uint64_t x) {
  return h ^ (x + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

// Numbers that compare equal (2, 2.0, 4/2) share a key.
std::uint64_t NumberKey(double d) {
  if (d == 0) return 0;
  if (d != d) return 1;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

std::uint64_t TextKey(std::string_view s) { return std::hash<std::string_view>{}(s); }

// Structurally equal values get equal keys; a range, a set or an array is
// keyed by its size only, and structure below kHashDepth by its type.
std::uint64_t ShapeKey(const Value* v, int depth) {
  if (IsReal(v)) return Mix(1, NumberKey(DoubleOf(v)));
  const std::uint64_t h = static_cast<std::uint64_t>(v->type) + 2;
  if (depth > kHashDepth) return h;
  switch (v->type) {
    case ValueType::Complex:
      return Mix(Mix(h, ShapeKey(v->pair.left, depth + 1)), ShapeKey(v->pair.right, depth + 1));
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      return Mix(h, TextKey(TextOf(v)));
    case ValueType::MathSymbol:
      return Mix(h, static_cast<std::uint64_t>(v->mathSymbol));
    case ValueType::Boolean:
      return Mix(h, v->boolean);
    case ValueType::Error:
      return Mix(h, static_cast<std::uint64_t>(v->error.code));
    case ValueType::Set:
      return Mix(h, static_cast<std::uint64_t>(v->set.count));
    case ValueType::Array:
      return Mix(Mix(h, static_cast<std::uint64_t>(v->array.width)),
                 static_cast<std::uint64_t>(v->array.height));
    case ValueType::Function: {
      std::uint64_t k = Mix(h, TextKey(v->function.entry->name));
      for (const Value* a : v->function.args)
        if (a) k = Mix(k, ShapeKey(a, depth + 1));
      return k;
    }
    default:
      if (IsOperator(v))
        return Mix(Mix(h, ShapeKey(v->pair.left, depth + 1)), ShapeKey(v->pair.right, depth + 1));
      return h;  // ranges
  }
}

// A product without its numeric leftmost factor, keyed by its remaining
// factors: 3*x*y and x*y share a key, and 3*x shares the key of x. Every
// product is keyed this way, with or without a coefficient, so that the
// depth at which each factor is hashed is the same on both sides.
std::uint64_t KeyWithoutCoefficient(const Value* product) {
  std::vector<const Value*> factors;  // right to left
  const Value* f = product;
  for (; f->type == ValueType::Times; f = f->pair.left) factors.push_back(f->pair.right);
  if (!IsNumber(f)) factors.push_back(f);
  if (factors.size() == 1) return ShapeKey(factors[0], 0);
  std::uint64_t k = ShapeKey(factors.back(), 1);
  for (std::size_t i = factors.size() - 1; i-- > 0;)
    k = Mix(Mix(static_cast<std::uint64_t>(ValueType::Times) + 2, k), ShapeKey(factors[i], 1));
  return k;
}

}  // namespace

std::uint64_t LikenessKey(const Value* term, Chain op) {
  if (op == Chain::Sum && term->type == ValueType::Times) return KeyWithoutCoefficient(term);
  if (op == Chain::Product && term->type == ValueType::Power && IsNumber(term->pair.right))
    return ShapeKey(term->pair.left, 0);
  return ShapeKey(term, 0);
}

}  // namespace symcalc
