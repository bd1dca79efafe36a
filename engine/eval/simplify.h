// The simplifier: variable substitution, re-application of builtins, complex
// rebuilding and the normal form of sums, products and powers.
#pragma once

#include <string_view>

#include "values/value.h"

namespace symcalc {

// Which chain two terms belong to when they are ordered or matched.
enum class Chain : std::uint8_t { None, Sum, Product };

// A node of type op with copies of a and b, brought to normal form.
Value* MakeOperatorNode(ValueType op, const Value* a, const Value* b, Value* out = nullptr);
// 1 when a must follow b; 0 when it need not; for two numbers 2 (a greater) or -1.
int TermOrder(const Value* a, const Value* b, Chain op);
// 1 for like terms, -1 for two unequal numbers, 0 otherwise; records the
// coefficients or exponents met in the top coefficient pair.
int LikeTerms(const Value* a, const Value* b, Chain op);
// Structural equality of two values (LikeTerms with no chain, no recording).
bool Alike(const Value* a, const Value* b);

// TermOrder(a, b, none) and LikeTerms(a, b, none) found in one walk: the
// shortcut the term order takes outside chains unless rewriting literally.
struct OrderAndLike {
  int order;
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
