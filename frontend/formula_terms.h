// What the formula layout walks: the engine's values as they are, plus the
// products and powers it makes up when it regroups a product into a fraction.
// Those made-up parts exist for drawing only; nothing is computed on the
// user's expression to get them, so a variable bound after the value was
// made is never substituted into its picture.
#pragma once

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

struct Piece;

// A value drawn as it is, or a made-up piece of a fraction.
struct Term {
  const Value* value = nullptr;
  const Piece* piece = nullptr;

  static Term Of(const Value* v) { return {v, nullptr}; }
  const void* Identity() const { return piece ? static_cast<const void*>(piece) : value; }
  ValueType Type() const;
  // Operands of an operator node, a range or a piece.
  Term Left() const;
  Term Right() const;
};

// A product or a power that only the picture has.
struct Piece {
  ValueType type;  // Times or Power
  Term left;
  Term right;
};

// Binding strength for parentheses: 1 binds tightest; 0 is a leaf.
int Precedence(Term t);
// qword, double, ratio or complex.
bool IsNumber(Term t);
// A qword, double or ratio below zero.
bool IsBelowZero(Term t);
bool IsMinusOne(Term t);

// How an operator node (or a made-up product or power) shows its operands.
enum class LeftOperandShape {
  Plain,
  Parenthesised,
  MinusSign,  // a factor -1 shown as a minus sign alone
};
enum class RightOperandShape {
  Plain,
  Parenthesised,
  OwnMinus,  // a "+" left out: the term shows its own minus
};
struct OperandShapes {
  LeftOperandShape left = LeftOperandShape::Plain;
  RightOperandShape right = RightOperandShape::Plain;
};
// The picture and every text written from it agree on where parentheses go.
OperandShapes ShapeOperands(Term node);

struct Fraction {
  bool minus = false;  // the numerator's negative coefficient, drawn as a leading minus
  Term numerator;
  Term denominator;
};

// Splits products and powers into numerator and denominator. The numbers it
// needs (a ratio's parts, a flipped exponent, a combined coefficient) are
// fresh engine numbers computed from numbers alone, owned here until the
// rendering ends.
class FractionRegrouper {
 public:
  FractionRegrouper() = default;
  FractionRegrouper(const FractionRegrouper&) = delete;
  FractionRegrouper& operator=(const FractionRegrouper&) = delete;

  // The fraction a ratio, a product or a power is drawn as, or null when it
  // is drawn otherwise. Computed once per node.
  const Fraction* Of(const Value* v);

 private:
  struct Coefficient;
  bool IsFractionProduct(const Value* v);
  Fraction Regroup(const Value* v);
  Term Product(Held coefficient, const std::vector<Term>& factors);
  Term Flipped(const Value* power);
  Value* Own(Value* v);

  std::unordered_map<const Value*, bool> isFraction_;
  std::unordered_map<const Value*, Fraction> fractions_;
  std::deque<Piece> pieces_;
  std::vector<Held> owned_;
};

}  // namespace symcalc::gui
