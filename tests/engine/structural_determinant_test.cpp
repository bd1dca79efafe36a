// Determinants: the table cases, and the fast methods checked against a
// literal Laplace expansion (every minor built and expanded anew).
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "builtins/symbolic/determinant.h"
#include "builtins/symbolic/exact_determinant.h"
#include "eval/arithmetic.h"
#include "test_support.h"
#include "values/value.h"

namespace symcalc::testing {
namespace {

class Determinant : public EngineTest {};

TEST_F(Determinant, SmallMatrices) {
  const Case cases[] = {
      {"det([1,2][3,4])", "-2"},
      {"det([7])", "7"},
      {"det([x])", "x"},
      {"det([1,2,3][4,5,6][7,8,10])", "-3"},
      {"det(identity(5))", "1"},
      {"det(array(3,3))", "0"},
      {"det([1/2,1/3][1/4,1/5])", "1/60"},
      {"det([1.5,2][3,4])", "0."},
      {"det([#c(0,1),0][0,#c(0,1)])", "-1"},
      {"det([2,0,0][0,3,0][0,0,4])", "24"},
      {"det(x)", "det(x)"},
      {"det(1/0)", "<Error> Division by 0. \"pow\""},
  };
  EXPECT_CASES(cases);
}

TEST_F(Determinant, ChecksInOrder) {
  const Case cases[] = {
      {"det(array(2,3))", "<Error> Width and height is not equal. [0,0] [0,0] [0,0]"},
      {"det(5)", "<Error> Is not an array. 5"},
      {"det(\"a\")", "<Error> Is not a number-type. \"a\""},
      {"det({1})", "<Error> Is not a number-type. {1}"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Determinant, SymbolicCells) {
  const Case cases[] = {
      {"det([a,b][c,d])", "a*d+(-1)*b*c"},
      {"det([a,1][2,b])", "(-2)+a*b"},
      {"det([a,0,0][0,b,0][0,0,c])", "a*b*c"},
  };
  EXPECT_CASES(cases);
}

// The first error cell of a minor decides, as the minor's construction
// refuses arrays with error cells; a plain product-and-sum would meet the
// "a" cell first here.
TEST_F(Determinant, ErrorCellsOfAMinorReportTheFirstInRowOrder) {
  const Case cases[] = {
      {"det([1,2,3][4,5,6][7,\"b\",\"a\"]*2)", "<Error> Is not a number-type. \"b\""},
      {"det([1,2][3,4]*true)", "<Error> Is not a number-type. true"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Determinant, LargeMatricesAnswerAtOnce) {
  const Case cases[] = {
      {"det(identity(181))", "1"},
      {"det(array(181,181))", "0"},
      {"det(identity(181)*2)", "3064991081731777716716694054300618367237478244367204352."},
      {"det(identity(40)*(-1))", "1"},
      {"det(identity(17)*(1/2))", "1/131072"},
      {"det(identity(20)*0.5)", "0.0000009537"},
      {"det(identity(20)*im)", "1"},
  };
  EXPECT_CASES(cases);
}

TEST_F(Determinant, LargeMatricesOfSymbolsAreRefused) {
  EXPECT_EQ(Eval("isarray(setarg(identity(17),0,x))"), "true");
  const std::string r = Eval("det(setarg(identity(17),0,x))");
  EXPECT_EQ(r.rfind("<Error> Is not a correct analysis-term. [x,0,", 0), 0u) << r;
}

// ---- against the literal expansion -----------------------------------------

Value* LiteralDeterminant(const Value* m) {
  const int n = m->array.width;
  Value* const* cells = m->array.table->cells();
  if (n == 1) return CopyValue(cells[0]);
  Held sum = Hold(MakeQword(0));
  for (int i = 0; i < n; ++i) {
    CellTable* t = MakeCellTable(static_cast<std::size_t>(n - 1) * (n - 1));
    int k = 0;
    for (int r = 1; r < n; ++r)
      for (int c = 0; c < n; ++c)
        if (c != i) t->cells()[k++] = Retain(cells[r * n + c]);
    Held minor = Hold(MakeArray(n - 1, n - 1, t));
    Held d = Hold(IsError(minor.get()) ? CopyValue(minor.get()) : LiteralDeterminant(minor.get()));
    if (i % 2 == 1) d = Hold(Negate(d.get()));
    Held term = Hold(Multiply(cells[i], d.get()));
    sum = Hold(Add(sum.get(), term.get()));
  }
  return sum.release();
}

Value* MatrixOf(int n, const std::function<Value*()>& cell) {
  CellTable* t = MakeCellTable(static_cast<std::size_t>(n) * n);
  for (int i = 0; i < n * n; ++i) t->cells()[i] = cell();
  Value* m = AllocRecord();
  m->type = ValueType::Array;  // error cells allowed, as arithmetic makes them
  m->array.width = static_cast<std::int16_t>(n);
  m->array.height = static_cast<std::int16_t>(n);
  m->array.table = t;
  return m;
}

void ExpectSameAsLiteral(const Value* m) {
  Held fast = Hold(ExpandDeterminant(m));
  Held literal = Hold(LiteralDeterminant(m));
  EXPECT_EQ(PrintValue(fast.get()), PrintValue(literal.get())) << PrintValue(m);
}

TEST_F(Determinant, ExpansionMatchesTheLiteralExpansion) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* names[] = {"x", "y", "z"};
  for (int n = 2; n <= 6; ++n) {
    for (int trial = 0; trial < 4; ++trial) {
      Held ints = Hold(MatrixOf(n, [&] { return MakeQword(pick(-9, 9)); }));
      ExpectSameAsLiteral(ints.get());
      Held doubles = Hold(MatrixOf(n, [&] { return MakeDouble(pick(-90, 90) / 7.0); }));
      ExpectSameAsLiteral(doubles.get());
      Held ratios = Hold(MatrixOf(n, [&] { return MakeRatio(pick(-9, 9), pick(1, 5)); }));
      ExpectSameAsLiteral(ratios.get());
      if (n <= 4) {
        Held mixed = Hold(MatrixOf(n, [&]() -> Value* {
          switch (pick(0, 4)) {
            case 0:
              return MakeVariable(names[pick(0, 2)]);
            case 1:
              return MakeDouble(0.5);
            case 2: {
              Held s = Hold(MakeString(names[pick(0, 2)]));
              return MakeError(ErrorCode::NotANumber, s.get());
            }
            default:
              return MakeQword(pick(-3, 3));
          }
        }));
        ExpectSameAsLiteral(mixed.get());
      }
    }
  }
}

// Integer sums that leave 64 bits turn into doubles at the very step where
// the literal expansion's arithmetic does.
TEST_F(Determinant, IntegerOverflowFollowsTheArithmetic) {
  const std::int64_t big = INT64_C(1) << 62;
  Held m = Hold(MatrixOf(3, [&, i = 0]() mutable {
    const std::int64_t v[] = {big, big, 3, 1, 3, big, 2, 1, 1};
    return MakeQword(v[i++]);
  }));
  Held fast = Hold(ExpandDeterminant(m.get()));
  EXPECT_EQ(fast->type, ValueType::Double);
  ExpectSameAsLiteral(m.get());
}

TEST_F(Determinant, ExactEliminationMatchesTheExpansion) {
  std::mt19937 rng(11);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int n = 2; n <= 9; ++n) {
    for (int trial = 0; trial < 5; ++trial) {
      Held ints = Hold(MatrixOf(n, [&] { return MakeQword(pick(-20, 20)); }));
      Held a = Hold(ExpandDeterminant(ints.get()));
      Held b = Hold(ExactDeterminant(ints.get()));
      ASSERT_NE(b.get(), nullptr);
      EXPECT_EQ(PrintValue(a.get()), PrintValue(b.get())) << PrintValue(ints.get());
    }
  }
  for (int n = 2; n <= 5; ++n) {
    for (int trial = 0; trial < 5; ++trial) {
      Held ratios = Hold(MatrixOf(n, [&] { return MakeRatio(pick(-9, 9), pick(1, 4)); }));
      Held a = Hold(ExpandDeterminant(ratios.get()));
      Held b = Hold(ExactDeterminant(ratios.get()));
      ASSERT_NE(b.get(), nullptr);
      EXPECT_EQ(PrintValue(a.get()), PrintValue(b.get())) << PrintValue(ratios.get());
    }
  }
}

// A unimodular matrix with large cells whose rows are reversed, so that its
// leading minors are large while its determinant is 1.
TEST_F(Determinant, ExactEliminationKeepsSmallResultsOfHugeMinors) {
  const int n = 24;
  std::mt19937 rng(3);
  // Upper triangular with unit diagonal times lower triangular with unit
  // diagonal: det = 1, cells grow with the random multipliers.
  std::vector<std::int64_t> u(n * n, 0), l(n * n, 0);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      if (i == j) u[i * n + j] = l[i * n + j] = 1;
      else if (i < j) u[i * n + j] = std::uniform_int_distribution<int>(-99, 99)(rng);
      else l[i * n + j] = std::uniform_int_distribution<int>(-99, 99)(rng);
    }
  int k = 0;
  Held m = Hold(MatrixOf(n, [&] {
    const int r = n - 1 - k / n, c = k % n;
    ++k;
    std::int64_t s = 0;
    for (int t = 0; t < n; ++t) s += l[r * n + t] * u[t * n + c];
    return MakeQword(s);
  }));
  Held d = Hold(ExactDeterminant(m.get()));
  ASSERT_NE(d.get(), nullptr);
  EXPECT_EQ(PrintValue(d.get()), "1");
  Held viaBuiltin = Hold(CallBuiltin("det", m.get()));
  EXPECT_EQ(PrintValue(viaBuiltin.get()), "1");
}

}  // namespace
}  // namespace symcalc::testing
