// Long sessions through one engine: state stays consistent and every record
// made along the way is released again.
#include <string>

#include "test_support.h"

namespace symcalc::testing {
namespace {

class Session : public EngineTest {};

TEST_F(Session, TenThousandLinesLeaveNoRecordBehind) {
  const char* templates[] = {
      "v%d:=%d*x+1/3",  "f%d(a,b):=a*b+%d", "f%d(%d,2)",       "v%d+v%d",
      "{%d,1,2,%d}",    "[%d,1][2,%d]*2",   "clearvar(v%d)",   "f%d():=",
      "g%d(a,a):=%d",   "1/0+%d",           "#c(%d,1)*#c(1,%d)", "nosuch%d(%d)",
      "y:=y+%d",        "x%d<%d",           "\"s%d\"+\"%d\"",  "(1+2%d",
  };
  const std::size_t n = sizeof templates / sizeof templates[0];
  const std::int64_t start = LiveRecordCount();
  for (int i = 0; i < 10000; ++i) {
    char line[96];
    std::snprintf(line, sizeof line, templates[static_cast<std::size_t>(i) % n], i % 97, i);
    LineResult r = HandleLine(line);
    ASSERT_FALSE(r.quit);
    ASSERT_EQ(r.values.size(), 1u) << line;
    ReleaseValues(r.values);
  }
  // Variables and functions defined along the way still hold their values;
  // removing what is left brings the count back to where it started.
  for (int k = 0; k < 97; ++k) {
    FreeValue(EvaluateText("clearvar(v" + std::to_string(k) + ")"));
    for (int j = 0; j < 120; ++j) FreeValue(EvaluateText("f" + std::to_string(k) + "():="));
  }
  FreeValue(EvaluateText("clearvar(y)"));  // y:=y+0 bound y to itself
  FreeValue(EvaluateText("ans:=0"));
  EXPECT_EQ(LiveRecordCount(), start);
}

}  // namespace
}  // namespace symcalc::testing
