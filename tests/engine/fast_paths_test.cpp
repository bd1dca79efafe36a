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
