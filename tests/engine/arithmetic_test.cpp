// Arithmetic over the number tower, the infinities, strings and arrays.
#include "test_support.h"

namespace symcalc::testing {
namespace {

class Arithmetic : public EngineTest {};

TEST_F(Arithmetic, NumberTower) {
  const Case cases[] = {
      {"1+2", "3"},
      {"1+0.5", "1.5"},
      {"1+1/2", "3/2"},
      {"1/2+1/2", "1"},
      {"1/2+1/3", "5/6"},
      {"1/2*2/3", "1/3"},
      {"6/4", "3/2"},
      {"-6/4", "-3/2"},
      {"6/(-4)", "-3/2"},
      {"4/2", "2"},
      {"(1/3)*3", "1"},
      {"2*0.5", "1."},
      {"0.1+0.2-0.3", "0."},
      {"1/0", "<Error> Division by 0. \"pow\""},
      {"1.0/0.0", "<Error> Division by 0. \"pow\""},
      {"1/(1/2)", "2"},
      {"0.5/(1/4)", "2."},
      {"1/2-0.5", "0."},
      {"3-5", "-2"},
      {"7/7", "1"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arithmetic, ComplexNumbers) {
  const Case cases[] = {
      {"#c(1,2)*#c(1,-2)", "5"},
      {"#c(1,2)+#c(3,-2)", "4"},
      {"#c(1,2)+1", "#c(2, 2)"},
      {"1+#c(1,2)", "#c(2, 2)"},
      {"2*#c(1,2)", "#c(2, 4)"},
      {"#c(1,2)*#c(3,4)", "#c(-5, 10)"},
      {"1/#c(0,1)", "#c(0, -1)"},
      {"#c(1,2)/#c(1,2)", "1"},
      {"#c(1,1)/2", "#c(1/2, 1/2)"},
      {"im*im", "-1"},
      {"#c(1,2)-#c(1,2)", "0"},
      {"#c(1,2)*0.5", "#c(0.5, 1.)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arithmetic, Infinities) {
  const Case cases[] = {
      {"infinity+(-infinity)", "undefined"},
      {"infinity+5", "infinity"},
      {"5+infinity", "infinity"},
      {"infinity*0", "undefined"},
      {"0*infinity", "undefined"},
      {"infinity*(-2)", "-infinity"},
      {"(-infinity)*(-infinity)", "infinity"},
      {"infinity*(-infinity)", "-infinity"},
      {"5/infinity", "0"},
      {"infinity/infinity", "undefined"},
      {"infinity/2", "infinity"},
      {"infinity/(-2)", "-infinity"},
      {"infinity/0", "infinity"},
      {"infinity+infinity", "infinity"},
      {"infinity+#c(1,2)", "#c(infinity, 2)"},
      {"infinity*#c(1,2)", "#c(infinity, infinity)"},
      {"infinity+[1,2]", "infinity"},
      {"infinity+undefined", "undefined"},
      {"undefined*infinity", "undefined"},
      {"infinity+true", "<Error> Is not a number-type. true"},
      {"\"a\"*infinity", "<Error> Is not a number-type. \"a\""},
      {"infinity+{1}", "<Error> Is not a number-type. {1}"},
      {"infinity/true", "<Error> Is not a number-type. true"},
      {"true/infinity", "<Error> Is not a number-type. true"},
      {"undefined+1", "<Error> Is not a number-type. undefined"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arithmetic, Strings) {
  const Case cases[] = {
      {"\"ab\"+\"cd\"", "\"abcd\""},
      {"\"ab\"+1", "<Error> Is not a string. 1"},
      {"1+\"ab\"", "<Error> Is not a number-type. \"ab\""},
      {"\"abc\"-\"d\"", "<Error> Is not a number-type. \"d\""},
      {"\"ab\"+1/0", "<Error> Division by 0. \"pow\""},
      {"\"a\"*2", "<Error> Is not a number-type. \"a\""},
      {"\"\"+\"\"", "\"\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arithmetic, Arrays) {
  const Case cases[] = {
      {"[1,2]+[3,4]", "[4,6]"},
      {"[1,2]+[3,4,5]", "<Error> Array-sizes is not equal. [3,4,5]"},
      {"[1,2]+3", "<Error> Illegal operand is array. 3"},
      {"3+[1,2]", "<Error> Illegal operand is array. 3"},
      {"[1,2]+true", "<Error> Is not a number-type. true"},
      {"'s'+[1,2]", "<Error> Is not a number-type. 's'"},
      {"2*[1,2]", "[2,4]"},
      {"[1,2]*x", "[1,2]*x"},  // a symbolic operand makes a node first
      {"[1,2]*[3][4]", "[11]"},
      {"[1][2]*[3][4]", "11"},
      {"[1,2][3,4]*[1,0][0,1]", "[1,2] [3,4]"},
      {"[1,2][3,4]*[5][6]", "[17] [39]"},
      {"[1,2,3]*[1,2]", "<Error> Array-sizes is not equal. [1,2]"},
      {"[1,2]/2", "<Error> Is not a number-type. [1,2]"},
      {"2/[1,2]", "<Error> Is not a number-type. [1,2]"},
      {"[1,2]*true", "[<Error> Is not a number-type. true,<Error> Is not a number-type. true]"},
      {"[1,2]-[1,2]", "[0,0]"},
      {"[1/2,1]+[1/2,1]", "[1,2]"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arithmetic, MatrixProductSizeIsCheckedFirst) {
  // A 200-row column times a 200-wide row would have 40000 cells.
  std::string col, row = "[";
  for (int i = 0; i < 200; ++i) {
    col += "[1]";
    row += i ? ",1" : "1";
  }
  row += "]";
  EXPECT_EQ(Eval(col + "*" + row),
            "<Error> Illegal array-size (width*height greater as 32767). 40000");
}

TEST_F(Arithmetic, NonNumbers) {
  const Case cases[] = {
      {"true+1", "<Error> Is not a number-type. true"},
      {"1+true", "<Error> Is not a number-type. true"},
      {"{1}*2", "<Error> Is not a number-type. {1}"},
      {"(1..2)+1", "<Error> Is not a number-type. 1..2"},
      {"1/0+1/0", "<Error> Division by 0. \"pow\""},
      {"true+1/0", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

// 64-bit integers never wrap around: a result beyond the range is the double
// of the exact operands.
TEST_F(Arithmetic, IntegersNeverWrap) {
  const Case cases[] = {
      {"9223372036854775807+1", "9223372036854775808."},
      {"#x8000000000000000-1", "-9223372036854775808."},
      {"4294967296*4294967296", "18446744073709551616."},
      {"3037000499*3037000499", "9223372030926249001"},
      {"#x8000000000000000*(-1)", "9223372036854775808."},
      {"9223372036854775807-9223372036854775806", "1"},
      {"#x8000000000000000/(-1)", "9223372036854775808."},
  };
  EXPECT_CASES(cases);
}

// Fractions are exact: the whole divisor is used, parts that do not fit 32
// bits give the double of the quotient.
TEST_F(Arithmetic, FractionsAreExact) {
  const Case cases[] = {
      {"1/4294967296", "0.0000000002"},
      {"5/4294967297", "0.0000000012"},
      {"4294967296/4294967296", "1"},
      {"1/2147483647", "1/2147483647"},
      {"1/2147483648", "0.0000000005"},
      {"2147483647/2147483646+1/2147483646", "1073741824/1073741823"},
      {"1/3+1/6", "1/2"},
      {"65536/65537*65537/65536", "1"},
      {"(1/65536)*(1/65536)", "0.0000000002"},
      {"(2/3)/(4/9)", "3/2"},
  };
  EXPECT_CASES(cases);
}

// Only the quotient meets the zero snap: a divisor above 1e13 has a
// reciprocal below the bound, which must not decide the result. Expected
// texts here and in the numeric tables come from exact arithmetic.
TEST_F(Arithmetic, QuotientsSnapAsResultsNotThroughTheirReciprocal) {
  const Case cases[] = {
      {"1e14/1e14", "1."},
      {"5e13/1e13", "5."},
      {"1/1e13", "0."},
      {"3e300/1e300", "3."},
      {"1e300/3e299", "3.3333333333"},
      {"1e-20*1", "0."},
      {"factorial(25)/factorial(24)", "25."},
      {"(4611686018427387904*3)/4611686018427387904", "3."},
      {"floor(1e20,1e14)", "1000000"},
      {"atan(1e14,1e14)", "0.7853981634"},
      {"phase(#c(1e14,1e14))", "0.7853981634"},
      {"tanh(40)", "1."},
      {"1/#c(1e7,1e7)", "#c(0.00000005, -0.00000005)"},
      {"1/#c(1e-7,1e-7)", "#c(5000000., -5000000.)"},
      {"#c(3e-7,4e-7)/#c(1e-7,2e-7)", "#c(2.2, -0.4)"},
      {"#c(1e300,1e300)/#c(1e300,-1e300)", "#c(0., 1.)"},
      {"1/#c(1e150,1e150)", "0."},
      // The exact reciprocal's imaginary part leaves 32 bits and snaps to 0.
      {"#c(4000000000000,1)/#c(4000000000000,1)", "1."},
      {"infinity/(-1e14)", "-infinity"},
      {"-infinity/#c(1e14,-1e14)", "#c(-infinity, -infinity)"},
  };
  EXPECT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
