// exp, sqr, abs, log, pow and sgn, and the argument screening they share with
// every numeric builtin.
#include "numeric_test_support.h"

namespace symcalc::testing {
namespace {

class NumericElementary : public NumericTest {};

TEST_F(NumericElementary, ScreeningPassesErrorsKeepsSymbolsRefusesNonNumbers) {
  const Case cases[] = {
      {"exp(true)", "<Error> Is not a number-type. true"},
      {"sqr(\"a\")", "<Error> Is not a number-type. \"a\""},
      {"abs([1,2])", "<Error> Is not a number-type. [1,2]"},
      {"log({1})", "<Error> Is not a number-type. {1}"},
      {"sgn('s')", "<Error> Is not a number-type. 's'"},
      {"exp(undefined)", "<Error> Is not a number-type. undefined"},
      {"exp(1..2)", "<Error> Is not a number-type. 1..2"},
      {"pow(true,2)", "<Error> Is not a number-type. true"},
      {"pow(2,\"a\")", "<Error> Is not a number-type. \"a\""},
      {"exp(1/0)", "<Error> Division by 0. \"pow\""},
      {"abs(log(0))", "<Error> Division by 0. \"log\""},
      {"pow(log(0),1/0)", "<Error> Division by 0. \"log\""}, {"exp(x)", "exp(x)"},
      {"sqr(x+1)", "sqr(1+x)"}, {"sgn(x)", "sgn(x)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericElementary, ExpUsesItsOwnConstantE) {
  const Case cases[] = {
      {"exp(0)", "1.0"}, {"exp(1)", "2.7182818284590455"}, {"exp(2)", "7.389056098930652"},
      {"exp(pi)", "23.140692632779274"}, {"exp(infinity)", "infinity"}, {"exp(-infinity)", "0"},
      {"exp(-40)", "0.0"},  // below the zero snap
      {"exp(#c(0,1))", "#c(0.5403023058681398, 0.8414709848078965)"},
      {"exp(#c(1,pi))", "-2.7182818284590455"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, SqrIsThePrincipalRootAndNeverExact) {
  const Case cases[] = {
      {"sqr(4)", "2.0"}, {"sqr(2)", "1.4142135623730951"}, {"sqr(1/4)", "0.5"},
      {"sqr(-4)", "#c(0, 2.0)"}, {"sqr(infinity)", "infinity"},
      {"sqr(-infinity)", "#c(0, infinity)"}, {"sqr(#c(0,2))", "#c(1.0000000000000002, 1.0)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, AbsKeepsTheTypeOfARealArgument) {
  const Case cases[] = {
      {"abs(-3)", "3"}, {"abs(-2/3)", "2/3"}, {"abs(-2.5)", "2.5"},
      {"abs(#c(3,4))", "5.0"}, {"abs(infinity)", "infinity"}, {"abs(-infinity)", "infinity"},
      // The most negative qword has no qword opposite.
      {"abs(-9223372036854775807-1)", "9223372036854775808.0"},
      {"abs(-9223372036854775807)", "9223372036854775807"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, LogOfZeroAndOfNegativeNumbers) {
  const Case cases[] = {
      {"log(1)", "0.0"}, {"log(2)", "0.6931471805599453"},
      {"log(0)", "<Error> Division by 0. \"log\""}, {"log(0.0)", "<Error> Division by 0. \"log\""},
      {"log(-1)", "#c(0.0, 3.141592653589793)"}, {"log(infinity)", "infinity"},
      {"log(-infinity)", "#c(infinity, 3.141592653589793)"},
      {"log(#c(0,1))", "#c(0.0, 1.5707963267948966)"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, PowSpecialBasesAndExponents) {
  const Case cases[] = {
      {"pow(1,x)", "1"}, {"pow(1,2.5)", "1"}, {"pow(x,1)", "x"}, {"pow(x,2)", "x^2"},
      {"pow(0,0)", "<Error> Division by 0. \"pow\""},
      {"pow(0,-1)", "<Error> Division by 0. \"pow\""},
      {"pow(0,-infinity)", "<Error> Division by 0. \"pow\""}, {"pow(0,2)", "0"},
      {"pow(0.0,2)", "0.0"}, {"pow(5,-infinity)", "0"}, {"pow(5,infinity)", "infinity"},
      {"pow(infinity,0)", "1"}, {"pow(infinity,-1)", "0"}, {"pow(infinity,2)", "infinity"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, PowOfIntegersAndFractionsIsExact) {
  const Case cases[] = {
      {"pow(2,10)", "1024"}, {"2^10", "1024"}, {"pow(-2,3)", "-8"},
      {"pow(2,-2)", "1/4"}, {"pow(-2,-3)", "-1/8"}, {"pow(2/3,2)", "4/9"}, {"pow(2/3,-2)", "9/4"},
      {"pow(2,52)", "4503599627370496"}, {"pow(2,53)+1", "9007199254740993"},
      {"pow(10,15)", "1000000000000000"}, {"pow(10,18)", "1000000000000000000"},
      {"pow(3,39)", "4052555153018976267"}, {"pow(-2,63)", "-9223372036854775808"},
      {"pow(-1,9223372036854775807)", "-1"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, PowBeyondExactRangeStaysAReal) {
  const Case cases[] = {
      // Fractions whose parts leave 32 bits: the double of the exact quotient.
      {"pow(2/3,20)", "0.0003007286598217175"}, {"pow(-2/3,21)", "-0.00020048577321447834"},
      {"pow(1/10,10)", "1e-10"},
      // Qword powers beyond 64 bits: a double, signed by the exponent's parity.
      {"isdouble(pow(2,63))", "true"}, {"pow(2,63)>9.2233720368547e18", "true"},
      {"pow(-3,41)<-3.6472996377e19", "true"}, {"isdouble(pow(-3,41))", "true"},
      {"pow(-3,40)>0", "true"},
  };
  EXPECT_EXACT_CASES(cases);
}

// The squares of the parts would snap (1e-7) or overflow (1e200).
TEST_F(NumericElementary, ComplexMagnitudesNeitherSnapNorOverflowTheirSquares) {
  const Case cases[] = {
      {"abs(#c(1e-7,1e-7))", "0.0000001414"},
      {"log(#c(1e-7,1e-7))", "#c(-15.7715220607, 0.7853981634)"},
      {"sqr(#c(1e-7,1e-7))", "#c(0.0003474344, 0.000143912)"},
      {"sgn(#c(1e-7,1e-7))", "#c(0.7071067812, 0.7071067812)"},
      {"abs(#c(1e-150,1e-150))", "0."},
      {"abs(#c(1e150,1e150))/1e150", "1.4142135624"},
      {"abs(#c(3e200,-4e200))/1e200", "5."},
      {"log(#c(1e200,1e200))", "#c(460.8635921891, 0.7853981634)"},
  };
  EXPECT_CASES(cases);
}

// Beyond 64 bits an integer power is the double nearest to the exact power.
TEST_F(NumericElementary, PowersBeyond64BitsAreTheNearestDouble) {
  const Case cases[] = {
      {"2^63", "9223372036854775808."},
      {"2^64", "18446744073709551616."},
      {"(-2)^64", "18446744073709551616."},
      {"2^100", "1267650600228229401496703205376."},
      {"3^50", "717897987691852578422784."},
      {"(-3)^41", "-36472996377170788352."},
      {"10^22", "10000000000000000000000."},
      {"10^23", "99999999999999991611392."},
      {"2^1000",
       "107150860718626732094842504906000181056140481170553360744375038837035105112493612249319837"
       "881569585812759467291755314682518714528569231404359845775746985748039345677748242309854210"
       "746050623711418779541821530464749835819412673987675591655439460770629145711964776865421676"
       "60429831652624386837205668069376."},
      {"2^1024", "inf"},
      // A double base rounds once too; the sign follows the integer exponent.
      {"2.0^64", "18446744073709551616."},
      {"(-1.5)^101", "-609841766302822912."},
  };
  EXPECT_CASES(cases);
}

TEST_F(NumericElementary, PowGeneralCase) {
  const Case cases[] = {
      {"pow(4,0.5)", "2.0"}, {"pow(pi,2)", "9.869604401089358"},
      {"pow(2,1/2)", "1.4142135623730951"}, {"pow(-8,1/3)", "#c(1.0, 1.732050807568877)"},
      {"pow(#c(0,1),2)", "-1.0"},
  };
  EXPECT_EXACT_CASES(cases);
}

TEST_F(NumericElementary, SgnTakesTheSignDirectly) {
  const Case cases[] = {
      {"sgn(-7)", "-1"}, {"sgn(0)", "0"}, {"sgn(0.0)", "0.0"}, {"sgn(-2.5)", "-1.0"},
      {"sgn(-3/4)", "-1"}, {"sgn(infinity)", "1"}, {"sgn(-infinity)", "-1"},
      {"sgn(10000000000)", "1"}, {"sgn(-9223372036854775807-1)", "-1"},
      // x/abs(x), each part divided by 5.0
      {"sgn(#c(3,4))", "#c(0.6, 0.8)"},
  };
  EXPECT_EXACT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
