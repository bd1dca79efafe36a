// The canonical order of terms (TermOrder) and their likeness (LikeTerms),
// shared by sums, products and sets.
#include "eval/coefficients.h"
#include "eval/depth_guard.h"
#include "eval/exact_compare.h"
#include "eval/simplify.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

bool IsProductWithNumericFactor(const Value* v) {
  return v->type == ValueType::Times && IsNumber(v->pair.left);
}
bool IsPowerWithNumericExponent(const Value* v) {
  return v->type == ValueType::Power && IsNumber(v->pair.right);
}

// Inside a sum a product is compared with the other side's product only when
// it is one; likewise powers inside a product.
Chain InnerChain(const Value* a, Chain op) {
  if (op == Chain::Sum && a->type != ValueType::Times) return Chain::None;
  if (op == Chain::Product && a->type != ValueType::Power) return Chain::None;
  return op;
}

int CompareTexts(std::string_view a, std::string_view b) {
  // Byte-wise as unsigned values; a proper prefix is the smaller.
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int ArgumentCount(const Value* f) {
  int n = 0;
  for (const Value* a : f->function.args)
    if (a) ++n;
  return n;
}

}  // namespace

// Function arguments and operands are ordered by the first pair that
// decides, and a tie is decided by likeness; asking the two questions one
// after the other at every level makes comparing two nested applications
// cost the square of their depth.
OrderAndLike OrderAndLikeness(const Value* a, const Value* b) {
  if (StackExhausted()) return {0, 0};
  if (a->type != b->type) return {a->type > b->type ? 1 : 0, 0};
  switch (a->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      return {NumberGreater(a, b) ? 2 : -1, NumberEqual(a, b) ? 1 : -1};
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable: {
      const int c = CompareTexts(TextOf(a), TextOf(b));
      return {c > 0 ? 1 : 0, c == 0 ? 1 : 0};
    }
    case ValueType::MathSymbol:
      return {a->mathSymbol > b->mathSymbol ? 1 : 0, a->mathSymbol == b->mathSymbol ? 1 : 0};
    case ValueType::Function: {
      const int byName = CompareTexts(a->function.entry->name, b->function.entry->name);
      if (byName != 0) return {byName > 0 ? 1 : 0, 0};
      const int na = ArgumentCount(a);
      const int nb = ArgumentCount(b);
      if (na != nb) return {na > nb ? 1 : 0, 0};
      bool allLike = true;
      for (int i = 0; i < 4; ++i) {
        const Value* x = a->function.args[i];
        const Value* y = b->function.args[i];
        if (!x && !y) continue;
        if (!x || !y) {
          allLike = false;
          continue;
        }
        const OrderAndLike r = OrderAndLikeness(x, y);
        if (r.order == 1) return {1, 0};
        if (r.order == 0 && r.like != 1) return {0, 0};
        allLike = allLike && r.like == 1;
      }
      return {0, allLike ? 1 : 0};
    }
    case ValueType::Set: {
      const int like = LikeTerms(a, b, Chain::None);
      if (a->set.count != b->set.count) return {a->set.count > b->set.count ? 1 : 0, like};
      if (!a->set.first || !b->set.first) return {0, like};
      const int r = TermOrder(a->set.first, b->set.first, Chain::None);
      return {(r == 1 || r == 2) ? 1 : 0, like};
    }
    default:
      break;
  }
  if (!IsOperator(a)) return {0, LikeTerms(a, b, Chain::None)};
  const OrderAndLike left = OrderAndLikeness(a->pair.left, b->pair.left);
  if (left.order == 1)
    return {1, left.like == 1 && LikeTerms(a->pair.right, b->pair.right, Chain::None) == 1};
  if (left.order == -1 || left.order == 2 || left.like == 1) {
    const OrderAndLike right = OrderAndLikeness(a->pair.right, b->pair.right);
    return {right.order, left.like == 1 && right.like == 1 ? 1 : 0};
  }
  return {0, 0};
}

int TermOrder(const Value* a, const Value* b, Chain op) {
  if (StackExhausted()) return 0;
  if (a->type != b->type) {
    if (op == Chain::Sum) {
      if (IsProductWithNumericFactor(a)) return TermOrder(a->pair.right, b, Chain::None);
      if (a->type != ValueType::Times && IsProductWithNumericFactor(b))
        return TermOrder(a, b->pair.right, Chain::None);
    } else if (op == Chain::Product) {
      if (IsPowerWithNumericExponent(a)) return TermOrder(a->pair.left, b, Chain::None);
      if (a->type != ValueType::Power && IsPowerWithNumericExponent(b))
        return TermOrder(a, b->pair.left, Chain::None);
    }
    return a->type > b->type ? 1 : 0;
  }
  switch (a->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      return NumberGreater(a, b) ? 2 : -1;
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      return CompareTexts(TextOf(a), TextOf(b)) > 0 ? 1 : 0;
    case ValueType::MathSymbol:
      return a->mathSymbol > b->mathSymbol ? 1 : 0;
    case ValueType::Function: {
      const int byName = CompareTexts(a->function.entry->name, b->function.entry->name);
      if (byName != 0) return byName > 0 ? 1 : 0;
      const int na = ArgumentCount(a);
      const int nb = ArgumentCount(b);
      if (na != nb) return na > nb ? 1 : 0;
      for (int i = 0; i < 4; ++i) {
        const Value* x = a->function.args[i];
        const Value* y = b->function.args[i];
        if (!x || !y) continue;
        if (!LiteralRewriting()) {
          const OrderAndLike r = OrderAndLikeness(x, y);
          if (r.order == 1) return 1;
          if (r.order == 0 && r.like != 1) return 0;
          continue;
        }
        const int r = TermOrder(x, y, Chain::None);
        if (r == 1) return 1;
        if (r == 0 && LikeTerms(x, y, Chain::None) != 1) return 0;
      }
      return 0;
    }
    case ValueType::Set: {
      if (a->set.count != b->set.count) return a->set.count > b->set.count ? 1 : 0;
      // Two empty sets tie; ordering them 1 both ways would swap them forever.
      if (!a->set.first || !b->set.first) return 0;
      const int r = TermOrder(a->set.first, b->set.first, Chain::None);
      return (r == 1 || r == 2) ? 1 : 0;
    }
    default:
      break;
  }
  if (IsOperator(a)) {
    const Chain inner = InnerChain(a, op);
    if (inner == Chain::None && !LiteralRewriting())
      return OrderAndLikeness(a, b).order;
    const int r = TermOrder(a->pair.left, b->pair.left, inner);
    if (r == 1) return 1;
    if (r == -1 || r == 2) return TermOrder(a->pair.right, b->pair.right, inner);
    if (LikeTerms(a->pair.left, b->pair.left, inner) == 1)
      return TermOrder(a->pair.right, b->pair.right, inner);
    return 0;
  }
  return 0;  // booleans, ranges, errors, arrays
}

