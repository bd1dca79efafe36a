// The shortcut to the normal form (a term moved down a sum chain without a
// node per step) against the rewriting one step at a time: the same input
// must give the same printed result.
#include <random>
#include <string>
#include <vector>

#include "eval/simplify.h"
#include "test_support.h"

namespace symcalc::testing {
namespace {

class FastPathsTest : public EngineTest {
 protected:
  void TearDown() override {
    UseLiteralRewriting(false);
    EngineTest::TearDown();
  }

  // Runs the lines in a fresh engine state each way and returns the printed
  // values of both runs.
  std::pair<std::string, std::string> BothWays(const std::vector<std::string>& lines) {
    std::string out[2];
    for (int literal = 0; literal < 2; ++literal) {
      EngineShutdown();
      EngineInit();
      UseLiteralRewriting(literal == 1);
      for (const std::string& l : lines) out[literal] += Line(l) + "\n";
    }
    UseLiteralRewriting(false);
    return {out[0], out[1]};
  }
};

std::string RandomTerm(std::mt19937& rng, bool exotic) {
  static const char* kNames[] = {"x", "y", "z", "w"};
  std::uniform_int_distribution<int> coefficient(-9, 9);
  std::uniform_int_distribution<int> exponent(0, 3);
  std::uniform_int_distribution<int> pick(0, 9);
  std::string t = std::to_string(coefficient(rng));
  if (t == "0") t = "1";
  if (exotic) {
    switch (pick(rng)) {
      case 0: t = "1/" + std::to_string(exponent(rng) + 2); break;
      case 1: t += ".5"; break;
      case 2: t += "*sin(x)"; break;
      case 3: t += "*a^b"; break;
      default: break;
    }
  }
  for (const char* v : kNames) {
    const int e = exponent(rng);
    if (e == 1) t += std::string("*") + v;
    if (e > 1) t += std::string("*") + v + "^" + std::to_string(e);
  }
  return "(" + t + ")";
}

TEST_F(FastPathsTest, SumsBuiltOneTermAtATimeMatchTheStepwiseRewriting) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 20; ++round) {
    std::vector<std::string> lines = {"s:=0"};
    for (int i = 0; i < 60; ++i) lines.push_back("s:=s+" + RandomTerm(rng, round % 2 == 1));
    lines.push_back("s-s");
    auto [fast, literal] = BothWays(lines);
    EXPECT_EQ(fast, literal) << "round " << round;
  }
}

// Sums holding terms that are neither numbers nor symbolic: strings,
// booleans, errors, arrays, infinities, symbols and sets, which move to the
// front and meet the first term there, added among polynomial terms.
TEST_F(FastPathsTest, SumsWithConcreteTermsMatchTheStepwiseRewriting) {
  static const char* kConcrete[] = {"\"a\"", "\"b\"",  "true", "false", "1/0",  "[1,2]",
                                    "[x]",    "infinity", "(-infinity)", "'s'", "undefined",
                                    "{1,x}",  "1..3",     "pi",    "2",     "1/2"};
  std::mt19937 rng(515);
  std::uniform_int_distribution<int> pick(0, 15);
  std::vector<std::string> lines = {"x+\"a\"+1", "x+y+\"a\"+1", "\"a\"+x+1+y", "x+true+1",
                                    "y+x+[1,2]+[3,4]", "x+infinity+1", "x+1/0+y",
                                    // like and concrete: computed, not merged
                                    "x+\"a\"+y+\"a\"", "x+y+true+z+true",
                                    // a term cancelling next to a concrete first
                                    // one leaves a zero computed with it
                                    "p:=[1,2]+5*x*y+y^2", "p+((-5)*x*y+z^3)"};
  for (int round = 0; round < 30; ++round) {
    std::string line = "y";
    for (int i = 0; i < 10; ++i)
      line += "+" + (pick(rng) < 5 ? std::string(kConcrete[pick(rng)]) : RandomTerm(rng, false));
    lines.push_back(line);
    lines.push_back("s:=x^2");
    for (int i = 0; i < 8; ++i)
      lines.push_back("s:=s+" + (pick(rng) < 4 ? std::string(kConcrete[pick(rng)])
                                                : RandomTerm(rng, round % 2 == 1)));
  }
  auto [fast, literal] = BothWays(lines);
  EXPECT_EQ(fast, literal);
}

