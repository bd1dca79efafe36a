// expand and factorout: the printed results, the size budget for powers of
// sums, deep terms, and random products of sums checked against their value
// at integer points.
#include <random>
#include <string>
#include <utility>

#include "builtins/symbolic/term_chains.h"
#include "chain_checks.h"
#include "eval/simplify.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Expansion : public EngineTest {
 protected:
  // The distribution of a over b written out as one line: each term of a
  // times the terms of b, added one after the other, and these partial sums
  // added one after the other.
  std::string Distribution(const std::string& a, const std::string& b) {
    Held x = Hold(EvaluateText(a));
    Held y = Hold(EvaluateText(b));
    std::string total;
    for (const Value* s : ChainOperands(x.get(), ValueType::Plus)) {
      std::string partial;
      for (const Value* t : ChainOperands(y.get(), ValueType::Plus))
        partial += (partial.empty() ? "(" : "+(") + PrintValue(s) + ")*(" + PrintValue(t) + ")";
      total += (total.empty() ? "(" : "+(") + partial + ")";
    }
    return Eval(total);
  }
};

TEST_F(Expansion, ProductsAndPowersOfSums) {
  const Case cases[] = {
      {"expand((a+b)*(c+d))", "a*c+a*d+b*c+b*d"},
      {"expand((x+1)^2)", "1+2*x+x^2"},
      {"expand((x+1)^3)", "1+3*x+3*x^2+x^3"},
      {"expand((x+1)*(x-1)*(x+2))", "(-2)+(-1)*x+2*x^2+x^3"},
      {"expand(x-(x+1)^2)", "(-1)+(-1)*x+(-1)*x^2"},
      {"expand(((x+1)^2)^2)", "1+4*x+6*x^2+4*x^3+x^4"},
      {"expand((x+y)^2*(x-y)^2)", "(-2)*x^2*y^2+x^4+y^4"},
      // Powers of one sum meet in the product and are multiplied out again.
      {"expand((x+1)^(1/2)*(x+1)^(3/2))", "1+2*x+x^2"},
      {"expand((x+1)^(-2))", "(1+2*x+x^2)^(-1)"},
      {"expand((x*y)^3)", "x^3*y^3"},
      {"expand((2*x*y)^(1/2))", "1.4142135624*x^(1/2)*y^(1/2)"},
  };
  EXPECT_CASES(cases);
}

// A product of sums is the partial sums (one term of the left factor times
// the right factor) added one after the other with +, so its chain is the
// one those additions build; an error inside stays in the node that holds it.
TEST_F(Expansion, ProductsOfSumsAreTheirPartialSumsAdded) {
  const Case cases[] = {
      {"expand((x+1)*(y+1)*(x^2+y))", "y+x*y+x*y^2+x^3*y+x^2*y+x^2+x^3+y^2"},
      {"expand(2*(x+\"a\"))", "<Error> Is not a number-type. \"a\"+2*x"},
      {"expand((x+y)*(x-y)+y^2)", "x^2"},
      // + leaves coefficients of different number types apart.
      {"expand((x/2+1)*(2*x+1))", "1+2*x+1/2*x+x^2"},
  };
  EXPECT_CASES(cases);
}

// A small power of a sum is its distribution steps: the sum times itself,
// then that square times the sum to the n-2, multiplied out.
TEST_F(Expansion, SmallPowersOfSumsAreTheirDistributionSteps) {
  for (const std::string sum : {"x+y+1", "a-b+2*c", "x^2+x*y+y^2+1", "sin(x)+x+1/2", "x/2+y/3+1"}) {
    SCOPED_TRACE(sum);
    const std::string square = Distribution(sum, sum);
    EXPECT_EQ(Eval("expand((" + sum + ")^2)"), square);
    EXPECT_EQ(Eval("expand((" + sum + ")^3)"), Eval("expand((" + square + ")*(" + sum + "))"));
    EXPECT_EQ(Eval("expand((" + sum + ")^4)"), Distribution(square, square));
  }
}

