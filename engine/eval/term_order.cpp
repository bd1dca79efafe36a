// The canonical order of terms (TermOrder) and their likeness (LikeTerms),
// shared by sums, products and sets.
#include "eval/depth_guard.h"
#include "eval/exact_compare.h"
#include "eval/simplify.h"
#include "state/engine_state.h"

namespace symcalc {
namespace {

// The node that carries a term's number in a chain of op: a product with a
// numeric coefficient in a sum (2*x), a power with a numeric exponent in a
// product (x^2).
ValueType CarrierOf(Chain op) { return op == Chain::Sum ? ValueType::Times : ValueType::Power; }

// The number t carries in a chain of op (not Chain::None), with `rest` set
// to t without it; null when t carries none.
const Value* CarriedNumber(const Value* t, Chain op, const Value*& rest) {
  if (t->type != CarrierOf(op)) return nullptr;
  const bool sum = op == Chain::Sum;
  const Value* number = sum ? t->pair.left : t->pair.right;
  if (!IsNumber(number)) return nullptr;
  rest = sum ? t->pair.right : t->pair.left;
  return number;
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

TermOrdering FollowsIf(bool c) { return c ? TermOrdering::Follows : TermOrdering::Stays; }

TermOrdering OrderOfNumbers(const Value* a, const Value* b) {
  return NumberGreater(a, b) ? TermOrdering::NumberAbove : TermOrdering::NumberAtMost;
}

// Two numbers are ordered by value and tie by value; the order of an
// operator's right operands then decides.
bool ComparedNumbers(TermOrdering o) {
  return o == TermOrdering::NumberAtMost || o == TermOrdering::NumberAbove;
}

// Across types, a sum looks through the numeric coefficient of a product
// (2*x stands where x stands) and a product through the numeric exponent of
// a power (x^2 stands where x stands); otherwise the type decides.
TermOrdering OrderAcrossTypes(const Value* a, const Value* b, Chain op) {
  if (op != Chain::None) {
    const Value* rest = nullptr;
    if (CarriedNumber(a, op, rest)) return TermOrder(rest, b, Chain::None);
    if (a->type != CarrierOf(op) && CarriedNumber(b, op, rest))
      return TermOrder(a, rest, Chain::None);
  }
  return FollowsIf(a->type > b->type);
}

// Two applications: by name, then argument count, then the first pair of
// arguments that are not like decides.
TermOrdering OrderApplications(const Value* a, const Value* b) {
  const int byName = CompareTexts(a->function.entry->name, b->function.entry->name);
  if (byName != 0) return FollowsIf(byName > 0);
  const int na = ArgumentCount(a);
  const int nb = ArgumentCount(b);
  if (na != nb) return FollowsIf(na > nb);
  for (int i = 0; i < 4; ++i) {
    const Value* x = a->function.args[i];
    const Value* y = b->function.args[i];
    if (!x || !y) continue;
    if (!LiteralRewriting()) {
      const OrderAndLike r = OrderAndLikeness(x, y);
      if (r.order == TermOrdering::Follows) return TermOrdering::Follows;
      if (r.order == TermOrdering::Stays && r.like != 1) return TermOrdering::Stays;
      continue;
    }
    const TermOrdering r = TermOrder(x, y, Chain::None);
    if (r == TermOrdering::Follows) return TermOrdering::Follows;
    if (r == TermOrdering::Stays && LikeTerms(x, y, Chain::None) != 1) return TermOrdering::Stays;
  }
  return TermOrdering::Stays;
}

// Two operator nodes of one type: the left operands decide, and where they
// are like (or two numbers) the right operands do.
TermOrdering OrderOperators(const Value* a, const Value* b, Chain op) {
  const Chain inner = InnerChain(a, op);
  if (inner == Chain::None && !LiteralRewriting()) return OrderAndLikeness(a, b).order;
  const TermOrdering r = TermOrder(a->pair.left, b->pair.left, inner);
  if (r == TermOrdering::Follows) return TermOrdering::Follows;
  if (ComparedNumbers(r)) return TermOrder(a->pair.right, b->pair.right, inner);
  if (LikeTerms(a->pair.left, b->pair.left, inner) == 1)
    return TermOrder(a->pair.right, b->pair.right, inner);
  return TermOrdering::Stays;
}

// The first coefficient or exponent met in each term is the one kept.
void Found(const Value* v, const Value* LikeCoefficients::*side, LikeCoefficients* found) {
  if (found && !(found->*side)) found->*side = v;
}

// Across types, x is like 2*x in a sum and like x^2 in a product; the number
// looked through is the coefficient (exponent) found.
int LikeAcrossTypes(const Value* a, const Value* b, Chain op, LikeCoefficients* found) {
  if (op == Chain::None) return 0;
  const Value* rest = nullptr;
  if (const Value* k = CarriedNumber(a, op, rest); k && LikeTerms(rest, b, Chain::None) == 1) {
    Found(k, &LikeCoefficients::first, found);
    return 1;
  }
  if (a->type == CarrierOf(op)) return 0;
  if (const Value* k = CarriedNumber(b, op, rest); k && LikeTerms(a, rest, Chain::None) == 1) {
    Found(k, &LikeCoefficients::second, found);
    return 1;
  }
  return 0;
}

// OrderAndLikeness of two applications: ordered as OrderApplications orders
// them, like when every argument is.
OrderAndLike OrderAndLikenessOfApplications(const Value* a, const Value* b) {
  const int byName = CompareTexts(a->function.entry->name, b->function.entry->name);
  if (byName != 0) return {FollowsIf(byName > 0), 0};
  const int na = ArgumentCount(a);
  const int nb = ArgumentCount(b);
  if (na != nb) return {FollowsIf(na > nb), 0};
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
    if (r.order == TermOrdering::Follows) return {TermOrdering::Follows, 0};
    if (r.order == TermOrdering::Stays && r.like != 1) return {TermOrdering::Stays, 0};
    allLike = allLike && r.like == 1;
  }
  return {TermOrdering::Stays, allLike ? 1 : 0};
}

// Two applications are like when they apply one function to like arguments.
bool LikeApplications(const Value* a, const Value* b) {
  if (a->function.entry->name != b->function.entry->name) return false;
  if (ArgumentCount(a) != ArgumentCount(b)) return false;
  for (int i = 0; i < 4; ++i) {
    const Value* x = a->function.args[i];
    const Value* y = b->function.args[i];
    if (!x && !y) continue;
    if (!x || !y || LikeTerms(x, y, Chain::None) != 1) return false;
  }
  return true;
}

// Ranges, errors, arrays and sets of one type are like when their parts are
// like, element by element.
bool LikeContainers(const Value* a, const Value* b) {
  switch (a->type) {
    case ValueType::Range:
      return LikeTerms(a->pair.left, b->pair.left, Chain::None) == 1 &&
             LikeTerms(a->pair.right, b->pair.right, Chain::None) == 1;
    case ValueType::Error: {
      if (a->error.code != b->error.code) return false;
      const Value* x = a->error.operand;
      const Value* y = b->error.operand;
      if (!x || !y) return x == y;
      return LikeTerms(x, y, Chain::None) == 1;
    }
    case ValueType::Array: {
      if (a->array.width != b->array.width || a->array.height != b->array.height) return false;
      const std::uint32_t n = a->array.table->count;
      for (std::uint32_t i = 0; i < n; ++i)
        if (LikeTerms(a->array.table->cells()[i], b->array.table->cells()[i], Chain::None) != 1)
          return false;
      return true;
    }
    default: {
      if (a->set.count != b->set.count) return false;
      for (const Value *x = a->set.first, *y = b->set.first; x && y;
           x = x->setLink, y = y->setLink)
        if (LikeTerms(x, y, Chain::None) != 1) return false;
      return true;
    }
  }
}

// Two operator nodes of one type. In a product two powers are like when their
// bases are and their exponents are like or two numbers; in a sum two
// products are like when their factors are, numbers standing for any number.
int LikeOperators(const Value* a, const Value* b, Chain op, LikeCoefficients* found) {
  const Chain inner = InnerChain(a, op);
  if (inner == Chain::Product) {
    const int r = LikeTerms(a->pair.right, b->pair.right, inner, found);
    if (r == -1) return LikeTerms(a->pair.left, b->pair.left, inner, found);
    return (r == 1 && LikeTerms(a->pair.left, b->pair.left, inner, found) == 1) ? 1 : 0;
  }
  const int r = LikeTerms(a->pair.left, b->pair.left, inner, found);
  const bool leftOk = r == 1 || (r == -1 && inner != Chain::None);
  return (leftOk && LikeTerms(a->pair.right, b->pair.right, inner, found) == 1) ? 1 : 0;
}

}  // namespace

// Function arguments and operands are ordered by the first pair that
// decides, and a tie is decided by likeness; asking the two questions one
// after the other at every level makes comparing two nested applications
// cost the square of their depth.
OrderAndLike OrderAndLikeness(const Value* a, const Value* b) {
  if (StackExhausted()) return {TermOrdering::Stays, 0};
  if (a->type != b->type) return {FollowsIf(a->type > b->type), 0};
  switch (a->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      return {OrderOfNumbers(a, b), NumberEqual(a, b) ? 1 : -1};
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable: {
      const int c = CompareTexts(TextOf(a), TextOf(b));
      return {FollowsIf(c > 0), c == 0 ? 1 : 0};
    }
    case ValueType::MathSymbol:
      return {FollowsIf(a->mathSymbol > b->mathSymbol), a->mathSymbol == b->mathSymbol ? 1 : 0};
    case ValueType::Function:
      return OrderAndLikenessOfApplications(a, b);
    case ValueType::Set: {
      const int like = LikeTerms(a, b, Chain::None);
      if (a->set.count != b->set.count) return {FollowsIf(a->set.count > b->set.count), like};
      if (!a->set.first || !b->set.first) return {TermOrdering::Stays, like};
      return {FollowsIf(MustFollow(TermOrder(a->set.first, b->set.first, Chain::None))), like};
    }
    default:
      break;
  }
  if (!IsOperator(a)) return {TermOrdering::Stays, LikeTerms(a, b, Chain::None)};
  const OrderAndLike left = OrderAndLikeness(a->pair.left, b->pair.left);
  if (left.order == TermOrdering::Follows)
    return {TermOrdering::Follows,
            left.like == 1 && LikeTerms(a->pair.right, b->pair.right, Chain::None) == 1};
  if (ComparedNumbers(left.order) || left.like == 1) {
    const OrderAndLike right = OrderAndLikeness(a->pair.right, b->pair.right);
    return {right.order, left.like == 1 && right.like == 1 ? 1 : 0};
  }
  return {TermOrdering::Stays, 0};
}

TermOrdering TermOrder(const Value* a, const Value* b, Chain op) {
  if (StackExhausted()) return TermOrdering::Stays;
  if (a->type != b->type) return OrderAcrossTypes(a, b, op);
  switch (a->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      return OrderOfNumbers(a, b);
    case ValueType::Symbol:
    case ValueType::String:
    case ValueType::Variable:
      return FollowsIf(CompareTexts(TextOf(a), TextOf(b)) > 0);
    case ValueType::MathSymbol:
      return FollowsIf(a->mathSymbol > b->mathSymbol);
    case ValueType::Function:
      return OrderApplications(a, b);
    case ValueType::Set:
      if (a->set.count != b->set.count) return FollowsIf(a->set.count > b->set.count);
      // Two empty sets tie; each following the other would swap them forever.
      if (!a->set.first || !b->set.first) return TermOrdering::Stays;
      return FollowsIf(MustFollow(TermOrder(a->set.first, b->set.first, Chain::None)));
    default:
      break;
  }
  if (IsOperator(a)) return OrderOperators(a, b, op);
  return TermOrdering::Stays;  // booleans, ranges, errors, arrays
}

int LikeTerms(const Value* a, const Value* b, Chain op, LikeCoefficients* found) {
  if (StackExhausted()) return 0;
  if (a->type != b->type) return LikeAcrossTypes(a, b, op, found);
  switch (a->type) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      if (op != Chain::None) {
        Found(a, &LikeCoefficients::first, found);
        Found(b, &LikeCoefficients::second, found);
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
    case ValueType::Function:
      return LikeApplications(a, b) ? 1 : 0;
    case ValueType::Range:
    case ValueType::Error:
    case ValueType::Array:
    case ValueType::Set:
      return LikeContainers(a, b) ? 1 : 0;
    default:
      break;
  }
  if (IsOperator(a)) return LikeOperators(a, b, op, found);
  return 0;
}

bool Alike(const Value* a, const Value* b) { return LikeTerms(a, b, Chain::None) == 1; }

}  // namespace symcalc
