// solve: isolation, roots of powers, the polynomial steps, "|" and "&", the
// failures, equations that must end, and every listed solution substituted
// back into its equation.
#include <cmath>
#include <random>
#include <string>

#include "builtins/symbolic/polynomial_degree.h"
#include "eval/simplify.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Solving : public EngineTest {};

TEST_F(Solving, IsolatesTheVariable) {
  const Case cases[] = {
      {"solve(x=3,x)", "{3}"},
      {"solve(3=x,x)", "{3}"},
      {"solve(2*x+1=7,x)", "{3}"},
      {"solve(1/x=2,x)", "{0.5}"},
      {"solve(#c(0,1)*x=1,x)", "{#c(0, -1)}"},
      {"solve(x^y=2,x)", "{2^(y^(-1))}"},
      {"solve(y^x=2,x)", "{0.6931471806*log(y)^(-1)}"},
      {"solve(2^x=8,x)", "{3.}"},
      // One branch only, whatever the period; the other inverses are checked
      // by substituting their solutions back.
      {"solve(exp(x)=1,x)", "{0.}"},
      {"solve(sin(x)=0,x)", "{0.}"},
      {"solve(exp(x+1)=1,x)", "{-1.}"},
      {"solve(abs(x)=1,x)", "solve(abs(x)=1,x)"},
      {"solve(atan(x,1)=1,x)", "solve(atan(x,1)=1,x)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Solving, RootsOfPowers) {
  const Case cases[] = {
      {"solve(x^2=4,x)", "{-2.,2.}"},
      {"solve(x^2-4=0,x)", "{-2.,2.}"},
      {"solve(x^3=8,x)", "{2.,#c(-1., -1.7320508076),#c(-1., 1.7320508076)}"},
      {"solve(x^2=-1,x)", "{#c(0., -1.),#c(0., 1.)}"},
      {"solve(x^(-2)=4,x)", "{-0.5,0.5}"},
      {"solve(x^(1/2)=3,x)", "{9.}"},
      {"solve(x^0.5=3,x)", "{9.}"},
      {"solve(x^(2/3)=4,x)", "{-8.,8.}"},
      {"solve(x^2=y^2,x)", "{y,(-1.)*y}"},
      // No list of a million roots: beyond a thousand the power stays unsolved.
      {"solve(x^1001=2,x)", "solve(x^1001=2,x)"},
      {"solve(x^pi=2,x)", "solve(x^3.1415926536=2,x)"},
      {"solve(x^2+x^100000=0,x)", "union({0},solve(x^99998=(-1),x))"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Solving, PolynomialSteps) {
  const Case cases[] = {
      {"solve(x*(x-1)=0,x)", "{0,1}"},
      {"solve(x^2-3*x+2=0,x)", "{1.,2.}"},
      {"solve(x^2-2*x+1=0,x)", "{1.}"},
      {"solve(x^2=x,x)", "{0,1}"},
      {"solve(x^3+x^2=0,x)", "{-1,0}"},
      // A high power of x divides every summand: one step, not a thousand.
      {"solve(x^1000+x^1001=0,x)", "{-1,0}"},
      {"solve(x^5+x^3=0,x)", "{0,#c(0., -1.),#c(0., 1.)}"},
      {"solve(x^2+y*x=0,x)", "{0,(-1)*y}"},
      {"solve(x^2+x+y=0,x)", "{(-1/2)+1/2*sqr(1+(-4)*y),(-1/2)+(-1/2)*sqr(1+(-4)*y)}"},
      {"solve(x*y+x*z=5,x)", "{5*(y+z)^(-1)}"},
      {"solve((x+1)*(x+2)=(x+1)*(x+3),x)", "{-1}"},
      {"solve(x^2+x=x^2+1,x)", "{1}"},
      {"solve(x^3+x-1=0,x)", "solve((-1)+x+x^3=0,x)"},
      {"solve(x+1/x=2,x)", "solve((-2)+x+x^(-1)=0,x)"},
  };
  EXPECT_CASES(cases);
}

// Equations whose sides keep the variable on both operands of a sum or
// product: each must end, and with the right answer.
TEST_F(Solving, RightSidesMoveOverBeforeThePolynomialSteps) {
  const Case cases[] = {
      {"solve(x^2-x=2,x)", "{-1.,2.}"},
      {"solve(x*(x-1)=2,x)", "{-1.,2.}"},
      {"solve(x^2+2*x=3,x)", "{-3.,1.}"},
      {"solve(x^2+x=6,x)", "{-3.,2.}"},
      // The roots of x^2+x-4, not of x^2+x+1.
      {"solve(x^2+x+1=5,x)", "{-2.5615528128,1.5615528128}"},
      // Like powers add up their coefficients; a missing one is 0.
      {"solve(x^2+2*x+x*y+1=0,x)",
       "{1/2*sqr((-4)+(2+y)^2)+(-1/2)*(2+y),(-1/2)*sqr((-4)+(2+y)^2)+(-1/2)*(2+y)}"},
      {"solve(2*x^2=8,x)", "{-2.,2.}"},
      // x*sin(x) is no power of x, so this is no quadratic.
      {"solve(x^2+x*sin(x)+1=0,x)", "solve(1+x*sin(x)+x^2=0,x)"},
      {"solve(x^x=4,x)", "solve((-4)+x^x=0,x)"},
      // Array coefficients the simplifier cannot cancel.
      {"solve(x+y*[1,2]=3,x)", "{3+[-1,-2]*y}"},
      {"solve(x*[1,2]+x=3,x)", "solve((-3)+x+[1,2]*x=0,x)"},
      {"solve(x^2+x*[1,2]=1,x)", "solve((-1)+[1,2]*x+x^2=0,x)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Solving, TheVariableMayBeANameText) {
  const Case cases[] = {
      {"solve(x^2+x=0,\"x\")", "{-1,0}"},
      {"solve(x^2+x=0,'x')", "{-1,0}"},
      {"solve(x=1,\"X\")", "true"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Solving, OrAndAnd) {
  const Case cases[] = {
      {"solve(x=1|x=2,x)", "{1,2}"},
      {"solve(x=1&x=2,x)", "{}"},
      {"solve(x=1&x=1,x)", "{1}"},
      {"solve((x=1|x=2)&x=2,x)", "{2}"},
      {"solve(x=y|x=z,x)", "{y,z}"},
      {"solve(x=1|y=2,x)", "true"},
      {"solve(x=1&y=2,x)", "{1}"},
      {"solve(true,x)", "true"},
      {"solve(false,x)", "{}"},
      {"solve(y=2,x)", "true"},
      {"solve(x=x,x)", "true"},
      {"solve(x=x+1,x)", "{}"},
      // An unsolved side goes second, whichever side it was.
      {"solve(x=1|abs(x)=2,x)", "union({1},solve(abs(x)=2,x))"},
      {"solve(abs(x)=1|x=1,x)", "union({1},solve(abs(x)=1,x))"},
      {"solve(abs(x)=1&x=1,x)", "intersect({1},solve(abs(x)=1,x))"},
      {"solve(abs(x)=1|abs(x)=2,x)", "solve(abs(x)=1|abs(x)=2,x)"},
      {"solve(abs(x)=1&abs(x)=2,x)", "solve(abs(x)=1&abs(x)=2,x)"},
      {"solve(x=1|x>2,x)", "<Error> Is not an equation. x>2"},
      {"solve(x>2|x>3,x)", "<Error> Is not an equation. x>2"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Solving, FailuresCarryTheirOperand) {
  const Case cases[] = {
      {"solve(x>1,x)", "<Error> Is not an equation. x>1"},
      {"solve(x+1,x)", "<Error> Is not an equation. 1+x"},
      {"solve(x=1,5)", "<Error> Is not a string, symbol or variable. 5"},
      {"solve(x=1,x+1)", "<Error> Is not a string, symbol or variable. 1+x"},
      {"solve(x=1,1/0)", "<Error> Division by 0. \"pow\""},
      {"solve(1/0,x)", "<Error> Division by 0. \"pow\""},
      // An operator node holding an error has no solutions.
      {"solve(x^(1/0),x)", "{}"},
      {"solve((x>1)=true,x)", "<Error> Is not a correct solve-term. x>1"},
      {"solve((x&y)=1,x)", "<Error> Is not a correct solve-term. x&y"},
      {"solve(x)", "<Error> Incorrect number of parameters. \"solve(x)\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Solving, BoundVariableIsReplacedByItsValue) {
  EXPECT_EQ(Line("t:=x"), "x");
  EXPECT_EQ(Line("solve(x^2=4,t)"), "{-2.,2.}");
  EXPECT_EQ(Line("x:=3"), "3");
  EXPECT_EQ(Line("solve(x=1,x)"), "<Error> Is not a string, symbol or variable. 3");
}

TEST_F(Solving, DeepNestingStaysUnsolved) {
  // exp(exp(...(x)...)) = 2 needs one rewrite per level, more than are allowed.
  Held term = Hold(MakeVariable("x"));
  for (int i = 0; i < 5000; ++i) term = Hold(CallBuiltin("exp", term.get()));
  Held two = Hold(MakeQword(2));
  Held equation = Hold(Equal(term.get(), two.get()));
  Held x = Hold(MakeVariable("x"));
  Held s = Hold(CallBuiltin("solve", equation.get(), x.get()));
  ASSERT_EQ(TypeOf(s.get()), ValueType::Function);
  EXPECT_EQ(FunctionEntryName(s.get()), "solve");
}

TEST_F(Solving, PolynomialDegree) {
  struct DegreeCase {
    const char* term;
    int flags;
    std::int64_t degree;
  };
  const DegreeCase cases[] = {
      {"x+x^2", kDescendIntoSums, 2},
      // Without recording, one summand free of x makes the whole sum degree 0.
      {"1+x+x^2", kDescendIntoSums, 0},
      {"1+x+x^2", kDescendIntoSums | kRecordCoefficients, 2},
      {"x+x^2", 0, -1},
      {"x*sin(x)", kDescendIntoSums, -1},
      {"1+x*sin(x)+x^2", kDescendIntoSums | kRecordCoefficients, -1},
      {"x^y", kDescendIntoSums, -1},
      {"2^x", kDescendIntoSums, -1},
      {"(1+x)^2", kDescendIntoSums, -1},
      {"x*(1+x)", kDescendIntoSums, -1},
  };
  for (const DegreeCase& c : cases) {
    Held t = Hold(EvaluateText(c.term));
    CoefficientList list;
    EXPECT_EQ(PolynomialDegree(t.get(), "x", c.flags, &list), c.degree)
        << c.term << " with flags " << c.flags;
  }
}

// ---- every solution satisfies its equation -----------------------------------------

// |L - R| with the variable bound to `root`.
double Residual(const Value* equation, const Value* root) {
  Held difference = Hold(Subtract(LeftOperand(equation), RightOperand(equation)));
  PushTemporaryBinding("x", root);
  Held size = Hold(CallBuiltin("abs", difference.get()));
  PopTemporaryBinding();
  if (!IsReal(size.get())) {
    ADD_FAILURE() << "residual at " << PrintValue(root) << " is " << PrintValue(size.get());
    return 1;
  }
  return DoubleOf(size.get());
}

void ExpectSolutions(const std::string& text, std::int64_t count) {
  SCOPED_TRACE(text);
  Held equation = Hold(EvaluateText(text));
  ASSERT_EQ(TypeOf(equation.get()), ValueType::Equal);
  Held x = Hold(MakeVariable("x"));
  Held s = Hold(CallBuiltin("solve", equation.get(), x.get()));
  ASSERT_EQ(TypeOf(s.get()), ValueType::Set) << PrintValue(s.get());
  EXPECT_EQ(SetCount(s.get()), count) << PrintValue(s.get());
  for (const Value* root = SetFirst(s.get()); root; root = SetNext(root))
    EXPECT_LT(Residual(equation.get(), root), 1e-8) << "root " << PrintValue(root);
}

TEST_F(Solving, SolutionsSatisfyTheirEquation) {
  const struct {
    const char* equation;
    std::int64_t count;
  } cases[] = {
      {"x^2+x=6", 2},      {"x^2-x=2", 2},         {"x*(x-1)=2", 2},   {"x^2+2*x=3", 2},
      {"x^2+x+1=5", 2},    {"3*x^2-7*x+1=0", 2},   {"x^2+x+1=0", 2},   {"x^2+1=0", 2},
      {"x^5=32", 5},       {"x^7=3", 7},           {"x^(-3)=8", 3},    {"2*x+1=7", 1},
      {"exp(x)=5", 1},     {"log(x)=2", 1},        {"sin(x)=1/2", 1},  {"tan(2*x)=2", 1},
      {"sinh(x)+1=3", 1},  {"x*(x-1)*(x+2)=0", 3}, {"(x+1)^2=9", 2},   {"x^2*3+x*6=x^2-1", 2},
      {"cos(x)=1/3", 1},   {"asin(x)=1/2", 1},     {"acos(x)=1/2", 1}, {"atan(x)=1", 1},
      {"cosh(x)=2", 1},    {"tanh(x)=1/2", 1},     {"asinh(x)=1", 1},  {"acosh(x)=2", 1},
      {"atanh(x)=1/2", 1},
  };
  for (const auto& c : cases) ExpectSolutions(c.equation, c.count);

  // Random quadratics with integer coefficients, real and complex roots.
  std::mt19937 rng(11);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int trial = 0; trial < 30; ++trial) {
    const int a = pick(1, 9) * (pick(0, 1) ? 1 : -1);
    const int b = pick(-20, 20);
    const int c = pick(-20, 20);
    const int right = pick(-5, 5);
    const std::string text = "(" + std::to_string(a) + ")*x^2+(" + std::to_string(b) + ")*x+(" +
                             std::to_string(c) + ")=(" + std::to_string(right) + ")";
    ExpectSolutions(text, b * b - 4 * a * (c - right) == 0 ? 1 : 2);
  }
}

}  // namespace
}  // namespace symcalc::testing
