// Inputs the line fuzzer once failed on (their files are in fuzz/regressions/),
// with the value each must give now. Each row names the fault it guards.
#include "test_support.h"

namespace symcalc::testing {
namespace {

class FuzzRegression : public EngineTest {};

TEST_F(FuzzRegression, LinesGiveTheirValue) {
  const Case cases[] = {
      // A chain of relations ending in a two-character operator: the empty
      // last segment was taken for a refused prefix and read past the list
      // of operator positions. Read as the recursion reads it, "=<" takes
      // its right side first, and that side is empty.
      {"=<x=<", "<Error> Illegal number format. \"\""},
      {"x=<1=<", "<Error> Illegal number format. \"\""},
      {"a>=b>=", "<Error> Illegal number format. \"\""},
  };
  EXPECT_CASES(cases);
  EXPECT_EQ(Line("=<x=<=<"), "<Error> Illegal number format. \"\"");
}

}  // namespace
}  // namespace symcalc::testing