int LikeTerms(const Value* a, const Value* b, Chain op) {
  if (StackExhausted()) return 0;
  if (a->type != b->type) {
    if (op == Chain::Sum) {
      if (IsProductWithNumericFactor(a) && LikeTerms(a->pair.right, b, Chain::None) == 1) {
        RecordFirst(a->pair.left);
        return 1;
      }
      if (a->type != ValueType::Times && IsProductWithNumericFactor(b) &&
          LikeTerms(a, b->pair.right, Chain::None) == 1) {
        RecordSecond(b->pair.left);
        return 1;
      }
    } else if (op == Chain::Product) {
      if (IsPowerWithNumericExponent(a) && LikeTerms(a->pair.left, b, Chain::None) == 1) {
        RecordFirst(a->pair.right);
        return 1;
      }
      if (a->type != ValueType::Power && IsPowerWithNumericExponent(b) &&
          LikeTerms(a, b->pair.left, Chain::None) == 1) {
        RecordSecond(b->pair.right);
        return 1;
      }
    }
    return 0;
  }
  switch (a->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      if (op != Chain::None) {
        RecordFirst(a);
        RecordSecond(b);
      }
      return NumberEqual(a, b) ? 1 : -1;
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      return TextOf(a) == TextOf(b) ? 1 : 0;
    case ValueType::MathSymbol:
      return a->mathSymbol == b->mathSymbol ? 1 : 0;
    case ValueType::Boolean:
      return a->boolean == b->boolean ? 1 : 0;
    case ValueType::Range:
      return LikeTerms(a->pair.left, b->pair.left, Chain::None) == 1 &&
                     LikeTerms(a->pair.right, b->pair.right, Chain::None) == 1
                 ? 1
                 : 0;
    case ValueType::Error: {
      if (a->error.code != b->error.code) return 0;
      const Value* x = a->error.operand;
      const Value* y = b->error.operand;
      if (!x || !y) return x == y ? 1 : 0;
      return LikeTerms(x, y, Chain::None) == 1 ? 1 : 0;
    }
    case ValueType::Array: {
      if (a->array.width != b->array.width || a->array.height != b->array.height) return 0;
      const std::uint32_t n = a->array.table->count;
      for (std::uint32_t i = 0; i < n; ++i)
        if (LikeTerms(a->array.table->cells()[i], b->array.table->cells()[i], Chain::None) != 1)
          return 0;
      return 1;
    }
    case ValueType::Function: {
      if (a->function.entry->name != b->function.entry->name) return 0;
      if (ArgumentCount(a) != ArgumentCount(b)) return 0;
      for (int i = 0; i < 4; ++i) {
        const Value* x = a->function.args[i];
        const Value* y = b->function.args[i];
        if (!x && !y) continue;
        if (!x || !y || LikeTerms(x, y, Chain::None) != 1) return 0;
      }
      return 1;
    }
    case ValueType::Set: {
      if (a->set.count != b->set.count) return 0;
      for (const Value *x = a->set.first, *y = b->set.first; x && y;
           x = x->setLink, y = y->setLink)
        if (LikeTerms(x, y, Chain::None) != 1) return 0;
      return 1;
    }
    default:
      break;
  }
  if (IsOperator(a)) {
    const Chain inner = InnerChain(a, op);
    if (inner == Chain::Product) {
      const int r = LikeTerms(a->pair.right, b->pair.right, inner);
      if (r == -1) return LikeTerms(a->pair.left, b->pair.left, inner);
      return (r == 1 && LikeTerms(a->pair.left, b->pair.left, inner) == 1) ? 1 : 0;
    }
    const int r = LikeTerms(a->pair.left, b->pair.left, inner);
    const bool leftOk = r == 1 || (r == -1 && inner != Chain::None);
    return (leftOk && LikeTerms(a->pair.right, b->pair.right, inner) == 1) ? 1 : 0;
  }
  return 0;
}

bool Alike(const Value* a, const Value* b) {
  CoefficientScope scope;
  return LikeTerms(a, b, Chain::None) == 1;
}

}  // namespace symcalc
