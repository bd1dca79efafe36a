#include "formula_terms.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace symcalc::gui {
namespace {

bool IsExponentBelowZero(const Value* v) {
  return TypeOf(v) == ValueType::Power && IsBelowZero(Term::Of(RightOperand(v)));
}

// A factor that goes under the bar: a ratio (its denominator) or a power with
// a negative number as exponent.
bool IsDenominatorFactor(const Value* v) {
  return TypeOf(v) == ValueType::Ratio || IsExponentBelowZero(v);
}

bool IsQwordOne(const Value* v) { return TypeOf(v) == ValueType::Qword && RawQword(v) == 1; }

// Numbers only, so the engine has nothing to substitute.
void MultiplyInto(Held& coefficient, Held number) {
  if (!coefficient)
    coefficient = std::move(number);
  else
    coefficient = Hold(Multiply(coefficient.get(), number.get()));
}

}  // namespace

ValueType Term::Type() const { return piece ? piece->type : TypeOf(value); }

Term Term::Left() const { return piece ? piece->left : Term::Of(LeftOperand(value)); }

Term Term::Right() const { return piece ? piece->right : Term::Of(RightOperand(value)); }

int Precedence(Term t) {
  if (!t.value && !t.piece) return 0;
  switch (t.Type()) {
    case ValueType::Power:
      return 1;
    case ValueType::Times:
      return 2;
    case ValueType::Plus:
      return 3;
    case ValueType::Range:
      return 4;
    case ValueType::Equal:
    case ValueType::Greater:
    case ValueType::GreaterEqual:
    case ValueType::NotEqual:
      return 5;
    case ValueType::And:
    case ValueType::Or:
    case ValueType::Xor:
      return 6;
    default:
      return 0;
  }
}

bool IsNumber(Term t) {
  if (t.piece || !t.value) return false;
  switch (TypeOf(t.value)) {
    case ValueType::Qword:
    case ValueType::Double:
    case ValueType::Ratio:
    case ValueType::Complex:
      return true;
    default:
      return false;
  }
}

bool IsBelowZero(Term t) {
  if (t.piece || !t.value) return false;
  switch (TypeOf(t.value)) {
    case ValueType::Qword:
      return RawQword(t.value) < 0;
    case ValueType::Double:
      return RawDouble(t.value) < 0.0;
    case ValueType::Ratio:
      return RatioNumerator(t.value) < 0;
    default:
      return false;
  }
}

bool IsMinusOne(Term t) {
  if (t.piece || !t.value) return false;
  switch (TypeOf(t.value)) {
    case ValueType::Qword:
      return RawQword(t.value) == -1;
    case ValueType::Double:
      return RawDouble(t.value) == -1.0;
    default:
      return false;
  }
}

OperandShapes ShapeOperands(Term node) {
  OperandShapes shapes;
  const ValueType type = node.Type();
  const Term left = node.Left();
  const Term right = node.Right();
  const int p = Precedence(node);
  const bool power = type == ValueType::Power;

  const int pl = Precedence(left);
  if (pl > p) {
    shapes.left = LeftOperandShape::Parenthesised;
  } else if (IsNumber(left)) {
    if (type == ValueType::Times && IsMinusOne(left))
      shapes.left = LeftOperandShape::MinusSign;
    // A negative base keeps its parentheses, or (-2)^x would read as -(2^x).
    else if (power && (TypeOf(left.value) == ValueType::Ratio || IsBelowZero(left)))
      shapes.left = LeftOperandShape::Parenthesised;
  } else if (p == 1 && pl == 1) {
    shapes.left = LeftOperandShape::Parenthesised;
  }

  const int pr = Precedence(right);
  // An operand as loose as its operator goes in parentheses on the right, as
  // in the text form: a = (b = c) is not a = b = c.
  if (pr > p || (pr == p && p > 1)) {
    shapes.right = RightOperandShape::Parenthesised;
  } else if (IsNumber(right)) {
    if (IsBelowZero(right) || (power && TypeOf(right.value) == ValueType::Ratio))
      shapes.right = RightOperandShape::Parenthesised;
  } else if (p == 1 && pr == 1) {
    shapes.right = RightOperandShape::Parenthesised;
  } else if (type == ValueType::Plus && right.Type() == ValueType::Times) {
    Term t = right;
    while (t.Type() == ValueType::Times) t = t.Left();
    if (IsBelowZero(t)) shapes.right = RightOperandShape::OwnMinus;
  }
  return shapes;
}

Value* FractionRegrouper::Own(Value* v) {
  owned_.push_back(Hold(v));
  return v;
}

