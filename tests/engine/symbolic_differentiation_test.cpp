// diff: numbers and names, the function and operator rules, the failures with
// their operands, deep terms, and every rule checked against a central
// difference of the function it differentiates.
#include <algorithm>
#include <cmath>
#include <string>

#include "eval/simplify.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Differentiation : public EngineTest {};

TEST_F(Differentiation, NumbersAndNames) {
  const Case cases[] = {
      {"diff(5,x)", "0"},
      {"diff(2.5,x)", "0"},
      {"diff(3/4,x)", "0"},
      {"diff(#c(1,2),x)", "0"},
      {"diff(pi,x)", "0"},
      {"diff(x,x)", "1"},
      {"diff(y,x)", "0"},
      // Only the name text counts, whatever kind of name carries it.
      {"diff(\"x\",x)", "1"},
      {"diff('x',x)", "1"},
      {"diff(x,\"x\")", "1"},
      {"diff(x^2,'x')", "2*x"},
      // Byte for byte: neither case nor prefixes match.
      {"diff(x,\"X\")", "0"},
      {"diff(xy,x)", "0"},
      {"diff(x,xy)", "0"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Differentiation, FunctionRules) {
  const Case cases[] = {
      {"diff(exp(2*x),x)", "2*exp(2*x)"},
      {"diff(log(x^2+1),x)", "2*x*(1+x^2)^(-1)"},
      {"diff(sqr(x),x)", "1/2*x^(-1)*sqr(x)"},
      {"diff(sin(x^2),x)", "2*x*cos(x^2)"},
      {"diff(cos(2*x),x)", "(-2)*sin(2*x)"},
      {"diff(tan(x),x)", "1+tan(x)^2"},
      {"diff(asin(x),x)", "sqr(1+(-1)*x^2)^(-1)"},
      {"diff(acos(x),x)", "(-1)*sqr(1+(-1)*x^2)^(-1)"},
      {"diff(atan(x),x)", "(1+x^2)^(-1)"},
      {"diff(sinh(x),x)", "cosh(x)"},
      {"diff(cosh(x),x)", "sinh(x)"},
      {"diff(tanh(x),x)", "1+(-1)*tanh(x)^2"},
      {"diff(asinh(x),x)", "sqr(1+x^2)^(-1)"},
      {"diff(acosh(x),x)", "sqr((-1)+x^2)^(-1)"},
      {"diff(atanh(x),x)", "(1+(-1)*x^2)^(-1)"},
      // An argument free of the variable makes the whole application constant.
      {"diff(sin(y),x)", "0"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Differentiation, OperatorRules) {
  const Case cases[] = {
      {"diff(x+y+x^2,x)", "1+2*x"},
      {"diff(x*y,x)", "y"},
      {"diff(x*sin(x),x)", "sin(x)+x*cos(x)"},
      {"diff(x^2*y^3,y)", "3*x^2*y^2"},
      // Every power goes through its logarithm; the simplifier reduces the
      // constant exponents.
      {"diff(x^3,x)", "3*x^2"},
      {"diff(x^(1/2),x)", "1/2*x^(-1/2)"},
      {"diff(1/x,x)", "(-1)*x^(-2)"},
      {"diff(2.5*x^2,x)", "5.*x"},
      {"diff(2^x,x)", "0.6931471806*2^x"},
      {"diff(y^x,x)", "log(y)*y^x"},
      {"diff(x^x,x)", "(1+log(x))*x^x"},
      {"diff(#c(0,1)*x,x)", "#c(0, 1)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Differentiation, FunctionsWithoutARuleStayUnevaluated) {
  const Case cases[] = {
      {"diff(abs(x),x)", "diff(abs(x),x)"},
      {"diff(atan(y,x),x)", "diff(atan(y,x),x)"},
      {"diff(diff(abs(x),x),x)", "diff(diff(abs(x),x),x)"},
      {"diff(sin(x)+abs(x),x)", "cos(x)+diff(abs(x),x)"},
      {"diff(abs(x)*x,x)", "abs(x)+x*diff(abs(x),x)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Differentiation, FailuresCarryTheirOperand) {
  const Case cases[] = {
      {"diff(infinity,x)", "<Error> Is not a correct analysis-term. infinity"},
      {"diff(x^2+sin(x)*infinity,x)", "<Error> Is not a correct analysis-term. infinity"},
      {"diff(x>1,x)", "<Error> Is not a correct analysis-term. x>1"},
      {"diff(x&y,x)", "<Error> Is not a correct analysis-term. x&y"},
      // Met deep inside, the failing subterm is the operand.
      {"diff(x*(y>1),x)", "<Error> Is not a correct analysis-term. y>1"},
      {"diff(true,x)", "<Error> Is not a correct analysis-term. true"},
      {"diff(x+[1,2],x)", "<Error> Is not a correct analysis-term. [1,2]"},
      {"diff({1},x)", "<Error> Is not a correct analysis-term. {1}"},
      {"diff(1..2,x)", "<Error> Is not a correct analysis-term. 1..2"},
      {"diff(x,3)", "<Error> Is not a string, symbol or variable. 3"},
      {"diff(x,x+1)", "<Error> Is not a string, symbol or variable. 1+x"},
      {"diff(x,sin(x))", "<Error> Is not a string, symbol or variable. sin(x)"},
      {"diff(1/0,x)", "<Error> Division by 0. \"pow\""},
      {"diff(x,1/0)", "<Error> Division by 0. \"pow\""},
      // The term is checked before the variable.
      {"diff(1/0,3)", "<Error> Division by 0. \"pow\""},
      {"diff(x)", "<Error> Incorrect number of parameters. \"diff(x)\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Differentiation, BoundVariableIsReplacedByItsValue) {
  EXPECT_EQ(Line("t:=x"), "x");
  EXPECT_EQ(Line("diff(x^2,t)"), "2*x");
  EXPECT_EQ(Line("x:=3"), "3");
  EXPECT_EQ(Line("diff(x^2,x)"), "<Error> Is not a string, symbol or variable. 3");
}

TEST_F(Differentiation, DeepNestingEndsWithAnError) {
  // sin(sin(...(x)...)), deeper than any recursion here may go.
  Held term = Hold(MakeVariable("x"));
  for (int i = 0; i < 150000; ++i) term = Hold(CallBuiltin("sin", term.get()));
  Held x = Hold(MakeVariable("x"));
  Held d = Hold(CallBuiltin("diff", term.get(), x.get()));
  ASSERT_EQ(TypeOf(d.get()), ValueType::Error);
  EXPECT_EQ(RawErrorCode(d.get()), 19);
}

// ---- against central differences ---------------------------------------------

double ValueAt(const Value* f, double x) {
  Held point = Hold(MakeDouble(x));
  PushTemporaryBinding("x", point.get());
  Held v = Hold(Simplify(f));
  PopTemporaryBinding();
  if (!IsReal(v.get())) {
    ADD_FAILURE() << PrintValue(f) << " at " << x << " is " << PrintValue(v.get());
    return std::nan("");
  }
  return DoubleOf(v.get());
}

TEST_F(Differentiation, AgreesWithCentralDifferences) {
  const char* const functions[] = {
      "sin(x)",
      "cos(3*x)",
      "exp(x^2)",
      "log(x^2+1)",
      "sqr(x^2+1)",
      "atan(x)",
      "tan(x)",
      "x^x",
      "x^3*sin(x)",
      "sin(x)/(1+x^2)",
      "exp(sin(x))*cos(x)",
      "asin(x/2)+acos(x/3)",
      "sinh(x)*cosh(2*x)",
      "tanh(x^2)",
      "asinh(x)+acosh(x+2)+atanh(x/2)",
      "2^x*log(x)",
      "x^(1/3)*sqr(x+1)",
  };
  const double points[] = {0.3, 0.7, 1.3};
  Held x = Hold(MakeVariable("x"));
  for (const char* text : functions) {
    SCOPED_TRACE(text);
    Held f = Hold(EvaluateText(text));
    Held d = Hold(CallBuiltin("diff", f.get(), x.get()));
    const std::string printed = PrintValue(d.get());
    ASSERT_EQ(printed.find("diff("), std::string::npos) << printed;
    ASSERT_NE(TypeOf(d.get()), ValueType::Error) << printed;
    for (double p : points) {
      const double h = 1e-5;
      const double slope = (ValueAt(f.get(), p + h) - ValueAt(f.get(), p - h)) / (2 * h);
      const double exact = ValueAt(d.get(), p);
      EXPECT_NEAR(exact, slope, 1e-5 * std::max(1.0, std::abs(slope)))
          << "at x = " << p << ", derivative " << printed;
    }
  }
}

}  // namespace
}  // namespace symcalc::testing
