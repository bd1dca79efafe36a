// The reference of the symbolic builtins: differentiation, solving and
// expansion, taking expressions apart and choosing, and plotting.
#include "reference.h"

namespace symcalc::gui::help {

std::vector<HelpEntry> SymbolicEntries() {
  constexpr Topic kCalculus = Topic::Calculus;
  constexpr Topic kAccess = Topic::ExpressionAccess;
  constexpr EntryKind kFn = EntryKind::Builtin;
  return {
      // ---- differentiation, solving, expansion --------------------------------
      {"diff", kCalculus, kFn, "diff(expression, variable)",
       "The derivative of the expression with respect to the variable, a name without a "
       "value. It knows sums, products, powers and the elementary, trigonometric and "
       "hyperbolic functions; for any other function, such as abs or atan with two "
       "arguments, the call stays as diff(...).",
       {{"diff(x^3, x)", "3*x^2"},
        {"diff(x*exp(x), x)", "exp(x)+x*exp(x)"},
        {"diff(x^2*y, y)", "x^2"}},
       {"solve", "expand"}},
      {"solve", kCalculus, kFn, "solve(equation, variable)",
       "The set of values of the variable that satisfy the equation, written with =. It "
       "undoes the operations around the variable one by one, uses the quadratic formula "
       "for degree two and finds all complex roots of x^n = c. Equations joined by | or "
       "& give the union or the common part of their solutions. A periodic function "
       "yields one solution only, and what solve cannot do comes back as solve(...).",
       {{"solve(2*x + 1 = 7, x)", "{3}"},
        {"solve(x^2 - 3*x + 2 = 0, x)", "{1.,2.}"},
        {"solve(x^3 = 8, x)", "{2.,#c(-1., -1.7320508076),#c(-1., 1.7320508076)}"}},
       {"diff", "expand", "relations"}},
      {"expand", kCalculus, kFn, "expand(expression)",
       "Multiplies out products of sums and whole-number powers of sums.",
       {{"expand((x+1)^2)", "1+2*x+x^2"},
        {"expand((a+b)*(c+d))", "a*c+a*d+b*c+b*d"},
        {"expand((x*y)^3)", "x^3*y^3"}},
       {"factorout", "solve"}},
      {"factorout", kCalculus, kFn, "factorout(expression, factor)",
       "Takes a factor out of a sum: the result is the factor times the rest, multiplied "
       "out. For a product the second argument is an exponent to take out instead.",
       {{"factorout(x^2 + x, x)", "x*(1+x)"},
        {"factorout(2*a + 4*b, 2)", "2*(a+2*b)"},
        {"factorout(x^2*y^2, 2)", "(x*y)^2"}},
       {"expand"}},

      // ---- expression access and control ------------------------------------------
      {"opleft", kAccess, kFn, "opleft(e)",
       "The left side of an operator expression, or the lower end of a range. Sums and "
       "products are kept in a sorted order, which decides what is on the left.",
       {{"opleft(x = 3)", "x"}, {"opleft(1..5)", "1"}, {"opleft(b + a)", "a"}},
       {"opright", "isoperator"}},
      {"opright", kAccess, kFn, "opright(e)",
       "The right side of an operator expression, or the upper end of a range.",
       {{"opright(x = 3)", "3"}, {"opright(1..5)", "5"}},
       {"opleft"}},
      {"funcarg", kAccess, kFn, "funcarg(call, index)",
       "Argument number index, counted from 0, of a call that stayed unevaluated.",
       {{"funcarg(atan(y, x), 0)", "y"}, {"funcarg(atan(y, x), 1)", "x"}},
       {"numbfuncarg", "isfunction"}},
      {"numbfuncarg", kAccess, kFn, "numbfuncarg(call)",
       "The number of arguments of a call that stayed unevaluated.",
       {{"numbfuncarg(atan(y, x))", "2"}, {"numbfuncarg(sin(x))", "1"}},
       {"funcarg"}},
      {"errormath", kAccess, kFn, "errormath(error)",
       "The value an error carries: the operand or piece of input that caused it.",
       {{"errormath(1/0)", "\"pow\""}, {"errormath(sqr(\"a\"))", "\"a\""}},
       {"iserror"}},
      {"not", kAccess, kFn, "not(b)",
       "The opposite truth value. This is the only negation: ! between two values is "
       "the exclusive or.",
       {{"not(true)", "false"}, {"not(1 > 2)", "true"}, {"not(x)", "not(x)"}},
       {"if", "logic"}},
      {"if", kAccess, kFn, "if(condition, then, [else])",
       "then when the condition is true, else when it is false, and 0 when it is false "
       "and there is no else. Both branches are computed before the choice. While the "
       "condition holds a name without a value, the call waits.",
       {{"if(1 > 2, \"yes\", \"no\")", "\"no\""}, {"if(false, 1)", "0"}, {"if(x > 0, 1, 2)", "if(x>0,1,2)"}},
       {"not", "relations"}},

      // ---- plotting -------------------------------------------------------------------
      {"plot", Topic::Plotting, kFn, "plot(f, x = a..b, [y = c..d])",
       "Draws the graph of f while x runs from a to b, in a square of 501 by 501 pixels "
       "with axes and ticks. Without a y range the square fits the curve from its lowest "
       "to its highest value. x is bound only while drawing, so a variable of that name "
       "keeps its value; where f is not a real number the curve has a gap.",
       {{"plot(x^2, x = -1..1)", "plot(x^2,x=(-1)..1)"},
        {"plot(sin(t), t = 0..2*pi, y = -2..2)", "plot(sin(t),t=0..6.2831853072,y=(-2)..2)"}},
       {"ranges"}},
  };
}

}  // namespace symcalc::gui::help
