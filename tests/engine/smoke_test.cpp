#include "test_support.h"

namespace symcalc::testing {
namespace {

class Smoke : public EngineTest {};

TEST_F(Smoke, NumbersReadBack) {
  const Case cases[] = {{"1", "1"}, {"#xff", "255"}, {"\"a;b\"", "\"a;b\""}};
  EXPECT_CASES(cases);
}

}  // namespace
}  // namespace symcalc::testing
