// The normal form over many seeded random sums and products: no chain holds
// two like terms, the value at rational points is the input's, and where the
// engine already merged every like term the printed result is unchanged.
#include <cmath>
#include <string>
#include <vector>

#include "chain_checks.h"
#include "eval/normal_form_check.h"
#include "random_polynomials.h"
#include "test_support.h"

namespace symcalc::testing {
namespace {

class NormalFormProperties : public EngineTest {};

// Runs f with x, y and z bound to the values of the given texts.
template <typename F>
Held At(const std::string (&point)[3], F f) {
  static const char* kNames[] = {"x", "y", "z"};
  Held values[3];
  for (int i = 0; i < 3; ++i) {
    values[i] = Hold(EvaluateText(point[i]));
    PushTemporaryBinding(kNames[i], values[i].get());
  }
  Held r = Hold(f());
  for (int i = 0; i < 3; ++i) PopTemporaryBinding();
  return r;
}

bool SameNumber(const Value* a, const Value* b) {
  if (!IsReal(a) || !IsReal(b)) return false;
  if (IsRational(a) && IsRational(b)) return PrintValue(a) == PrintValue(b);
  // Products of many fractions leave 32 bits and continue as doubles, in an
  // order that depends on the form of the expression.
  const double x = DoubleOf(a);
  const double y = DoubleOf(b);
  return std::fabs(x - y) <= 1e-9 * std::fmax(1.0, std::fmax(std::fabs(x), std::fabs(y)));
}

TEST_F(NormalFormProperties, RandomSumsAndProductsMergeEveryLikeTermAndKeepTheirValue) {
  static const char* kPoints[] = {"-2", "-1", "1/2", "(-1/2)", "2/3", "3/2", "2", "(-4/3)"};
  PolynomialMaker maker(77, true);
  for (int i = 0; i < 2000; ++i) {
    const std::string line = maker.Line();
    Held result = Hold(EvaluateText(line));
    ASSERT_FALSE(HoldsLikeTermsApart(result.get())) << line << " -> " << PrintValue(result.get());
    for (int k = 0; k < 3; ++k) {
      const std::string point[3] = {kPoints[maker.Below(8)], kPoints[maker.Below(8)],
                                    kPoints[maker.Below(8)]};
      // The input read with the values in place is plain arithmetic on
      // numbers; the result has its variables replaced.
      Held input = At(point, [&] { return EvaluateText(line); });
      Held value = At(point, [&] { return Simplify(result.get()); });
      ASSERT_TRUE(SameNumber(input.get(), value.get()))
          << line << " at " << point[0] << ", " << point[1] << ", " << point[2] << ": "
          << PrintValue(input.get()) << " but " << PrintValue(result.get()) << " gives "
          << PrintValue(value.get());
    }
  }
}

TEST_F(NormalFormProperties, PrintedResultsMatchTheRecordingWhereLikeTermsWereAlreadyMerged) {
  static const std::uint64_t kRecorded[] = {
#include "engine/data/printed_results_before.inc"
  };
  PolynomialMaker maker(20261208, false);
  int compared = 0;
  for (const std::uint64_t recorded : kRecorded) {
    const std::string line = maker.Line();
    Held result = Hold(EvaluateText(line));
    const std::string text = PrintValue(result.get());
    EXPECT_FALSE(HoldsLikeTermsApart(result.get())) << line << " -> " << text;
    if (recorded == 0) continue;
    EXPECT_EQ(TextHash(text), recorded) << line << " now prints " << text;
    ++compared;
  }
  EXPECT_GE(compared, 5000);
}

#ifdef SYMCALC_CHECK_NORMAL_FORM
// A chain ordered between neighbours whose like terms stand apart, as the
// simplifier once left it, short and long.
Value* ChainOf(const std::vector<std::string>& terms) {
  Value* chain = EvaluateText(terms[0]);
  for (std::size_t i = 1; i < terms.size(); ++i)
    chain = MakeRawPair(ValueType::Plus, chain, EvaluateText(terms[i]));
  return chain;
}

TEST_F(NormalFormProperties, TheCheckFindsLikeTermsApartAnywhereInAChain) {
  const std::vector<std::string> apart = {"3*x^3", "(-4)*x^3*y^2", "x^3"};
  std::vector<std::string> longer;
  for (int i = 10; i < 30; ++i) longer.push_back("a" + std::to_string(i));
  longer.insert(longer.end(), {"2*x^2", "x*y", "x^2"});
  for (const auto& terms : {apart, longer}) {
    Held chain = Hold(ChainOf(terms));
    EXPECT_DEATH(CheckNormalForm(chain.get()), "like terms not merged") << PrintValue(chain.get());
  }
  Held merged = Hold(EvaluateText("3*x^3+(-4)*x^3*y^2+x^3"));
  CheckNormalForm(merged.get());
}
#endif

}  // namespace
}  // namespace symcalc::testing
