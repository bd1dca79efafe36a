// floor, ceiling, truncate and round; numerator and denominator; the
// conversions ratio, rational and float.
#include "numeric_test_support.h"

namespace symcalc::testing {
namespace {

class NumericRounding : public NumericTest {};

TEST_F(NumericRounding, RoundingGivesQwords) {
  const Case cases[] = {
      {"floor(2.7)", "2"}, {"floor(-2.3)", "-3"}, {"ceiling(2.1)", "3"},
      {"truncate(-2.7)", "-2"}, {"round(2.5)", "3"}, {"round(-2.5)", "-3"},
      {"round(2.4)", "2"}, {"round(-0.4)", "0"},
      {"round(0.49999999999999994)", "0"}, {"floor(0.99999999)", "0"},
      {"floor(123456789.5)", "123456789"}, {"floor(7/2)", "3"}, {"ceiling(-7/2)", "-3"},
      {"truncate(-7/2)", "-3"}, {"round(-7/2)", "-4"}, {"round(5)", "5"}, {"floor(pi)", "3"},
      {"round(pi)", "3"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, DivisorAndComplexArguments) {
  const Case cases[] = {
      {"floor(7,2)", "3"}, {"floor(-7,2)", "-4"}, {"round(7,2)", "4"}, {"ceiling(7,2.0)", "4"},
      {"truncate(x,3)", "truncate(x,3)"}, {"truncate(3,x)", "truncate(3,x)"},
      {"floor(5,0)", "<Error> Division by 0. \"pow\""},
      {"floor(true,2)", "<Error> Is not a number-type. true"},
      {"floor(2,infinity)", "<Error> Is not a number-type. infinity"},
      {"floor(#c(2.5,3.7))", "#c(2, 3)"}, {"floor(#c(2.5,0.5))", "2"},
      {"round(#c(-2.5,2.5))", "#c(-3, 3)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, RoundingRefusesNonNumbersAndKeepsHugeValuesDouble) {
  const Case cases[] = {
      {"round(infinity)", "<Error> Is not a number-type. infinity"},
      {"floor(undefined)", "<Error> Is not a number-type. undefined"}, {"floor(x)", "floor(x)"},
      {"floor(9.2e18)", "9200000000000000000"},
      {"floor(-9223372036854775808.0)", "-9223372036854775808"},
      {"floor(9223372036854775808.0)", "9223372036854775808.0"}, {"ceiling(-1e30)", "-1e+30"},
      {"round(1e300*1e300)", "inf"}, {"truncate(-1e300*1e300)", "-inf"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, NumeratorAndDenominator) {
  const Case cases[] = {
      {"numerator(-3/4)", "-3"}, {"denominator(-3/4)", "4"}, {"numerator(5)", "5"},
      {"denominator(5)", "1"}, {"numerator(0.5)", "<Error> Is not a rational-number. 0.5"},
      {"denominator(#c(1,2))", "<Error> Is not a rational-number. #c(1, 2)"},
      {"numerator(infinity)", "<Error> Is not a number-type. infinity"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, RatioIsTheBinaryExpansionToThirtyPlaces) {
  const Case cases[] = {
      {"ratio(0.5)", "1/2"}, {"ratio(-0.75)", "-3/4"}, {"ratio(2.0)", "2"}, {"ratio(6.0)", "6"},
      {"ratio(3.5)", "7/2"}, {"ratio(0.1)", "53687091/536870912"},
      {"ratio(0.0)", "0"}, {"ratio(3)", "3"}, {"ratio(2/3)", "2/3"},
      {"ratio(#c(1,2))", "<Error> Is not a real-number. #c(1, 2)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, RatioOfLargeAndNonFiniteDoubles) {
  const Case cases[] = {
      {"ratio(1073741824.0)", "1073741824"}, {"ratio(-1073741824.75)", "-1073741824"},
      {"ratio(6e9)", "6000000000"}, {"ratio(-9.2e18)", "-9200000000000000000"},
      {"ratio(1e19)", "<Error> Is not a rational-number. 10000000000000000000."},
      {"ratio(1e300*1e300)", "<Error> Is not a number-type. inf"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, RationalReadsSixDecimals) {
  const Case cases[] = {
      {"rational(0.25)", "1/4"}, {"rational(-1.5)", "-3/2"}, {"rational(100.1)", "1001/10"},
      {"rational(0.1)", "1/10"}, {"rational(1/3*1.0)", "333333/1000000"},
      {"rational(1e-7)", "0"}, {"rational(-1e-7)", "0"}, {"rational(4.0)", "4"},
      {"rational(7/3)", "7/3"}, {"rational(#c(1,2))", "<Error> Is not a real-number. #c(1, 2)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, RationalNarrowsWideFractionsWithoutWrapping) {
  const Case cases[] = {
      // 2147483648/10^6 reduced before narrowing to 32 bits.
      {"rational(2147.483648)", "33554432/15625"},
      // Eleven significant digits: one decimal fewer fits.
      {"rational(12345.678901)", "123456789/10000"},
      {"rational(-12345.678901)", "-123456789/10000"}, {"rational(1e10)", "10000000000"},
      {"rational(3000000000.25)", "3000000000"},
      {"rational(1e19)", "<Error> Is not a rational-number. 10000000000000000000."},
      {"rational(1e300*1e300)", "<Error> Is not a number-type. inf"},
      {"isdouble(rational(123456.123456))", "false"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericRounding, FloatConvertsToDouble) {
  const Case cases[] = {
      {"float(1/4)", "0.25"}, {"float(3)", "3.0"}, {"float(pi)", "3.141592653589793"},
      {"float(#c(1,1/2))", "#c(1.0, 0.5)"},
      {"float(infinity)", "<Error> Is not a number-type. infinity"}, {"float(x)", "float(x)"},
      {"float(\"a\")", "<Error> Is not a number-type. \"a\""},
  };
  EXPECT_EXACT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
