// Hyperbolic, circular and complex-number functions.
#include "numeric_test_support.h"

namespace symcalc::testing {
namespace {

class NumericTrigonometric : public NumericTest {};

TEST_F(NumericTrigonometric, CircularFunctionsOfReals) {
  const Case cases[] = {
      {"sin(0)", "0.0"}, {"tan(0)", "0.0"}, {"cos(0)", "1.0"}, {"sin(1)", "0.8414709848078965"},
      {"sin(1/2)", "0.479425538604203"},
      {"sin(pi)", "0.0"},  // the zero snap removes the sine of the double pi
      {"cos(pi)", "-1.0"}, {"tan(pi)", "0.0"}, {"tan(1)", "1.557407724654902"},
      {"tan(1.5707963267948966)", "<Error> Division by 0. 1.5707963268"},
      {"sin(infinity)", "(-1)..1"}, {"cos(-infinity)", "(-1)..1"}, {"tan(infinity)", "undefined"},
      {"sin(x)", "sin(x)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericTrigonometric, InverseCircularFunctionsGoThroughTheComplexLogarithm) {
  const Case cases[] = {
      {"asin(1)", "1.5707963267948966"}, {"acos(0.5)", "1.0471975511965976"},
      {"asin(2)", "#c(1.5707963267948966, -1.3169578969248166)"},
      {"acos(2)", "#c(0.0, -1.3169578969248166)"}, {"asin(infinity)", "#c(0, -infinity)"},
      {"asin(-infinity)", "#c(0, infinity)"}, {"acos(infinity)", "#c(0, infinity)"},
      {"acos(-infinity)", "#c(0, -infinity)"}, {"atan(1)", "0.7853981633974483"},
      {"atan(infinity)", "1.5707963267948966"}, {"atan(-infinity)", "-1.5707963267948966"},
      {"atan(x)", "atan(x)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericTrigonometric, TwoArgumentAtanCoversMinusHalfPiToThreeHalvesPi) {
  const Case cases[] = {
      {"atan(1,-1)", "2.356194490192345"}, {"atan(-1,-1)", "3.9269908169872414"},
      {"atan(1,1)", "0.7853981633974483"}, {"atan(1,0)", "1.5707963267948966"},
      {"atan(-2,0)", "-1.5707963267948966"}, {"atan(0,0)", "0.0"},
      {"atan(infinity,1)", "1.5707963267948966"}, {"atan(infinity,infinity)", "0.7853981633974483"},
      {"atan(-infinity,-infinity)", "-2.356194490192345"}, {"atan(5,infinity)", "0"},
      {"atan(5,-infinity)", "3.141592653589793"}, {"atan(x,1)", "atan(x,1)"},
      {"atan(#c(0,2),1)", "<Error> Is not a real-number. #c(0, 2)"},
      {"atan(1,#c(0,2))", "<Error> Is not a real-number. #c(0, 2)"},
      {"atan(true,1)", "<Error> Is not a number-type. true"},
      {"atan(log(0),1/0)", "<Error> Division by 0. \"log\""},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericTrigonometric, FunctionsOfComplexArguments) {
  const Case cases[] = {
      {"sin(#c(1,1))", "#c(1.2984575814159773, 0.6349639147847362)"},
      {"cos(#c(1,1))", "#c(0.8337300251311492, -0.9888977057628652)"},
      {"atan(#c(1,1))", "#c(1.0172219678978514, 0.4023594781085251)"},
      {"sinh(#c(0,1))", "#c(0.0, 0.8414709848078965)"},
      {"tan(#c(0,1))", "#c(0.0, 0.7615941559557649)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericTrigonometric, HyperbolicFunctions) {
  const Case cases[] = {
      {"sinh(0)", "0.0"}, {"cosh(0)", "1.0"}, {"sinh(1)", "1.1752011936438016"},
      {"cosh(1)", "1.543080634815244"}, {"tanh(1)", "0.7615941559557649"},
      {"sinh(-infinity)", "-infinity"}, {"cosh(-infinity)", "infinity"}, {"tanh(infinity)", "1"},
      {"tanh(-infinity)", "-1"}, {"asinh(1)", "0.8813735870195429"},
      {"asinh(infinity)", "infinity"}, {"acosh(1)", "0.0"},
      {"acosh(0.5)", "#c(0.0, 1.0471975511965976)"}, {"acosh(-infinity)", "infinity"},
      {"atanh(2)", "#c(0.5493061443340549, 1.5707963267948966)"},
      {"atanh(1)", "<Error> Division by 0. \"pow\""},
      {"atanh(-1)", "<Error> Division by 0. \"log\""},
      {"atanh(infinity)", "#c(0, -1.5707963267948966)"},
      {"atanh(-infinity)", "#c(0, 1.5707963267948966)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericTrigonometric, HyperbolicFunctionsStayFiniteForLargeArguments) {
  const Case cases[] = {
      // sinh and cosh overflow to inf: tanh is the sign of the argument.
      {"tanh(1000)", "1"}, {"tanh(-1000)", "-1"}, {"tanh(1000.0)", "1.0"},
      {"tanh(-1000.0)", "-1.0"}, {"tanh(30)", "1.0"},
      // asinh(x) = -asinh(-x): the sum sqr(x*x + 1) + x would cancel to 0.
      {"asinh(-1/2)", "-0.48121182505960347"},
  };
  EXPECT_EXACT_CASES(cases);
}

// The sum inside the logarithm cancels for large arguments in one half-plane;
// the results stay on the branches the formulas define, as exact evaluation
// of those formulas gives them.
TEST_F(NumericTrigonometric, InverseFunctionsOfLargeArgumentsDoNotCancel) {
  const Case cases[] = {
      {"asin(1e8)", "#c(1.5707963268, -19.1138279245)"},
      {"asin(-1e8)", "#c(-1.5707963268, 19.1138279245)"},
      {"asin(-1e150)", "#c(-1.5707963268, 346.0809111297)"},
      {"asin(#c(1e8,-1e8))", "#c(0.7853981634, -19.4604015148)"},
      {"asin(#c(-1e150,1e150))", "#c(-0.7853981634, 346.4274847199)"},
      {"acos(1e8)", "#c(0., -19.1138279245)"},
      {"acos(-1e8)", "#c(3.1415926536, 19.1138279245)"},
      {"acos(-1e150)", "#c(3.1415926536, 346.0809111297)"},
      {"acos(#c(1e8,-1e8))", "#c(0.7853981634, 19.4604015148)"},
      {"acos(#c(-1e150,1e150))", "#c(2.3561944902, -346.4274847199)"},
      {"acosh(1e8)", "19.1138279245"},
      {"acosh(-1e8)", "#c(-19.1138279245, 3.1415926536)"},
      {"acosh(-1e150)", "#c(-346.0809111297, 3.1415926536)"},
      {"acosh(#c(1e8,-1e8))", "#c(-19.4604015148, 0.7853981634)"},
      {"acosh(#c(-1e150,1e150))", "#c(346.4274847199, 2.3561944902)"},
      {"asinh(-1e150)", "-346.0809111297"},
      {"asinh(#c(1e8,-1e8))", "#c(19.4604015148, -0.7853981634)"},
      {"asinh(#c(-1e150,1e150))", "#c(-346.4274847199, 0.7853981634)"},
      {"atanh(1e8)", "#c(0.00000001, 1.5707963268)"},
      {"atanh(-1e150)", "#c(0., 1.5707963268)"},
      {"atanh(#c(1e8,-1e8))", "#c(0.000000005, 1.5707963318)"},
      // x*x overflows: the root is |x|.
      {"acos(1e308)", "#c(0., -709.8893558227)"},
      {"asinh(-1.7e308)", "-710.4199840738"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericTrigonometric, ComplexNumberParts) {
  const Case cases[] = {
      {"realpart(3)", "3"}, {"realpart(#c(3,4))", "3"}, {"realpart(pi)", "3.141592653589793"},
      {"imagpart(3)", "0"}, {"imagpart(#c(3,4))", "4"}, {"phase(-1)", "3.141592653589793"},
      {"phase(2)", "0.0"}, {"phase(0)", "0.0"}, {"phase(#c(1,1))", "0.7853981633974483"},
      {"conjugate(#c(3,4))", "#c(3, -4)"}, {"conjugate(2/3)", "2/3"}, {"cis(0)", "1.0"},
      {"cis(1)", "#c(0.5403023058681398, 0.8414709848078965)"},
      {"cis(#c(3,4))", "<Error> Is not a real-number. #c(3, 4)"},
      {"realpart(infinity)", "<Error> Is not a number-type. infinity"},
      {"phase(infinity)", "<Error> Is not a number-type. infinity"},
      {"conjugate(-infinity)", "<Error> Is not a number-type. -infinity"},
      {"imagpart(x)", "imagpart(x)"},
  };
  EXPECT_EXACT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
