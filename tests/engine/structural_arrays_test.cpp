// Arrays: construction and its size limits, minors, the scalar product, cell
// access and dimensions. Determinants have their own file.
#include "test_support.h"

namespace symcalc::testing {
namespace {

class Arrays : public EngineTest {};

TEST_F(Arrays, Construction) {
  const Case cases[] = {
      {"array(2,3)", "[0,0] [0,0] [0,0]"},
      {"width(array(2,3))", "2"},
      {"height(array(2,3))", "3"},
      {"height(array(1,32767))", "32767"},
      {"vector(3)", "[0] [0] [0]"},
      {"identity(3)", "[1,0,0] [0,1,0] [0,0,1]"},
      {"identity(1)", "[1]"},
      {"width(identity(181))", "181"},
      {"array(x,2)", "array(x,2)"},
      {"vector(n)", "vector(n)"},
      {"identity(n)", "identity(n)"},
      {"array(1/0,x)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arrays, ConstructionChecksInOrder) {
  const Case cases[] = {
      {"array(0,5)", "<Error> Illegal array-size (lower as 1). 0"},
      {"array(5,-2)", "<Error> Illegal array-size (lower as 1). -2"},
      {"array(200,200)", "<Error> Illegal array-size (width*height greater as 32767). 40000"},
      {"array(2,16384)", "<Error> Illegal array-size (width*height greater as 32767). 32768"},
      {"array(2.5,2)", "<Error> Is not a integer-number. 2.5"},
      {"array(2,1/2)", "<Error> Is not a integer-number. 1/2"},
      {"array(\"a\",2)", "<Error> Is not a number-type. \"a\""},
      {"array(2.5,\"a\")", "<Error> Is not a number-type. \"a\""},
      {"vector(0)", "<Error> Illegal array-size (lower as 1). 0"},
      {"vector(40000)", "<Error> Illegal array-size (width*height greater as 32767). 40000"},
      {"vector(true)", "<Error> Is not a number-type. true"},
      {"identity(182)", "<Error> Illegal array-size (width*height greater as 32767). 33124"},
      {"identity(0)", "<Error> Illegal array-size (lower as 1). 0"},
      {"identity(-4)", "<Error> Illegal array-size (lower as 1). -4"},
      {"identity(70000)", "<Error> Illegal array-size (width*height greater as 32767). 4900000000"},
      {"identity(1.5)", "<Error> Is not a integer-number. 1.5"},
  };
  EXPECT_CASES(cases);
}

// Dimensions whose product leaves 64 bits must not wrap around to a small
// array; the product is reported as a double then.
TEST_F(Arrays, HugeDimensionsAreRefusedWithoutWrapping) {
  const Case cases[] = {
      {"array(4294967296,4294967296)",
       "<Error> Illegal array-size (width*height greater as 32767). 18446744073709551616."},
      {"array(65536,65536)",
       "<Error> Illegal array-size (width*height greater as 32767). 4294967296"},
      {"array(1,40000)", "<Error> Illegal array-size (width*height greater as 32767). 40000"},
      {"array(-1,40000)", "<Error> Illegal array-size (lower as 1). -1"},
      {"identity(4294967296)",
       "<Error> Illegal array-size (width*height greater as 32767). 18446744073709551616."},
      {"identity(3037000500)",
       "<Error> Illegal array-size (width*height greater as 32767). 9223372037000249344."},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arrays, Minors) {
  const Case cases[] = {
      {"untmat([1,2,3][4,5,6][7,8,9],0,0)", "[5,6] [8,9]"},
      {"untmat([1,2,3][4,5,6][7,8,9],1,2)", "[1,2] [7,8]"},
      {"untmat([1,2,3][4,5,6],0,1)", "[4,6]"},
      {"untdet([1,2,3][4,5,6][7,8,9],0,0)", "-3"},
      {"untdet([1,2,3][4,5,6][7,8,9],0,1)", "6"},
      {"untdet([1,2][3,4],1,1)", "1"},
      {"untdet([1,2][3,4],1,0)", "-2"},
      {"untmat([1,2,3],0,0)", "<Error> Illegal array-size by determinant (lower as 2). [1,2,3]"},
      {"untmat([1,2][3,4],2,0)", "<Error> Illegal number by determinant. 2"},
      {"untmat([1,2][3,4],0,-1)", "<Error> Illegal number by determinant. -1"},
      {"untmat(5,0,0)", "<Error> Is not an array. 5"},
      {"untmat(\"m\",0,0)", "<Error> Is not a number-type. \"m\""},
      {"untmat([1,2][3,4],\"r\",0)", "<Error> Is not a number-type. \"r\""},
      {"untmat(5,\"r\",0)", "<Error> Is not a number-type. \"r\""},
      {"untmat([1,2][3,4],0.5,0)", "<Error> Is not a integer-number. 0.5"},
      {"untmat([1,2,3],5,0)", "<Error> Illegal number by determinant. 5"},
      {"untdet([1,2,3],0,0)", "<Error> Illegal array-size by determinant (lower as 2). [1,2,3]"},
      // The minor of a matrix that is not square has no determinant.
      {"untdet([1,2,3][7,8,9],0,0)", "<Error> Width and height is not equal. [8,9]"},
      {"untdet([1,2][3,4][5,6],2,1)", "<Error> Width and height is not equal. [1] [3]"},
      {"untdet(m,0,0)", "untdet(m,0,0)"},
      {"untmat([1,2][3,4],r,0)", "untmat([1,2] [3,4],r,0)"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arrays, ScalarProduct) {
  const Case cases[] = {
      {"scalar(vector(3),vector(3))", "0"},
      {"scalar([1][2][3],[4][5][6])", "32"},
      {"scalar([x][2],[3][y])", "3*x+2*y"},
      {"scalar([1][2],[1/2][1/4])", "1"},
      {"scalar([1,2],vector(2))", "<Error> Is not a vector. [1,2]"},
      {"scalar(vector(2),vector(3))", "<Error> Array-sizes is not equal. [0] [0]"},
      {"scalar(5,vector(2))", "<Error> Is not an array. 5"},
      {"scalar(vector(2),\"b\")", "<Error> Is not a number-type. \"b\""},
      {"scalar(v,vector(2))", "scalar(v,[0] [0])"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arrays, ReadingCells) {
  const Case cases[] = {
      {"getarg([1,2][3,4],0)", "1"},
      {"getarg([1,2][3,4],3)", "4"},
      {"getarg([1,2][3,4],4)", "<Error> Array index out of bounds. 4"},
      {"getarg([1,2][3,4],-1)", "<Error> Array index out of bounds. -1"},
      {"getarg([1,2][3,4],65536)", "<Error> Array index out of bounds. 65536"},
      {"getarg([1,2][3,4],1.0)", "<Error> Is not a integer-number. 1."},
      {"getarg(5,0)", "<Error> Is not an array. 5"},
      {"getarg(x,0)", "<Error> Is not an array. x"},
      {"getarg({5,6,7},2)", "7"},
      {"getarg({5,6,7},3)", "<Error> Set index out of bounds. 3"},
      {"getarg({5,6,7},-1)", "<Error> Set index out of bounds. -1"},
      {"getarg({},0)", "<Error> Set index out of bounds. 0"},
      {"getargxy([1,2][3,4],1,0)", "3"},
      {"getargxy([1,2,3][4,5,6],1,2)", "6"},
      {"getargxy([1,2][3,4],0,2)", "<Error> Array index out of bounds. 2"},
      {"getargxy([1,2][3,4],2,0)", "<Error> Array index out of bounds. 2"},
      {"getargxy([1,2][3,4],0.5,9)", "<Error> Is not a integer-number. 0.5"},
      {"getargxy({1},0,0)", "<Error> Is not an array. {1}"},
      {"getargxy([1,2][3,4],1/0,0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arrays, ReplacingCells) {
  const Case cases[] = {
      {"setarg([1,2][3,4],0,x)", "[x,2] [3,4]"},
      {"setarg([1,2][3,4],3,{1,2})", "[1,2] [3,{1,2}]"},
      {"setarg([1,2][3,4],0,array(1,1))", "<Error> Array cannot in array. [0]"},
      {"setarg(5,0,array(1,1))", "<Error> Array cannot in array. [0]"},
      {"setarg([1,2][3,4],0,1/0)", "<Error> Division by 0. \"pow\""},
      {"setarg([1,2][3,4],4,0)", "<Error> Array index out of bounds. 4"},
      {"setarg({1,2},0,5)", "<Error> Is not an array. {1,2}"},
      {"setarg([1,2],x,5)", "<Error> Is not a integer-number. x"},
      {"setargxy([1,2][3,4],1,1,9)", "[1,2] [3,9]"},
      {"setargxy([1,2][3,4],1,2,9)", "<Error> Array index out of bounds. 2"},
      {"setargxy([1,2][3,4],5,0,[1])", "<Error> Array index out of bounds. 5"},
      {"setargxy([1,2][3,4],0,0,[1])", "<Error> Array cannot in array. [1]"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Arrays, SetargLeavesItsArgumentUnchanged) {
  EXPECT_EQ(Line("a:=[1,2][3,4]"), "[1,2] [3,4]");
  EXPECT_EQ(Line("b:=setarg(a,0,9)"), "[9,2] [3,4]");
  EXPECT_EQ(Line("c:=setargxy(b,1,1,8)"), "[9,2] [3,8]");
  EXPECT_EQ(Line("a"), "[1,2] [3,4]");
  EXPECT_EQ(Line("b"), "[9,2] [3,4]");
}

TEST_F(Arrays, Dimensions) {
  const Case cases[] = {
      {"width({1,2,3})", "3"},
      {"width({})", "0"},
      {"width([1,2,3])", "3"},
      {"height([1,2,3])", "1"},
      {"height({1,2})", "<Error> Is not an array. {1,2}"},
      {"width(5)", "<Error> Is not an array or set. 5"},
      {"height(5)", "<Error> Is not an array. 5"},
      {"width(\"a\")", "<Error> Is not a number-type. \"a\""},
      {"height(true)", "<Error> Is not a number-type. true"},
      {"width(x)", "width(x)"},
      {"height(x)", "height(x)"},
      {"width(1/0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
