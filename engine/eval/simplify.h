// The simplifier: variable substitution, re-application of builtins, complex
// rebuilding and the normal form of sums, products and powers.
#pragma once

#include <cstdint>
#include <string_view>

#include "eval/constructors.h"
#include "values/value.h"

namespace symcalc {

// Which chain two terms belong to when they are ordered or matched.
enum class Chain : std::uint8_t { None, Sum, Product };

// A node of type op with copies of a and b, brought to normal form.
Value* MakeOperatorNode(ValueType op, const Value* a, const Value* b, Value* out = nullptr);
// Where term a stands against term b in the canonical order. Two numbers
// are told apart from other terms, because a tie between numbers passes the
// decision on to the next operands where one between other terms does not.
enum class TermOrdering : int {
  NumberAtMost = -1,  // two numbers, a not greater than b
  Stays = 0,          // a need not follow b
  Follows = 1,        // a must follow b
  NumberAbove = 2,    // two numbers, a greater than b
};
constexpr bool MustFollow(TermOrdering o) {
  return o == TermOrdering::Follows || o == TermOrdering::NumberAbove;
}
TermOrdering TermOrder(const Value* a, const Value* b, Chain op);

// The coefficients (in a sum) or exponents (in a product) that LikeTerms met
// in a and in b, the first one of each; null where a term has none (x beside
// 2*x). They point into a and b.
struct LikeCoefficients {
  const Value* first = nullptr;
  const Value* second = nullptr;
};
// 1 for like terms, -1 for two unequal numbers, 0 otherwise; fills `found`
// when one is given.
int LikeTerms(const Value* a, const Value* b, Chain op, LikeCoefficients* found = nullptr);
// Structural equality of two values (LikeTerms with no chain, no recording).
bool Alike(const Value* a, const Value* b);

// TermOrder(a, b, none) and LikeTerms(a, b, none) found in one walk: the
// shortcut the term order takes outside chains unless rewriting literally.
struct OrderAndLike {
  TermOrdering order;
  int like;
};
OrderAndLike OrderAndLikeness(const Value* a, const Value* b);
// True when v is known not to mention the variable `name`, even through the
// bindings of the variables it mentions: v is simplified under the current
// bindings (so the variables left in it are unbound), holds no array, set,
// range or error (whose variables may be bound), and its name mask lacks the
// name.
bool CannotMention(const Value* v, std::string_view name);

// A leaf is a value Simplify has nothing to do in: not an operator node, a
// complex number, a variable or a function application.
bool IsLeaf(const Value* v);
// True when Simplify would return a leaf as it is right now, which is always
// except where the depth or stack guard refuses the next level; arithmetic on
// two leaves may then skip simplifying them. Always false under literal
// rewriting, so that tests can compare the two ways.
bool SimplifyKeepsLeaves();

// Marks a freshly built operator node whose operands are simplified and which
// is itself in normal form, as Simplify marks the nodes it returns, so that it
// is not simplified again while the variables it mentions keep their bindings.
void MarkSimplified(Value* node);

// Switches the shortcuts that reach the normal form faster than rewriting one
// step at a time off (true) or on; tests compare the two.
void UseLiteralRewriting(bool on);
bool LiteralRewriting();

}  // namespace symcalc