// A term like two terms that are not like each other (x*y, like 2*x*y and
// 0.5*x*y) merges with the one nearest the end, in short chains and long.
TEST_F(FastPathsTest, TermsLikeSeveralMergeAsStepwiseRewritingMergesThem) {
  std::string names = "a01";
  for (int i = 2; i <= 20; ++i) names += "+a" + std::string(i < 10 ? "0" : "") + std::to_string(i);
  std::vector<std::string> lines;
  for (const std::string& head : {std::string("c"), names}) {
    lines.push_back("m:=" + head + "+2*x*y+z^2+0.5*x*y+w^3+1/2*x*y");
    for (const char* t : {"x*y", "(-2)*x*y", "(-1)*x*y", "3*x*y+x*y", "0.5*x*y", "(-1/2)*x*y",
                          "x*y*z"})
      lines.push_back("m+" + std::string(t));
    lines.push_back("m+x*y+x*y+0.5*x*y+(-2)*x*y+x*y");
    // 2*x*y merges into x*y, which 0.5*x*y further up, past 3*x*z, is like.
    lines.push_back("n:=" + head + "+2*x*y+3*x*z+0.5*x*y+1/2*x^2");
    lines.push_back("n+(-1)*x*y");
  }
  auto [fast, literal] = BothWays(lines);
  EXPECT_EQ(fast, literal);
}

// Sums reached through other routes: expansion builds its chains by adding
// sorted terms, bindings turn terms into numbers, and unlike number types
// (ratios, doubles) and function terms sit between the monomials.
TEST_F(FastPathsTest, SumsFromExpansionAndSubstitutionMatchTheStepwiseRewriting) {
  const std::vector<std::string> lines = {
      "p:=expand((x+y+z+1)^6)",
      "q:=expand((x-2*y+3*z-4)^5)+sin(x)+1/3*y+0.5*z^2",
      "p-q",
      "y:=2",
      "p+q",
      "clearvar(y)",
      "p*2+q",
      "expand((2*x*y-3*y*z+x^2)^4)"};
  auto [fast, literal] = BothWays(lines);
  EXPECT_EQ(fast, literal);
}

}  // namespace
}  // namespace symcalc::testing

