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

// Lines whose meaning depends on the bindings the earlier pieces made.
TEST_F(FuzzRegression, SessionsGiveTheirValues) {
  const Case lines[] = {
      // y's value would be an error whose operand mentions y: every lookup
      // passed the error on and simplified its operand again, nesting without
      // end until the stack guard stopped it with a twelve-megabyte error.
      // Such a binding is refused like any other that mentions its own name.
      {"x:=#c(y,1); y:=#c(x,1); x; y",
       "#c(y, 1)\n<Error> Variable is not declared. y\n#c(y, 1)\ny"},
      {"z:=#c(#c(w,1),1); w:=#c(z,1); z",
       "<Error> Is not a real-number. #c(w, 1)\n<Error> Variable is not declared. w\n"
       "<Error> Is not a real-number. #c(w, 1)"},
  };
  for (const Case& c : lines) EXPECT_EQ(Line(c.input), c.expected) << c.input;
}

}  // namespace
}  // namespace symcalc::testing
