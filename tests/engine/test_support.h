// Shared helpers for the engine tests: a fresh engine per test and table runs
// of input line -> printed text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "symcalc/engine.h"

namespace symcalc::testing {

// Every test starts from a new engine and checks that it leaves no record
// behind: once the engine is shut down, as many records are alive as before
// it was built, so every value the test took was released.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = LiveRecordCount();
    EngineInit();
    start_ = LiveRecordCount();
  }
  void TearDown() override {
    EngineShutdown();
    EXPECT_TRUE(NoRecordsLeaked());
  }

  // Compares the live records with the count before the engine was built;
  // meaningful once the engine is shut down.
  ::testing::AssertionResult NoRecordsLeaked() const {
    const std::int64_t now = LiveRecordCount();
    if (now == before_) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << now - before_ << " records leaked (" << before_ << " alive before the engine, "
           << now << " after its shutdown)";
  }

  // Evaluates one piece of text (no splitting, no lower-casing).
  std::string Eval(std::string_view text) {
    Value* v = EvaluateText(text);
    std::string s = PrintValue(v);
    FreeValue(v);
    return s;
  }
  // Handles a whole worksheet line; the printed values joined by "\n".
  std::string Line(std::string_view line) {
    LineResult r = HandleLine(line);
    std::string s;
    for (std::size_t i = 0; i < r.values.size(); ++i) {
      if (i) s += '\n';
      s += PrintValue(r.values[i]);
    }
    ReleaseValues(r.values);
    return s;
  }
  std::int64_t before_ = 0;  // live records before the engine was built
  std::int64_t start_ = 0;   // live records of the fresh engine
};

struct Case {
  const char* input;
  const char* expected;
};

// Runs each input through Eval and compares the printed text.
#define EXPECT_CASES(cases)                                          \
  for (const auto& c : cases) {                                      \
    SCOPED_TRACE(c.input);                                           \
    EXPECT_EQ(Eval(c.input), std::string(c.expected)) << c.input;    \
  }

}  // namespace symcalc::testing