namespace symcalc::testing {
namespace {

std::string RandomNested(std::mt19937& rng, int depth) {
  static const char* kLeaves[] = {"x", "y", "2", "1/2", "0.5", "\"s\"", "'t'", "pi", "{1,x}",
                                  "[1,2]", "1..3", "true", "#c(1, 2)", "x+2", "x+1/2",
                                  "3*y", "0.5*y", "x^2"};
  static const char* kUnary[] = {"sin", "cos", "exp", "floor"};
  std::uniform_int_distribution<int> pick(0, 9);
  const int p = depth <= 0 ? 9 : pick(rng);
  auto leaf = [&] { return std::string(kLeaves[std::uniform_int_distribution<int>(0, 17)(rng)]); };
  switch (p) {
    case 0: case 1: case 2:
      return std::string(kUnary[pick(rng) % 4]) + "(" + RandomNested(rng, depth - 1) + ")";
    case 3:
      return "atan(" + RandomNested(rng, depth - 1) + "," + RandomNested(rng, depth - 1) + ")";
    case 4:
      return "(" + RandomNested(rng, depth - 1) + ")^(" + RandomNested(rng, depth - 1) + ")";
    case 5:
      return "(" + RandomNested(rng, depth - 1) + ")*(" + RandomNested(rng, depth - 1) + ")";
    case 6:
      return "(" + RandomNested(rng, depth - 1) + ")+(" + RandomNested(rng, depth - 1) + ")";
    default:
      return leaf();
  }
}

// Ordering and likeness of two values, asked both ways: one walk for the two
// questions against the two questions asked one after the other.
TEST_F(FastPathsTest, OrderAndLikenessOfNestedTermsMatchTheSeparateQuestions) {
  std::mt19937 rng(99);
  std::vector<Value*> values;
  for (int i = 0; i < 160; ++i) values.push_back(EvaluateText(RandomNested(rng, 4)));
  // Pairs of equal structure too, so that ties deep inside are reached.
  for (int i = 0; i < 40; ++i) values.push_back(EvaluateText(PrintValue(values[i])));
  int compared = 0;
  for (const Value* a : values) {
    for (const Value* b : values) {
      for (Chain op : {Chain::None, Chain::Sum, Chain::Product}) {
        UseLiteralRewriting(true);
        const TermOrdering order = TermOrder(a, b, op);
        const bool like = Alike(a, b);
        UseLiteralRewriting(false);
        ASSERT_EQ(TermOrder(a, b, op), order) << PrintValue(a) << " vs " << PrintValue(b);
        ASSERT_EQ(Alike(a, b), like) << PrintValue(a) << " vs " << PrintValue(b);
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 200 * 200 * 3);
  for (Value* v : values) FreeValue(v);
}

}  // namespace
}  // namespace symcalc::testing

#include "builtins/symbolic/packed_power.h"
#include "builtins/symbolic/term_chains.h"

namespace symcalc::testing {
namespace {

// A sum of two to five monomials over names whose byte order differs from
// the order they are met in; now and then a coefficient large enough that a
// power leaves 64 bits, or a term that is not a monomial.
std::string RandomMonomialSum(std::mt19937& rng) {
  static const char* kNames[] = {"x", "y", "x1", "b", "zz", "a"};
  static const char* kOdd[] = {"1/2*x", "0.5", "sin(x)", "x^(-1)", "3037000500*y"};
  std::uniform_int_distribution<int> terms(2, 5);
  std::uniform_int_distribution<int> coefficient(-4, 4);
  std::uniform_int_distribution<int> exponent(0, 3);
  std::uniform_int_distribution<int> pick(0, 29);
  std::string s;
  const int k = terms(rng);
  for (int i = 0; i < k; ++i) {
    std::string t = std::to_string(coefficient(rng));
    if (t == "0") t = "1";
    for (int j = 0; j < 3; ++j) {
      const char* v = kNames[pick(rng) % 6];
      const int e = exponent(rng);
      if (e == 1) t += std::string("*") + v;
      if (e > 1) t += std::string("*") + v + "^" + std::to_string(e);
    }
    const int odd = std::uniform_int_distribution<int>(0, 79)(rng);
    if (odd < 5) t = kOdd[odd];
    s += (i ? "+(" : "(") + t + ")";
  }
  return s;
}

// Powers of sums multiplied out on exponent vectors against the distribution
// one factor at a time with records: the same chains, term order included.
TEST_F(FastPathsTest, PackedPowersOfSumsMatchTheStepwiseDistribution) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int> power(2, 7);
  std::vector<std::string> lines;
  int packed = 0;
  int tried = 0;
  for (int i = 0; i < 150; ++i) {
    const std::string sum = RandomMonomialSum(rng);
    const int n = i % 10 == 0 ? -power(rng) : power(rng);
    lines.push_back("expand((" + sum + ")^" + std::to_string(n) + ")");
    Value* v = EvaluateText(sum);
    if (v->type == ValueType::Plus) {
      ++tried;
      if (Value* p = PackedPowerOfSum(v, n < 0 ? -n : n)) {
        ++packed;
        FreeValue(p);
      }
    }
    FreeValue(v);
  }
  // The comparison must exercise both ways: most sums are packed, some not.
  EXPECT_GT(packed, tried / 2);
  EXPECT_LT(packed, tried);
  // Where the packed way gives up: like products cancelling, an exponent
  // beyond 16 bits, more than eight variables.
  lines.insert(lines.end(), {"expand((1+x-x^2)^2)", "expand((1+x-x^2)^5)",
                             "expand((x^40000+y)^2)", "expand((a1+a2+a3+a4+a5+a6+a7+a8+a9)^2)"});
  // Coefficients beyond 64 bits turn into doubles, computed in the order
  // the records compute them; large doubles of both signs partly cancel.
  lines.insert(lines.end(), {"expand((3037000500*x+1)^2)", "expand((3037000500*x+3037000499*y+1)^4)",
                             "expand((2000000000*x-3000000000*y+7)^5)",
                             "expand((15000000000000000000.*x+y+1)^3)",
                             "expand((x+y+z+1000)^12)"});
  // Products where a power comes before a plain variable, which the sort
  // walks element by element, and pure powers, which have no coefficient.
  lines.insert(lines.end(), {"expand((w+x+y+z+1)^7)", "expand((2*w^2+x-3*y^2+z+1)^5)",
                             "expand((3037000500*w+x+y^2+5*z)^6)"});
  auto [fast, literal] = BothWays(lines);
  EXPECT_EQ(fast, literal);
}

// Products of two sums multiplied out on exponent vectors against the
// sorted distribution on records: every product of a term of the first with
// a term of the second, in that order, like products merged, sorted.
TEST_F(FastPathsTest, PackedProductsOfSumsMatchTheSortedDistribution) {
  std::mt19937 rng(2718);
  // Sums of monomials only, a coefficient beyond 32 bits included: the other
  // terms keep the product on records.
  auto monomials = [&] {
    for (;;) {
      const std::string s = RandomMonomialSum(rng);
      if (s.find("^(") == std::string::npos && s.find_first_of("/.") == std::string::npos &&
          s.find("sin") == std::string::npos)
        return s;
    }
  };
  auto longSum = [&](int parts) {
    std::string s = "(" + monomials();
    for (int i = 1; i < parts; ++i) s += "+" + monomials();
    return s + ")";
  };
  std::vector<std::pair<std::string, std::string>> pairs = {
      {"(x+y+z+1)^8", "(x-y+2*z+3)^7"}, {"(3037000500*x+y)^3", "(3037000500*y+x+1)^4"}};
  for (int i = 0; i < 40; ++i) pairs.emplace_back(longSum(8), longSum(i % 3 == 0 ? 1 : 8));
  int packed = 0;
  for (const auto& [first, second] : pairs) {
    SCOPED_TRACE(first + " * " + second);
    Held a = Hold(CallBuiltin("expand", Hold(EvaluateText(first)).get()));
    Held b = Hold(CallBuiltin("expand", Hold(EvaluateText(second)).get()));
    Held fast = Hold(PackedProduct(a.get(), b.get()));
    if (!fast) continue;
    ++packed;
    std::vector<Held> products;
    for (const Value* x : ChainOperands(a.get(), ValueType::Plus))
      for (const Value* y : ChainOperands(b.get(), ValueType::Plus))
        AppendTerms(Hold(Multiply(x, y)).get(), products);
    Held records = Hold(SortedSum(products));
    ASSERT_EQ(PrintValue(fast.get()), PrintValue(records.get()));
  }
  // Like products cancelling send some pairs the general way.
  EXPECT_GT(packed, 20);
  EXPECT_LT(packed, static_cast<int>(pairs.size()));
}

}  // namespace
}  // namespace symcalc::testing

namespace symcalc::testing {
namespace {

// A chain of nested applications around a small inner term, now and then
// with a second chain added or multiplied in.
std::string RandomChain(std::mt19937& rng) {
  static const char* kOuter[] = {"sin", "exp", "sinh", "cosh", "cos", "log", "tan", "sqr"};
  static const char* kInner[] = {"x", "x", "x^2", "2*x", "x+1", "x*y", "sin(x)*y", "atan(x,y)"};
  std::uniform_int_distribution<int> pick(0, 7);
  // Mostly the four rules that multiply the inner derivative from the left by
  // an application, so that long runs of them meet.
  const int kinds = std::uniform_int_distribution<int>(0, 1)(rng) ? 4 : 8;
  const int depth = std::uniform_int_distribution<int>(1, 40)(rng);
  std::string chain = kInner[pick(rng)];
  for (int i = 0; i < depth; ++i)
    chain = std::string(kOuter[pick(rng) % kinds]) + "(" + chain + ")";
  return chain;
}

// The derivative of nested applications puts each outer factor at the end of
// the inner product when it is greater than every factor there, instead of
// moving it through the product from the front.
TEST_F(FastPathsTest, DerivativesOfNestedApplicationsMatchTheStepwiseProducts) {
  std::mt19937 rng(812);
  std::vector<std::string> lines;
  for (int i = 0; i < 120; ++i) {
    std::string f = RandomChain(rng);
    switch (i % 4) {
      case 1: f += "+" + RandomChain(rng); break;
      case 2: f = "(" + f + ")*" + RandomChain(rng); break;
      default: break;
    }
    lines.push_back("diff(" + f + ",x)");
  }
  auto [fast, literal] = BothWays(lines);
  EXPECT_EQ(fast, literal);
}

// A product of up to three powers of five names, with or without a
// coefficient of any number type, now and then times an application.
std::string RandomProduct(std::mt19937& rng) {
  static const char* kCoefficients[] = {"", "2*", "(-1)*", "3*", "1/2*", "0.5*", "(-2.5)*", "7/3*"};
  static const char* kNames[] = {"x", "y", "z", "w", "a"};
  static const char* kPowers[] = {"", "", "^2", "^3", "^(-1)"};
  static const char* kApplications[] = {"sin(x)", "exp(y)", "2^x", "(x+1)^(1/2)"};
  auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::string t;
  const int factors = below(4);
  for (int i = 0; i < factors; ++i)
    t += (i ? "*" : "") + std::string(kNames[below(5)]) + kPowers[below(5)];
  if (below(12) == 0) t += (t.empty() ? "" : "*") + std::string(kApplications[below(4)]);
  return t.empty() ? std::to_string(1 + below(5)) : kCoefficients[below(8)] + t;
}

// A polynomial of one to four such terms, now and then with a term that is
// concrete but not a number.
std::string RandomFactor(std::mt19937& rng) {
  static const char* kConcrete[] = {"\"a\"", "true", "[1,2]", "infinity", "1/0"};
  std::uniform_int_distribution<int> terms(1, 4);
  std::uniform_int_distribution<int> pick(0, 39);
  std::string p;
  const int k = terms(rng);
  for (int i = 0; i < k; ++i) {
    const int odd = pick(rng);
    p += (i ? "+" : "") + (odd < 3 ? std::string(kConcrete[odd]) : RandomProduct(rng));
  }
  return "(" + p + ")";
}

// Expansions add their partial sums and expanded terms with +: the chain
// built without a node per step must be the one the stepwise rewriting of
// those additions gives.
TEST_F(FastPathsTest, ExpansionsMatchTheStepwiseRewritingOfTheirAdditions) {
  std::mt19937 rng(1515);
  std::uniform_int_distribution<int> shape(0, 3);
  std::vector<std::string> lines = {
      // A term that cancels next to a concrete first term leaves a zero that
      // is computed with it: [1,2]+0 is an error.
      "expand([1,2]+5*x*(z+1)+(-5)*(x*z+x))", "expand(\"a\"+x*(y+1)-(x*y+x))",
      // A sum moving down the chain stops at 1/2*w, which the order looks
      // through to w.
      "expand((1+y)*(x*y^2+a^(-1))*(1/2*w+1+2*z))"};
  for (int i = 0; i < 120; ++i) {
    std::string e;
    switch (shape(rng)) {
      case 0:
        e = RandomFactor(rng) + "*" + RandomFactor(rng);
        break;
      case 1:
        e = RandomFactor(rng) + "*" + RandomFactor(rng) + "*" + RandomFactor(rng);
        break;
      case 2:
        e = RandomFactor(rng) + "*" + RandomFactor(rng) + "+" + RandomProduct(rng) + "+" +
            RandomFactor(rng) + "*" + RandomFactor(rng);
        break;
      default:
        e = RandomProduct(rng) + "*" + RandomFactor(rng) + "-" + RandomFactor(rng) + "*" +
            RandomFactor(rng);
        break;
    }
    lines.push_back("p:=expand(" + e + ")");
    lines.push_back("expand(p-p+" + RandomFactor(rng) + "*" + RandomFactor(rng) + ")");
  }
  auto [fast, literal] = BothWays(lines);
  EXPECT_EQ(fast, literal);
}

}  // namespace
}  // namespace symcalc::testing
