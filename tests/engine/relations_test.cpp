// Relations and logic: booleans when decidable, symbolic nodes otherwise, and
// the errors of operands that cannot be compared.
#include "test_support.h"

namespace symcalc::testing {
namespace {

class Relations : public EngineTest {};

TEST_F(Relations, NumbersCompareByValue) {
  const Case cases[] = {
      {"3>2", "true"},      {"2<3", "true"},       {"2>=2", "true"},     {"2<=1", "false"},
      {"1=1.0", "true"},    {"1/3<>0.5", "true"},  {"1/2=0.5", "true"},  {"2>3/2", "true"},
      {"2=>2", "true"},     {"1=<2", "true"},      {"1><2", "true"},     {"-1/3<-1/4", "true"},
      // Doubles compare as they are: 0.1+0.2 is 0.30000000000000004.
      {"0.1+0.2=0.3", "false"},
  };
  EXPECT_CASES(cases);
}

// Integers and fractions compare exactly, even beyond the 53 bits of a double.
TEST_F(Relations, IntegersAndFractionsAreExact) {
  const Case cases[] = {
      {"9007199254740993>9007199254740992", "true"},
      {"9007199254740993=9007199254740992", "false"},
      {"9223372036854775807>9223372036854775806", "true"},
      {"2147483647/2147483646>2147483646/2147483645", "false"},
      {"1/3=1/3", "true"},
      {"9007199254740993=9007199254740992.0", "true"},  // a double decides by double value
  };
  EXPECT_CASES(cases);
}

TEST_F(Relations, SymbolicOperandsMakeNodes) {
  const Case cases[] = {
      {"x>3", "x>3"},   {"x<3", "3>x"},   {"x>=3", "x>=3"}, {"x<=3", "3>=x"},
      {"x=3", "x=3"},   {"x<>3", "x<>3"}, {"x>y", "x>y"},   {"x+1=2*x", "1+x=2*x"},
  };
  EXPECT_CASES(cases);
  EXPECT_EQ(Eval("r:=x<3"), "3>x");
  EXPECT_EQ(Eval("x:=5"), "5");
  EXPECT_EQ(Eval("r"), "false");
}

TEST_F(Relations, Infinities) {
  const Case cases[] = {
      {"infinity>10", "true"},           {"-infinity>=-infinity", "true"},
      {"5>infinity", "false"},           {"5>-infinity", "true"},
      {"infinity=infinity", "true"},     {"infinity<>-infinity", "true"},
      {"infinity>infinity", "false"},    {"-infinity>5", "false"},
      {"infinity>=5", "true"},           {"-infinity>=5", "false"},
      {"5=infinity", "false"},           {"5<>infinity", "true"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Relations, ComplexNumbers) {
  const Case cases[] = {
      {"#c(1,2)=#c(1,2)", "true"},
      {"#c(1,2)<>#c(1,2)", "false"},
      {"#c(1,2)=1", "false"},
      {"#c(1,2)>1", "<Error> Is not a real-number. #c(1, 2)"},
      {"1>=#c(1,2)", "<Error> Is not a real-number. #c(1, 2)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Relations, OperandsThatCannotBeCompared) {
  const Case cases[] = {
      {"true=true", "<Error> Is not a number-type. true"},
      {"\"a\"=\"a\"", "<Error> Is not a number-type. \"a\""},
      {"undefined=1", "<Error> Is not a number-type. undefined"},
      {"[1]=0", "<Error> Is not a number-type. [1]"},
      {"1<[1,2]", "<Error> Is not a number-type. [1,2]"},
      {"1/0=1", "<Error> Division by 0. \"pow\""},
      {"1=1/0", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Relations, Logic) {
  const Case cases[] = {
      {"true&false", "false"},
      {"true|false", "true"},
      {"true!true", "false"},
      {"false!true", "true"},
      {"true&1", "<Error> Is not a number-type. true"},
      {"1&true", "<Error> Is not a number-type. true"},
      {"1&2", "<Error> Is not a boolean. 1"},
      {"true&[1]", "<Error> Is not a boolean. [1]"},
      {"infinity|true", "<Error> Is not a boolean. infinity"},
      {"x&true", "x&true"},
      {"x>1|y<2", "x>1|2>y"},
      {"1/0&true", "<Error> Division by 0. \"pow\""},
      {"3>2&2>1", "true"},
  };
  EXPECT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
