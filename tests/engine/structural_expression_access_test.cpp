// opleft, opright, funcarg, numbfuncarg, errormath, not and if.
#include "test_support.h"

namespace symcalc::testing {
namespace {

class ExpressionAccess : public EngineTest {};

TEST_F(ExpressionAccess, OperandsOfNodesAndRanges) {
  const Case cases[] = {
      {"opleft(a+b)", "a"},
      {"opright(a+b)", "b"},
      {"opleft(x=3)", "x"},
      {"opright(x=3)", "3"},
      {"opleft(x^2)", "x"},
      {"opright(x^2)", "2"},
      {"opleft(x>=1)", "x"},
      {"opleft(1..5)", "1"},
      {"opright(1..5)", "5"},
      {"opleft(5)", "<Error> Is not a range or an operator. 5"},
      {"opleft(sin(x))", "<Error> Is not a range or an operator. sin(x)"},
      {"opright(#c(1,2))", "<Error> Is not a range or an operator. #c(1, 2)"},
      {"opright(\"a\")", "<Error> Is not a range or an operator. \"a\""},
      {"opleft(1/0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(ExpressionAccess, FunctionArguments) {
  const Case cases[] = {
      {"funcarg(atan(y,x),0)", "y"},
      {"funcarg(atan(y,x),1)", "x"},
      {"funcarg(atan(y,x),2)", "<Error> Argument index out of bounds. 2"},
      {"funcarg(atan(y,x),4)", "<Error> Argument index out of bounds. 4"},
      {"funcarg(sin(x),-1)", "<Error> Argument index out of bounds. -1"},
      {"funcarg(sin(x),1)", "<Error> Argument index out of bounds. 1"},
      {"funcarg(3,0)", "<Error> Is not a function. 3"},
      {"funcarg(sin(x),1.5)", "<Error> Is not a integer-number. 1.5"},
      {"funcarg(sin(x),y)", "<Error> Is not a integer-number. y"},
      {"funcarg(1/0,y)", "<Error> Division by 0. \"pow\""},
      {"funcarg(3,1/0)", "<Error> Is not a function. 3"},
      {"funcarg(sin(x),1/0)", "<Error> Division by 0. \"pow\""},
      {"numbfuncarg(sin(x))", "1"},
      {"numbfuncarg(atan(y,x))", "2"},
      {"numbfuncarg(if(x>0,1,2))", "3"},
      {"numbfuncarg(if(x>0,1))", "2"},
      {"numbfuncarg(5)", "<Error> Is not a function. 5"},
      {"numbfuncarg(x)", "<Error> Is not a function. x"},
  };
  EXPECT_CASES(cases);
}

TEST_F(ExpressionAccess, ErrormathUnwrapsTheOperand) {
  const Case cases[] = {
      {"errormath(1/0)", "\"pow\""},
      {"errormath(opleft(5))", "5"},
      {"errormath(array(0,1))", "0"},
      {"errormath(5)", "<Error> Is not an error. 5"},
      {"errormath(x)", "<Error> Is not an error. x"},
  };
  EXPECT_CASES(cases);
}

TEST_F(ExpressionAccess, ErrormathOfAnErrorWithoutOperandIsUndefined) {
  Value* bare = MakeError(ErrorCode::NotABoolean, nullptr);
  Value* r = CallBuiltin("errormath", bare);
  EXPECT_EQ(PrintValue(r), "undefined");
  FreeValue(r);
  FreeValue(bare);
}

TEST_F(ExpressionAccess, Not) {
  const Case cases[] = {
      {"not(true)", "false"},
      {"not(false)", "true"},
      {"not(1>2)", "true"},
      {"not(1)", "<Error> Is not a boolean. 1"},
      {"not(\"true\")", "<Error> Is not a boolean. \"true\""},
      {"not(x)", "not(x)"},
      {"not(x>0)", "not(x>0)"},
      {"not(1/0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(ExpressionAccess, IfChoosesABranch) {
  const Case cases[] = {
      {"if(true,1,2)", "1"},
      {"if(false,1,2)", "2"},
      {"if(false,1)", "0"},
      {"if(true,1)", "1"},
      {"if(2>1,x,y)", "x"},
      {"if(true,1/0,2)", "<Error> Division by 0. \"pow\""},
      {"if(false,1/0,2)", "2"},
      {"if(x>0,1,2)", "if(x>0,1,2)"},
      {"if(x>0,1)", "if(x>0,1)"},
      {"if(1/0,1,2)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(ExpressionAccess, IfWithAConditionThatIsNoBooleanIsAnError) {
  const Case cases[] = {
      {"if(1,2,3)", "<Error> Is not a boolean. 1"},
      {"if(0,2)", "<Error> Is not a boolean. 0"},
      {"if(\"a\",1)", "<Error> Is not a boolean. \"a\""},
      {"if({1},1,2)", "<Error> Is not a boolean. {1}"},
      {"if([1],1,2)", "<Error> Is not a boolean. [1]"},
      {"if(undefined,1,2)", "<Error> Is not a boolean. undefined"},
      {"if(1..2,1,2)", "<Error> Is not a boolean. 1..2"},
  };
  EXPECT_CASES(cases);
}

TEST_F(ExpressionAccess, UnevaluatedIfDecidesOnceTheConditionIsKnown) {
  EXPECT_EQ(Line("f:=if(y>0,10,20)"), "if(y>0,10,20)");
  EXPECT_EQ(Line("y:=3"), "3");
  EXPECT_EQ(Line("f"), "10");
  EXPECT_EQ(Line("y:=-3"), "-3");
  EXPECT_EQ(Line("f"), "20");
}

}  // namespace
}  // namespace symcalc::testing
