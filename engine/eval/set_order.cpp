#include "eval/set_order.h"

#include <climits>
#include <cmath>
#include <vector>

namespace symcalc {
namespace {

// Deeper set elements are left out: a comparison that runs short of stack
// answers "not greater", and sorting would meet such answers in other pairs
// than inserting does.
constexpr int kMaxElementDepth = 1000;

// What a value stands as.
enum class Role : std::uint8_t {
  // A set element: ordered by TermOrder outside chains.
  Element,
  // An argument or operand, compared pair by pair: every tie goes on to the
  // next pair, every other answer is strict.
  Part,
  // A part whose ties are exactly its alike values, so that a function or
  // operand pair made of them ties only when alike.
  Tight,
};

bool IsText(ValueType t) {
  return t == ValueType::Symbol || t == ValueType::String || t == ValueType::Variable ||
         t == ValueType::MathSymbol;
}

struct Item {
  const Value* v;
  Role role;
  int depth;
};

bool Walk(const Value* v, Role role, int maxDepth) {
  std::vector<Item> work{{v, role, 0}};
  while (!work.empty()) {
    const Item item = work.back();
    work.pop_back();
    const Value* x = item.v;
    if (!x) continue;
    if (item.depth > maxDepth) return false;
    const int next = item.depth + 1;
    const ValueType t = x->type;
    // A NaN ties with every double, so doubles would not be ordered.
    if (t == ValueType::Double && std::isnan(x->dbl)) return false;
    if (IsText(t)) continue;
    if (IsNumber(x)) {
      // Numbers of one type tie as parts: never tight.
      if (item.role == Role::Tight) return false;
      continue;
    }
    if (t == ValueType::Function) {
      // Its last answer, after every argument tied, is "not greater" also
      // for arguments that are not alike: only tight ones are safe inside.
      const Role inner = item.role == Role::Element ? Role::Part : Role::Tight;
      for (const Value* a : x->function.args) work.push_back({a, inner, next});
      continue;
    }
    if (IsOperator(x)) {
      // The left operands' tie passes on to the right ones; a left tie
      // between numbers that are not alike makes the right operands' tie
      // "not greater", so under a part the left side must be tight.
      const Role left = item.role == Role::Element ? Role::Part : Role::Tight;
      const Role right = item.role == Role::Tight ? Role::Tight : Role::Part;
      work.push_back({x->pair.left, left, next});
      work.push_back({x->pair.right, right, next});
      continue;
    }
    if (item.role != Role::Element) return false;
    switch (t) {
      case ValueType::Boolean:
      case ValueType::Range:
      case ValueType::Array:
      case ValueType::Error:
        continue;  // all of one type tie
      case ValueType::Set:
        // By count, then by the first elements.
        work.push_back({x->set.first, Role::Element, next});
        continue;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace

bool SortsAsSetElement(const Value* v) { return Walk(v, Role::Element, kMaxElementDepth); }

bool TiesOnlyWhenAlike(const Value* v) { return Walk(v, Role::Tight, INT_MAX); }

}  // namespace symcalc
