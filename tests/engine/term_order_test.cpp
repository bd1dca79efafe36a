// One term order and one likeness: the recursive TermOrder and LikeTerms of
// the literal rewriting define them, and every faster way the engine has of
// answering the same questions must give the same answers, for every pair of
// terms of every shape, asked both ways.
#include <string>
#include <vector>

#include "builtins/symbolic/packed_power.h"
#include "eval/likeness_key.h"
#include "eval/simplify.h"
#include "random_polynomials.h"
#include "test_support.h"

namespace symcalc::testing {
namespace {

class TermOrderAgreement : public EngineTest {
 protected:
  void TearDown() override {
    UseLiteralRewriting(false);
    for (Value* v : values_) FreeValue(v);
    EngineTest::TearDown();
  }
  void Add(const std::string& text) { values_.push_back(EvaluateText(text)); }
  std::vector<Value*> values_;
};

// Terms of every shape, nested: numbers of each type, symbols, strings,
// constants, variables, powers with numeric and symbolic exponents, products
// with and without a coefficient, function applications, sums, sets, arrays.
std::string RandomShape(PolynomialMaker& r, int depth) {
  static const char* kLeaves[] = {"2", "(-3)", "1/2", "0.5", "#c(1,2)", "9007199254740993",
                                  "'s'", "'t'", "\"s\"", "pi", "infinity", "true",
                                  "x", "y", "z", "w", "x1"};
  static const char* kCoefficients[] = {"2", "(-1)", "3/4", "0.5", "#c(0,2)"};
  static const char* kFunctions[] = {"sin", "cos", "abs", "exp"};
  const std::uint64_t pick = depth <= 0 ? 9 : r.Below(10);
  auto inner = [&] { return RandomShape(r, depth - 1); };
  switch (pick) {
    case 0:
      return std::string(kFunctions[r.Below(4)]) + "(" + inner() + ")";
    case 1:
      return "atan(" + inner() + "," + inner() + ")";
    case 2:
      return "(" + inner() + ")^" + (r.Below(2) ? std::to_string(2 + r.Below(3)) : "(" + inner() + ")");
    case 3:
      return std::string(r.Below(2) ? "" : std::string(kCoefficients[r.Below(5)]) + "*") + "(" +
             inner() + ")*(" + inner() + ")";
    case 4:
      return "(" + inner() + ")+(" + inner() + ")";
    case 5:
      return r.Below(2) ? "{" + inner() + "," + inner() + "}" : "[" + inner() + "]";
    default:
      return kLeaves[r.Below(17)];
  }
}

TEST_F(TermOrderAgreement, FastAnswersAgreeWithTheDefinitionsOnTermsOfEveryShape) {
  PolynomialMaker r(1207, false);
  for (int i = 0; i < 150; ++i) Add(RandomShape(r, 3));
  // Like partners: the same terms with other coefficients and exponents,
  // inside chains and alone; and near twins whose first digit differs, so
  // that two applications differ only in a number among their arguments.
  for (int i = 0; i < 60; ++i) {
    const std::string t = PrintValue(values_[i]);
    Add("3*(" + t + ")");
    Add("0.5*(" + t + ")");
    Add("(" + t + ")^2");
    Add("(" + t + ")*x*y");
    std::string twin = t;
    for (char& c : twin) {
      if (c >= '1' && c <= '8') {
        ++c;
        break;
      }
    }
    if (twin != t) Add(twin);
  }
  Add("atan(2,x)");
  Add("atan(3,x)");
  Add("sin(atan(2,x)*y)");
  Add("sin(atan(3,x)*y)");
  Add("x*y");
  Add("2*x*y");
  Add("x*y^3");
  int likePairs = 0;
  for (const Value* a : values_) {
    for (const Value* b : values_) {
      SCOPED_TRACE(PrintValue(a) + " vs " + PrintValue(b));
      TermOrdering order[3];
      int like[3];
      const Chain ops[3] = {Chain::None, Chain::Sum, Chain::Product};
      UseLiteralRewriting(true);
      for (int k = 0; k < 3; ++k) {
        order[k] = TermOrder(a, b, ops[k]);
        like[k] = LikeTerms(a, b, ops[k]);
      }
      UseLiteralRewriting(false);
      const OrderAndLike walk = OrderAndLikeness(a, b);
      ASSERT_EQ(walk.order, order[0]);
      ASSERT_EQ(walk.like, like[0]);
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(TermOrder(a, b, ops[k]), order[k]);
        if (like[k] != 1) continue;
        ++likePairs;
        ASSERT_EQ(LikenessKey(a, ops[k]), LikenessKey(b, ops[k]));
      }
    }
  }
  EXPECT_GT(likePairs, 1000);
}

// The packed powers answer the same questions from exponent vectors.
TEST_F(TermOrderAgreement, PackedMonomialsAgreeWithTheRecordWalk) {
  PolynomialMaker r(31, true);
  static const char* kNames[] = {"x", "y", "zz", "a", "x1"};
  for (int i = 0; i < 240; ++i) {
    std::string t = r.Below(3) == 0 ? "" : std::to_string(static_cast<int>(r.Below(9)) - 4);
    if (t == "0" || t == "1") t = "2";
    // Coefficients beyond 64 bits are doubles, ordered after every integer.
    static const char* kDoubles[] = {"15000000000000000000.", "(-9300000000000000000.)",
                                     "20000000000000000000."};
    if (r.Below(6) == 0) t = kDoubles[r.Below(3)];
    const std::uint64_t factors = r.Below(4);
    for (std::uint64_t f = 0; f < factors; ++f) {
      const std::uint64_t e = 1 + r.Below(3);
      t += (t.empty() ? "" : "*") + std::string(kNames[r.Below(5)]) +
           (e > 1 ? "^" + std::to_string(e) : "");
    }
    Add(t.empty() ? "7" : t);
  }
  int compared = 0;
  for (const Value* a : values_) {
    for (const Value* b : values_) {
      TermOrdering order = TermOrdering::Stays;
      int like = 0;
      bool merge = false;
      if (!ComparePackedTerms(a, b, order, like, merge)) continue;
      SCOPED_TRACE(PrintValue(a) + " vs " + PrintValue(b));
      ASSERT_EQ(order, TermOrder(a, b, Chain::Sum));
      const int defined = LikeTerms(a, b, Chain::Sum);
      ASSERT_EQ(like, defined);
      // Numbers merge whether equal or not; other terms when like, and
      // when their coefficients differ only in number type (expansions
      // merge 2*x and 20000000000000000000.*x, which + keeps apart).
      auto coefficientType = [](const Value* t) {
        for (; t->type == ValueType::Times; t = t->pair.left) {}
        return IsNumber(t) ? t->type : ValueType::Qword;
      };
      if ((!IsNumber(a) || !IsNumber(b)) && coefficientType(a) == coefficientType(b)) {
        ASSERT_EQ(merge, defined == 1);
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 30000);
}

// The sort of the packed way answers most comparisons from a summary of the
// factors' kinds and walks the rest. Every monomial over four names with
// exponents 0 to 3 (a power before a plain variable, a differing exponent
// before or after it, each length), with an integer, a double or no
// coefficient, against every other, both ways: the answer is the record
// walk's.
TEST_F(TermOrderAgreement, PackedSortAgreesWithTheRecordWalkOnEveryKindPattern) {
  static const char* kNames[] = {"w", "x", "y", "zz"};
  static const char* kCoefficients[] = {"", "5", "20000000000000000000."};
  for (const char* c : kCoefficients) {
    for (int pattern = 0; pattern < 256; ++pattern) {
      std::string t = c;
      for (int v = 0; v < 4; ++v) {
        const int e = (pattern >> (2 * v)) & 3;
        if (e == 0) continue;
        t += (t.empty() ? "" : "*") + std::string(kNames[v]) + (e > 1 ? "^" + std::to_string(e) : "");
      }
      Add(t.empty() ? "7" : t);
    }
  }
  int compared = 0;
  for (const Value* a : values_) {
    for (const Value* b : values_) {
      bool follows = false;
      ASSERT_TRUE(PackedTermFollows(a, b, follows));
      const TermOrdering order = TermOrder(a, b, Chain::Sum);
      if (follows != MustFollow(order)) {
        ADD_FAILURE() << PrintValue(a) << " vs " << PrintValue(b) << ": "
                      << static_cast<int>(order);
        return;
      }
      ++compared;
    }
  }
  EXPECT_EQ(compared, 768 * 768);
}

}  // namespace
}  // namespace symcalc::testing
