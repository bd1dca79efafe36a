// The one depth guard: each recursion counts its own levels against its own
// limit, every level closes however the recursion ends, and the scratch state
// the guards and the simplifier keep belongs to one engine.
#include <memory>
#include <string>
#include <vector>

#include "eval/depth_guard.h"
#include "eval/simplify.h"
#include "eval/simplify_internal.h"
#include "test_support.h"

namespace symcalc::testing {
namespace {

class DepthGuards : public EngineTest {};

constexpr Recursion kKinds[] = {Recursion::Parse, Recursion::Simplify, Recursion::Differentiate,
                                Recursion::Expand, Recursion::Solve};

TEST_F(DepthGuards, EachKindRefusesOnlyTheLevelPastItsOwnLimit) {
  constexpr int kLimit = 3;
  for (Recursion kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::vector<std::unique_ptr<DepthGuard>> open;
    for (int level = 1; level <= kLimit; ++level) {
      open.push_back(std::make_unique<DepthGuard>(kind, kLimit));
      EXPECT_FALSE(open.back()->Exceeded());
      EXPECT_EQ(open.back()->Outermost(), level == 1);
    }
    {
      const DepthGuard beyond(kind, kLimit);
      EXPECT_TRUE(beyond.Exceeded());
    }
    for (Recursion other : kKinds) EXPECT_EQ(OpenLevels(other), other == kind ? kLimit : 0);
    open.clear();
    EXPECT_EQ(OpenLevels(kind), 0);
  }
}

// Inputs that run into a guard unwind completely: no level stays open and the
// next line is worked on as in a fresh engine.
TEST_F(DepthGuards, RefusedInputsCloseEveryLevel) {
  const auto nested = [](const char* open, int n, const char* inner, const char* close) {
    std::string s;
    for (int i = 0; i < n; ++i) s += open;
    s += inner;
    for (int i = 0; i < n; ++i) s += close;
    return s;
  };
  const std::string lines[] = {
      nested("(", 5000, "1", ")"),
      nested("(-", 2000, "x", ")"),
      "solve(" + nested("exp(", 2100, "x", ")") + "=2,x)",
  };
  for (const std::string& line : lines) {
    SCOPED_TRACE(line.substr(0, 20));
    Line(line);
    for (Recursion kind : kKinds) EXPECT_EQ(OpenLevels(kind), 0);
    EXPECT_EQ(Line("x*x+x"), "x+x^2");
  }
}

TEST_F(DepthGuards, AFreshEngineStartsWithoutScratch) {
  UseLiteralRewriting(true);
  Engine().scratch.tripped = true;
  EngineShutdown();
  EngineInit();
  EXPECT_FALSE(LiteralRewriting());
  EXPECT_FALSE(SimplifyTripped());
}

}  // namespace
}  // namespace symcalc::testing
