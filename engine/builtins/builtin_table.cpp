// The registry's builtins: each builtin file lists its own at its foot, and
// the registry takes them in the order it has always had.
#include "builtins/builtin_table.h"

#include <algorithm>
#include <iterator>

namespace symcalc {
namespace {

// The files' tables. A new builtin file adds its table here.
using BuiltinGroup = std::span<const BuiltinSpec> (*)();
constexpr BuiltinGroup kGroups[] = {
    StateBuiltins,
    ElementaryBuiltins,
    PowerBuiltins,
    TypePredicateBuiltins,
    NumberTheoryBuiltins,
    ExpressionAccessBuiltins,
    ArrayBuiltins,
    TrigonometricBuiltins,
    RoundingBuiltins,
    SetInsertionBuiltins,
    SetBuiltins,
    DifferentiationBuiltins,
    SolveBuiltins,
    ExpandBuiltins,
};

// The order in which the builtins join the registry. functionlist, the
// reference tables and everything else that walks the registry see them in
// this order, so it never changes; a builtin not named here joins after these,
// in the order of its file's table and of the groups above.
constexpr std::string_view kRegistryOrder[] = {
    "functionlist", "typelist", "clearvar", "clearfunc", "exp", "sqr", "abs", "log",
    "pow", "sgn", "isnumber", "isreal", "isrational", "isqword", "isdouble", "isratio",
    "iscomplex", "isboolean", "issymbol", "ismathsymbol", "isrange", "iserror",
    "isstring", "isarray", "isset", "isvariable", "isfunction", "isoperator",
    "isvariaop", "isinfinity", "isundefined", "gettype", "istype", "iszero", "isodd",
    "iseven", "isprime", "not", "if", "array", "vector", "identity", "untmat", "untdet",
    "det", "scalar", "getarg", "setarg", "getargxy", "setargxy", "width", "height",
    "sinh", "cosh", "tanh", "asinh", "acosh", "atanh", "sin", "cos", "tan", "asin",
    "acos", "atan", "realpart", "imagpart", "phase", "cis", "conjugate", "floor",
    "ceiling", "truncate", "round", "into", "union", "minus", "intersect", "subset",
    "numerator", "denominator", "ratio", "rational", "float", "factorial", "factors",
    "factorset", "divisors", "diff", "solve", "expand", "factorout", "opleft",
    "opright", "errormath", "funcarg", "numbfuncarg",
};

}  // namespace

std::span<const std::string_view> RegistryOrder() { return kRegistryOrder; }

const std::vector<BuiltinSpec>& BuiltinTable() {
  static const std::vector<BuiltinSpec> table = [] {
    std::vector<BuiltinSpec> listed;
    for (BuiltinGroup group : kGroups) {
      const std::span<const BuiltinSpec> specs = group();
      listed.insert(listed.end(), specs.begin(), specs.end());
    }
    auto rank = [](const BuiltinSpec& spec) {
      return std::distance(std::begin(kRegistryOrder),
                           std::find(std::begin(kRegistryOrder), std::end(kRegistryOrder),
                                     spec.name));
    };
    std::stable_sort(listed.begin(), listed.end(),
                     [&](const BuiltinSpec& a, const BuiltinSpec& b) { return rank(a) < rank(b); });
    return listed;
  }();
  return table;
}

}  // namespace symcalc