TEST_F(Expansion, LeavesWhatItCannotMultiplyOut) {
  const Case cases[] = {
      {"expand((x+1)^(1/2))", "(1+x)^(1/2)"},
      {"expand((x+1)^0.5)", "(1+x)^0.5"},
      {"expand((x+1)^n)", "(1+x)^n"},
      {"expand(5)", "5"},
      {"expand(infinity)", "infinity"},
      // Function arguments, cells and elements are values, not operands.
      {"expand(sin((x+1)^2))", "sin((1+x)^2)"},
      {"expand([(x+1)^2])", "[(1+x)^2]"},
      {"expand({(x+1)^2})", "{(1+x)^2}"},
      {"expand(1/0)", "<Error> Division by 0. \"pow\""},
      {"expand((1/0)*(x+1))", "<Error> Division by 0. \"pow\""},
      {"expand(x^(1/0))", "x^<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Expansion, BothSidesOfOtherOperators) {
  const Case cases[] = {
      {"expand(x*(x+1)=5)", "x+x^2=5"},
      {"expand((x+1)^2>x)", "1+2*x+x^2>x"},
      {"expand((x+1)^2&(x-1)^2)", "1+2*x+x^2&1+(-2)*x+x^2"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Expansion, FactorOut) {
  const Case cases[] = {
      {"factorout(x^2+x,x)", "x*(1+x)"},
      {"factorout(x*y+x*z,x)", "x*(y+z)"},
      {"factorout(2*x+4,2)", "2*(2+x)"},
      {"factorout(x^2*y^2,2)", "(x*y)^2"},
      {"factorout(7,x)", "7"},
      {"factorout(x,x)", "x"},
      {"factorout(x^2+x,0)", "<Error> Division by 0. \"pow\""},
      {"factorout(x^2+x,1/0)", "<Error> Division by 0. \"pow\""},
      {"factorout(1/0,x)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

// ---- the size budget -----------------------------------------------------------

std::string SumOfNames(int count) {
  std::string s = "(v0";
  for (int i = 1; i < count; ++i) s += "+v" + std::to_string(i);
  return s + ")";
}

int TermCount(const Value* v) {
  int n = 1;
  for (; TypeOf(v) == ValueType::Plus; v = LeftOperand(v)) ++n;
  return n;
}

// x^from + x^(from+1) + ... + x^to, with `coefficient` times its first term.
std::string PowersOfX(int from, int to, const std::string& coefficient = "") {
  std::string s = "(" + coefficient + "x^" + std::to_string(from);
  for (int i = from + 1; i <= to; ++i) s += "+x^" + std::to_string(i);
  return s + ")";
}

TEST_F(Expansion, PowersOfSumsExpandWithinABudget) {
  // The square of a k-term sum has k(k+1)/2 terms: 10011 for 141, past the
  // record bound of 400,000 for 900, past every bound for 2000. Only sums of
  // at most eight unknowns take the packed way.
  Held within = Hold(EvaluateText("expand(" + SumOfNames(141) + "^2)"));
  EXPECT_EQ(TermCount(within.get()), 10011);
  for (const int names : {900, 2000}) {
    Held beyond = Hold(EvaluateText("expand(" + SumOfNames(names) + "^2)"));
    ASSERT_EQ(TypeOf(beyond.get()), ValueType::Power);
    EXPECT_EQ(TermCount(LeftOperand(beyond.get())), names);
  }
  // A 40-term sum to the fifth could have C(44,5) = 1,086,008 terms: packed,
  // it has the 196 powers x^5 ... x^200; a fraction keeps it on records,
  // where that size is refused.
  Held packed = Hold(EvaluateText("expand(" + PowersOfX(1, 40) + "^5)"));
  EXPECT_EQ(TermCount(packed.get()), 196);
  Held fraction = Hold(EvaluateText("expand(" + PowersOfX(1, 40, "1/2*") + "^5)"));
  EXPECT_EQ(TypeOf(fraction.get()), ValueType::Power);

  const Case cases[] = {
      {"expand((x+1)^1001)", "(1+x)^1001"},
      {"expand((x+1)^(-1001))", "(1+x)^(-1001)"},
      {"expand((x+1)^1000000)", "(1+x)^1000000"},
      {"expand((x+1)^(-1000000))", "(1+x)^(-1000000)"},
      // The base is multiplied out even where its power is not.
      {"expand((x*(y+1))^1000000)", "(x+x*y)^1000000"},
  };
  EXPECT_CASES(cases);
}

// Products of sums are bounded like powers, by the product of their numbers
// of terms: 1,000,000 for three 100-term sums, which only the packed way
// may multiply out; 100^4 is beyond every bound. What is not distributed
// stays a product of the expanded factors.
TEST_F(Expansion, ProductsOfSumsExpandWithinABudget) {
  const std::string a = PowersOfX(1, 100);
  const std::string b = PowersOfX(0, 99);
  const std::string c = PowersOfX(2, 101);
  Held packed = Hold(EvaluateText("expand(" + a + "*" + b + "*" + c + ")"));
  EXPECT_EQ(TermCount(packed.get()), 298);  // x^3 ... x^300
  const struct {
    std::string text;
    int factors;
  } refused[] = {
      {a + "*" + b + "*" + PowersOfX(2, 101, "1/2*"), 3},
      {a + "*" + b + "*" + c + "*" + PowersOfX(3, 102), 4},
      {"(x+1)^2*" + a + "*" + b + "*" + c + "*" + PowersOfX(3, 102), 5},
  };
  for (const auto& r : refused) {
    Held kept = Hold(EvaluateText("expand(" + r.text + ")"));
    ASSERT_EQ(TypeOf(kept.get()), ValueType::Times);
    int factors = 1;
    bool expanded = true;
    for (const Value* v = kept.get(); TypeOf(v) == ValueType::Times; v = LeftOperand(v)) {
      ++factors;
      expanded = expanded && TypeOf(RightOperand(v)) == ValueType::Plus;
    }
    EXPECT_EQ(factors, r.factors) << r.text;
    EXPECT_TRUE(expanded) << r.text;
  }
}

TEST_F(Expansion, DeepNestingEndsWithAnError) {
  // (...((x+1)^(1/2)+1)^(1/2)...): nothing to multiply out, but deeper than
  // the rewrite may recurse.
  Held term = Hold(MakeVariable("x"));
  Held one = Hold(MakeQword(1));
  Held half = Hold(MakeRatio(1, 2));
  for (int i = 0; i < 150000; ++i) {
    Held sum = Hold(MakeOperatorNode(ValueType::Plus, term.get(), one.get()));
    term = Hold(MakeOperatorNode(ValueType::Power, sum.get(), half.get()));
  }
  Held e = Hold(CallBuiltin("expand", term.get()));
  ASSERT_EQ(TypeOf(e.get()), ValueType::Error);
  EXPECT_EQ(RawErrorCode(e.get()), 19);
}

// ---- against the value of the unexpanded term -----------------------------------

// No product with a sum among its factors and no power of a sum with an
// integer exponent beyond -1..1 is left outside function applications.
bool FullyExpanded(const Value* v) {
  if (!IsOperator(v)) return true;
  const Value* l = LeftOperand(v);
  const Value* r = RightOperand(v);
  if (TypeOf(v) == ValueType::Times &&
      (TypeOf(l) == ValueType::Plus || TypeOf(r) == ValueType::Plus))
    return false;
  if (TypeOf(v) == ValueType::Power && TypeOf(l) == ValueType::Plus &&
      TypeOf(r) == ValueType::Qword && (RawQword(r) > 1 || RawQword(r) < -1))
    return false;
  return FullyExpanded(l) && FullyExpanded(r);
}

std::string At(const Value* v, int x, int y) {
  Held xv = Hold(MakeQword(x));
  Held yv = Hold(MakeQword(y));
  PushTemporaryBinding("x", xv.get());
  PushTemporaryBinding("y", yv.get());
  Held s = Hold(Simplify(v));
  PopTemporaryBinding();
  PopTemporaryBinding();
  return PrintValue(s.get());
}

TEST_F(Expansion, RandomProductsKeepTheirValue) {
  std::mt19937 rng(7);
  auto small = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto linear = [&] {
    return "(" + std::to_string(small(-3, 3)) + "*x+" + std::to_string(small(-3, 3)) + "*y+" +
           std::to_string(small(-3, 3)) + ")";
  };
  for (int trial = 0; trial < 40; ++trial) {
    const std::string text = linear() + "^" + std::to_string(small(2, 5)) + "*" + linear() +
                             "-(x+" + std::to_string(small(1, 3)) + ")^" +
                             std::to_string(small(2, 4)) + "*(y+x)";
    SCOPED_TRACE(text);
    Held term = Hold(EvaluateText(text));
    Held expanded = Hold(CallBuiltin("expand", term.get()));
    EXPECT_TRUE(FullyExpanded(expanded.get())) << PrintValue(expanded.get());
    for (int x = -2; x <= 2; x += 2)
      for (int y = -1; y <= 3; y += 2)
        EXPECT_EQ(At(expanded.get(), x, y), At(term.get(), x, y)) << "at " << x << ", " << y;
  }
}

// Products and sums of long sums whose exact chain would cost the square of
// their length take the sorted chain instead, whether their size says so at
// once or their additions pass the budget: every like term still merged,
// every product still there.
TEST_F(Expansion, LongProductsAndSumsTakeTheSortedChain) {
  const struct {
    const char* text;
    int terms;
  } cases[] = {
      {"(x+1)^30*(y+1)^30", 961},
      {"(x+1)^20*(y+1)^20", 441},
      {"(x+1)^20*(y+1)^20+(x-1)^20*(y-1)^20", 221},
      {"(x+1)^13*(y+1)^13+(x-1)^13*(y-1)^13", 98},
      {"(x+1)^12*(y+1)^12-(x+1)^12*(y-1)^12", 78},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Held term = Hold(EvaluateText(c.text));
    Held expanded = Hold(CallBuiltin("expand", term.get()));
    EXPECT_EQ(TermCount(expanded.get()), c.terms);
    EXPECT_FALSE(HoldsLikeTermsApart(expanded.get()));
    // Points where no partial sum leaves 64 bits.
    for (const auto& [x, y] : {std::pair{1, 1}, {-1, 1}, {1, 0}, {0, -1}, {-1, -1}})
      EXPECT_EQ(At(expanded.get(), x, y), At(term.get(), x, y)) << "at " << x << ", " << y;
  }
}

}  // namespace
}  // namespace symcalc::testing
