// The simplifier and its normal form, read through the parser and printer.
#include "eval/simplify.h"
#include "state/engine_state.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Simplifier : public EngineTest {};

TEST_F(Simplifier, NeutralAndAbsorbingElements) {
  const Case cases[] = {
      {"x+0", "x"},       {"0+x", "x"},      {"x*1", "x"},     {"1*x", "x"},
      {"1.0*x", "x"},     {"x*1.0", "x"},    {"0*x", "0"},     {"x*0", "0"},
      {"x^0", "1"},       {"0^x", "0"},      {"1^x", "1"},     {"x^1", "x"},
      {"x+0.0", "x"},     {"x-x", "0"},      {"x*0.0", "0"},   {"(x^2)^3", "x^6"},
      {"(x^y)^z", "x^(y*z)"},                {"x^2*x^(-2)", "1"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Simplifier, SumsAreOrderedAndMerged) {
  const Case cases[] = {
      {"x+x", "2*x"},
      {"3+x+2", "5+x"},
      {"x+2*y+3*x", "4*x+2*y"},
      {"y+x", "x+y"},
      {"z+y+x", "x+y+z"},
      {"x*2+y*3", "2*x+3*y"},
      {"2*x+(-2)*x", "0"},
      {"x*y+2*x*y", "3*x*y"},
      {"2*x*y+x*y", "3*x*y"},
      {"x^2+x", "x+x^2"},
      {"x^2+2*x", "2*x+x^2"},
      {"sin(x)+x", "x+sin(x)"},
      {"x-y", "x+(-1)*y"},
      {"x-3", "(-3)+x"},
      {"1-x", "1+(-1)*x"},
      {"a+b+a+b", "2*a+2*b"},
      {"x/2+x/2", "x"},
      {"0.5*x+0.5*x", "x"},
      {"x+'s'", "'s'+x"},
      {"\"t\"+x", "<Error> Is not a string. x"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Simplifier, ProductsAreOrderedAndMerged) {
  const Case cases[] = {
      {"x*x", "x^2"},
      {"b*a", "a*b"},
      {"2*x*3", "6*x"},
      {"x*y*x", "x^2*y"},
      {"y*x^2*x", "x^3*y"},
      {"a*b*c*a", "a^2*b*c"},
      {"x*x^2", "x^3"},
      {"x^2*x^3", "x^5"},
      {"2*x*x^(-1)", "2"},
      {"x^2*y", "x^2*y"},
      {"(-1)*y", "(-1)*y"},
      {"x*(-3)", "(-3)*x"},
      {"x/2", "1/2*x"},
      {"x/y", "x*y^(-1)"},
      {"x/x", "1"},
      {"(x+1)*(x+1)", "(1+x)^2"},
      {"2^x*2^y", "2^(x+y)"},
      {"sin(x)*x", "x*sin(x)"},
      {"(a+b)*c", "c*(a+b)"},
      {"x*y/x", "y"},
      {"-x", "(-1)*x"},
      {"-(-x)", "x"},
  };
  EXPECT_CASES(cases);
}

// The term order is not transitive across product shapes (2*x^2 < x*y <
// x^2), so a new term can settle beside a term that is not its like one
// while that one stands further down; it merges there all the same.
TEST_F(Simplifier, LikeTermsApartAreMerged) {
  const Case cases[] = {
      {"3*x^3+(-4)*x^3*y^2+x^3", "4*x^3+(-4)*x^3*y^2"},
      {"2*x^2+x*y+x^2", "3*x^2+x*y"},
      {"x^3*y^2+2*x*y+x^3+(-1)*x^3*y^2", "2*x*y+x^3"},
      {"5*x*y+x^2*y+(-5)*x*y", "x^2*y"},
      // A merged coefficient of 1 leaves the term like one of another type.
      {"2*x*y+1/2*x*y+1/2*x*y", "3*x*y"},
      {"5*x*y+2/3*x*y+(-4)*x*y", "5/3*x*y"},
      {"2*x*y+3*x*z+0.5*x*y+(-1)*x*y", "3*x*z+1.5*x*y"},
      // Numbers of different types are not like: 2 and 1/2 stay apart.
      {"2*x+1/2*x", "2*x+1/2*x"},
      // Factors with equal bases, separated by the order.
      {"x*2^x*x^2*x*y", "2^x*x^4*y"},
      {"y*2*x^3*2^x*y^2*(x+1)^2", "2*2^x*x^3*y^3*(1+x)^2"},
      {"(x+1)*2^x*x^(-1)*(x+1)", "2^x*x^(-1)*(1+x)^2"},
      {"sin(x)*2^x*y*y^2", "y^3*sin(x)*2^x"},
      {"y^2*2^x*y", "2^x*y^3"},
      {"y*2^x*y^2", "2^x*y^3"},
      {"x*2^x*x^(-1)", "2^x"},
      // The first term passed by a concrete one decides the computation.
      {"x+\"a\"+1", "<Error> Is not a string. 1+x"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Simplifier, SumsOfExpandedPolynomialsHoldEachMonomialOnce) {
  // The chain that adding the distribution's partial sums with + builds.
  EXPECT_EQ(Eval("b:=expand((x+y+1)^3)"), "1+3*x+3*y+3*x^2+3*y^2+6*x*y+3*x*y^2+3*x^2*y+x^3+y^3");
  const char* doubled = "2+6*x+6*y+6*x^2+2*x^3+6*y^2+2*y^3+12*x*y+6*x*y^2+6*x^2*y";
  EXPECT_EQ(Eval("b+b"), doubled);
  EXPECT_EQ(Eval("expand(b+b)"), doubled);
  EXPECT_EQ(Eval("expand(b-b)"), "0");
  EXPECT_EQ(Eval("expand((x+y)^2)+expand((x-y)^2)"), "2*x^2+2*y^2");
  EXPECT_EQ(Eval("expand((x+1)^2)+expand((x-1)^2)"), "2+2*x^2");
}

TEST_F(Simplifier, MixedTermsFollowTheTypeOrder) {
  // Numbers, then variables, then function nodes, then sums, products, powers.
  const Case cases[] = {
      {"(a+b)^2+sin(x)+y+2", "2+y+sin(x)+(a+b)^2"},
      // Inside a sum, products compare factor by factor: x before x^2.
      {"x^2*y+x*y^2", "x*y^2+x^2*y"},
      {"x*y^2+x^2*y", "x*y^2+x^2*y"},
      {"5*x^2*y", "5*x^2*y"},
      {"y*5*x^2", "5*x^2*y"},
      {"b+a*2", "2*a+b"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Simplifier, SubstitutesBindings) {
  EXPECT_EQ(Eval("s:=x+1"), "1+x");
  EXPECT_EQ(Eval("x:=2"), "2");
  EXPECT_EQ(Eval("s"), "3");
  EXPECT_EQ(Eval("z:=1+y"), "1+y");
  EXPECT_EQ(Eval("y:=2"), "2");
  EXPECT_EQ(Eval("z+w"), "3+w");
  EXPECT_EQ(Eval("v:=v"), "v");
  EXPECT_EQ(Eval("v+1"), "1+v");
}

TEST_F(Simplifier, FunctionArgumentsFollowChainsOfBindings) {
  EXPECT_EQ(Eval("w:=isvariable(y)"), "true");
  EXPECT_EQ(Eval("u:=abs(y)"), "abs(y)");
  EXPECT_EQ(Eval("y:=z"), "z");
  EXPECT_EQ(Eval("z:=q"), "q");
  Value* u = EvaluateText("u");
  EXPECT_EQ(PrintValue(u), "abs(q)");
  FreeValue(u);
}

TEST_F(Simplifier, ComplexPartsAreRebuilt) {
  EXPECT_EQ(Eval("c:=#c(x, 1)"), "#c(x, 1)");
  EXPECT_EQ(Eval("x:=2"), "2");
  EXPECT_EQ(Eval("c"), "#c(2, 1)");
  EXPECT_EQ(Eval("d:=#c(1, y)"), "#c(1, y)");
  EXPECT_EQ(Eval("y:=0"), "0");
  EXPECT_EQ(Eval("d"), "1");
  // A complex part that keeps its shape does not make the sum loop.
  EXPECT_EQ(Eval("t+#c(r+1, 2)"), "#c(1+r, 2)+t");
}

TEST_F(Simplifier, RelationsAndLogicKeepTheirOrder) {
  const Case cases[] = {
      {"x<3", "3>x"},
      {"x>3", "x>3"},
      {"x<=3", "3>=x"},
      {"x=3", "x=3"},
      {"y+x=x+y", "x+y=x+y"},
      {"x>1&y>2", "x>1&y>2"},
      {"x|true", "x|true"},
  };
  EXPECT_CASES(cases);
  EXPECT_EQ(Eval("r:=x<3"), "3>x");
  EXPECT_EQ(Eval("x:=5"), "5");
  EXPECT_EQ(Eval("r"), "false");
}

TEST_F(Simplifier, NeverChangesItsInput) {
  Value* v = EvaluateText("b+a");
  Value* unsimplified = MakeRawPair(ValueType::Plus, MakeVariable("y"), MakeVariable("x"));
  Value* s = Simplify(unsimplified);
  EXPECT_EQ(PrintValue(s), "x+y");
  EXPECT_EQ(PrintValue(unsimplified), "y+x");
  Value* node = EvaluateText("abs(q)");
  Value* q = EvaluateText("q:=-3");
  Value* r = Simplify(node);
  EXPECT_EQ(PrintValue(r), "3");
  EXPECT_EQ(PrintValue(node), "abs(q)");
  for (Value* x : {v, unsimplified, s, node, q, r}) FreeValue(x);
}

TEST_F(Simplifier, TermOrderOfSets) {
  Value* a = EvaluateText("{}");
  Value* b = EvaluateText("{}");
  EXPECT_EQ(TermOrder(a, b, Chain::None), TermOrdering::Stays);
  EXPECT_EQ(Eval("{{},{}}"), "{{}}");
  EXPECT_EQ(Eval("{{1,2},{3}}"), "{{3},{1,2}}");
  FreeValue(a);
  FreeValue(b);
}

TEST_F(Simplifier, LikeTermsOfEveryKind) {
  const Case cases[] = {
      {"{true,true,false}", "{true,false}"},
      {"{1..2, 1..2}", "{1..2}"},
      {"{[1],[1],[2]}", "{[1],[2]}"},
      {"{1/0, 1}", "<Error> Division by 0. \"pow\""},
      {"{1, 1.0}", "{1,1.}"},
      {"{2.5, 1}", "{1,2.5}"},
      {"{x, x, y}", "{x,y}"},
      {"{abs(x), abs(x)}", "{abs(x)}"},
      {"{9007199254740992, 9007199254740993}", "{9007199254740992,9007199254740993}"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Simplifier, LikeTermsReturnTheirCoefficients) {
  // "-" where a term has no coefficient (exponent) of its own.
  struct Case {
    const char* a;
    const char* b;
    Chain op;
    int like;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"2*x", "3*x", Chain::Sum, 1, "2", "3"},
      {"x^2", "x^5", Chain::Product, 1, "2", "5"},
      {"x", "3*x", Chain::Sum, 1, "-", "3"},
      {"4*x", "x", Chain::Sum, 1, "4", "-"},
      {"x", "x^3", Chain::Product, 1, "-", "3"},
      {"x^4", "x", Chain::Product, 1, "4", "-"},
      // Every factor of a product is matched; the coefficient leads it.
      {"2*x*y", "5*x*y", Chain::Sum, 1, "2", "5"},
      // Outside a chain numbers are only told equal or not.
      {"2*x", "3*x", Chain::None, 0, "-", "-"},
      {"x", "x", Chain::Sum, 1, "-", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    Value* a = EvaluateText(c.a);
    Value* b = EvaluateText(c.b);
    LikeCoefficients found;
    EXPECT_EQ(LikeTerms(a, b, c.op, &found), c.like);
    EXPECT_EQ(found.first ? PrintValue(found.first) : "-", c.first);
    EXPECT_EQ(found.second ? PrintValue(found.second) : "-", c.second);
    FreeValue(a);
    FreeValue(b);
  }
}

TEST_F(Simplifier, DeepSumsSimplifyAndPrint) {
  std::string text = "a00000";
  for (int i = 1; i < 20000; ++i) {
    std::string digits = std::to_string(i);
    text += "+a" + std::string(5 - digits.size(), '0') + digits;
  }
  Value* v = EvaluateText(text);
  Value* again = Simplify(v);
  EXPECT_EQ(PrintValue(again), text);
  FreeValue(again);
  FreeValue(v);
}

TEST_F(Simplifier, DeepNestingEndsWithAnError) {
  // Far deeper than the simplifier may recurse: built directly, so the parser's
  // own nesting limit does not stop it first.
  Value* v = MakeVariable("x");
  for (int i = 0; i < 1000000; ++i) v = MakeRawPair(ValueType::Power, v, MakeVariable("y"));
  Value* s = Simplify(v);
  EXPECT_EQ(TypeOf(s), ValueType::Error);
  EXPECT_EQ(RawErrorCode(s), 19);
  FreeValue(s);
  FreeValue(v);
}

}  // namespace
}  // namespace symcalc::testing