const Fraction* FractionRegrouper::Of(const Value* v) {
  if (const auto it = fractions_.find(v); it != fractions_.end()) return &it->second;
  bool drawnAsFraction = false;
  switch (TypeOf(v)) {
    case ValueType::Ratio:
      drawnAsFraction = true;
      break;
    case ValueType::Power:
      drawnAsFraction = IsExponentBelowZero(v);
      break;
    case ValueType::Times:
      drawnAsFraction = IsFractionProduct(v);
      break;
    default:
      break;
  }
  if (!drawnAsFraction) return nullptr;
  return &fractions_.emplace(v, Regroup(v)).first->second;
}

// A product is a fraction when any factor of its chain goes under the bar.
// Every node of a long chain asks this, so the answers are kept: the walk
// stops at the first node already answered, and one chain costs one pass.
bool FractionRegrouper::IsFractionProduct(const Value* v) {
  std::vector<const Value*> walked;
  bool answer = false;
  const Value* node = v;
  for (;;) {
    if (const auto it = isFraction_.find(node); it != isFraction_.end()) {
      answer = it->second;
      break;
    }
    walked.push_back(node);
    if (IsDenominatorFactor(RightOperand(node))) {
      answer = true;
      break;
    }
    const Value* left = LeftOperand(node);
    if (TypeOf(left) != ValueType::Times) {
      answer = IsDenominatorFactor(left);
      break;
    }
    node = left;
  }
  // Every node walked holds the node where the walk stopped in its chain.
  for (const Value* n : walked) isFraction_.emplace(n, answer);
  return answer;
}

Fraction FractionRegrouper::Regroup(const Value* v) {
  Fraction f;
  if (TypeOf(v) == ValueType::Ratio) {
    const std::int64_t n = RatioNumerator(v);
    f.minus = n < 0;
    f.numerator = Term::Of(Own(MakeQword(n < 0 ? -n : n)));
    f.denominator = Term::Of(Own(MakeQword(RatioDenominator(v))));
    return f;
  }
  if (TypeOf(v) == ValueType::Power) {
    f.numerator = Term::Of(Own(MakeQword(1)));
    f.denominator = Flipped(v);
    return f;
  }
  // The chain ((f1 * f2) * f3) * ... is read from its right end.
  std::vector<Term> over;
  std::vector<Term> under;
  Held overCoefficient;
  Held underCoefficient;
  const auto take = [&](const Value* factor) {
    if (TypeOf(factor) == ValueType::Ratio) {
      MultiplyInto(overCoefficient, Hold(MakeQword(RatioNumerator(factor))));
      MultiplyInto(underCoefficient, Hold(MakeQword(RatioDenominator(factor))));
    } else if (IsExponentBelowZero(factor)) {
      under.push_back(Flipped(factor));
    } else if (IsNumber(Term::Of(factor))) {
      MultiplyInto(overCoefficient, Hold(CopyValue(factor)));
    } else {
      over.push_back(Term::Of(factor));
    }
  };
  const Value* node = v;
  for (;;) {
    take(RightOperand(node));
    const Value* left = LeftOperand(node);
    if (TypeOf(left) != ValueType::Times) {
      take(left);
      break;
    }
    node = left;
  }
  std::reverse(over.begin(), over.end());
  std::reverse(under.begin(), under.end());
  if (overCoefficient && IsBelowZero(Term::Of(overCoefficient.get()))) {
    f.minus = true;
    MultiplyInto(overCoefficient, Hold(MakeQword(-1)));
  }
  f.numerator = Product(std::move(overCoefficient), over);
  f.denominator = Product(std::move(underCoefficient), under);
  return f;
}

// The coefficient first, then the factors in their order, chained to the left
// as the engine chains a product.
Term FractionRegrouper::Product(Held coefficient, const std::vector<Term>& factors) {
  std::vector<Term> all;
  // A coefficient 1 in front of factors is left out (and released here).
  if (coefficient && !(IsQwordOne(coefficient.get()) && !factors.empty()))
    all.push_back(Term::Of(Own(coefficient.release())));
  all.insert(all.end(), factors.begin(), factors.end());
  if (all.empty()) return Term::Of(Own(MakeQword(1)));
  Term chain = all.front();
  for (std::size_t i = 1; i < all.size(); ++i) {
    pieces_.push_back(Piece{ValueType::Times, chain, all[i]});
    chain = Term{nullptr, &pieces_.back()};
  }
  return chain;
}

// base^e with e below zero goes under the bar as base^(-e), or as the base
// alone when -e is 1.
Term FractionRegrouper::Flipped(const Value* power) {
  const Value* base = LeftOperand(power);
  Held exponent = Hold(CopyValue(RightOperand(power)));
  MultiplyInto(exponent, Hold(MakeQword(-1)));
  if (IsQwordOne(exponent.get())) return Term::Of(base);
  pieces_.push_back(Piece{ValueType::Power, Term::Of(base), Term::Of(Own(exponent.release()))});
  return Term{nullptr, &pieces_.back()};
}

}  // namespace symcalc::gui
