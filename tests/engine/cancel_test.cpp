// Cancelling from another thread: the stopped piece leaves no trace.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace symcalc::testing {
namespace {

using CancelTest = EngineTest;

// The derivative of cosines nested `depth` deep: each level multiplies its
// factor into the product of the inner ones and negates it, which takes
// seconds at a depth of a thousand.
std::string NestedCosDiff(int depth) {
  std::string text = "diff(";
  for (int i = 0; i < depth; ++i) text += "cos(";
  text += 'x';
  text.append(static_cast<std::size_t>(depth), ')');
  return text + ",x)";
}

// Handles `line` while another thread asks for a cancel after `delay`.
LineResult HandleCancelledAfter(const std::string& line, std::chrono::milliseconds delay) {
  ClearCancelRequest();
  std::thread canceller([delay] {
    std::this_thread::sleep_for(delay);
    RequestCancel();
  });
  LineResult r = HandleLine(line);
  canceller.join();
  ClearCancelRequest();
  return r;
}

TEST_F(CancelTest, StoppedPieceLeavesStateAsBefore) {
  const char* const longPieces[] = {"b:=", "f(x):=", ""};
  for (const char* prefix : longPieces) {
    SCOPED_TRACE(prefix);
    EXPECT_EQ(Line("a:=1"), "1");
    const std::string functions = Line("functionlist()");
    const std::int64_t before = LiveRecordCount();
    LineResult r = HandleCancelledAfter("a:=2; " + std::string(prefix) + NestedCosDiff(1200) +
                                            "; a:=3",
                                        std::chrono::milliseconds(50));
    EXPECT_TRUE(r.cancelled);
    ASSERT_EQ(r.values.size(), 1u);  // a:=2 completed before the request
    EXPECT_EQ(PrintValue(r.values[0]), "2");
    ReleaseValues(r.values);
    EXPECT_EQ(Eval("a"), "2");
    EXPECT_EQ(Eval("ans"), "2");
    EXPECT_EQ(Eval("b"), "b");
    EXPECT_EQ(Line("functionlist()"), functions);
    // a:=2 replaced a's record by one of the same size; nothing else stays.
    EXPECT_EQ(LiveRecordCount(), before);
    EXPECT_EQ(Line("1+1"), "2");
  }
}

// A matrix of distinct names, n by n.
std::string SymbolicMatrix(int n) {
  std::string m;
  for (int r = 0; r < n; ++r) {
    m += '[';
    for (int c = 0; c < n; ++c) m += (c ? ",a" : "a") + std::to_string(r) + "_" + std::to_string(c);
    m += ']';
  }
  return m;
}

struct LongWorkload {
  const char* name;
  std::string line;
};

// Lines that run for seconds, each spending its time in another loop. None is
// written whole as one literal: every literal of these tests seeds the
// fuzzer, which would run such a line to its end, for minutes under the
// sanitizers.
std::vector<LongWorkload> LongWorkloads() {
  // A rational coefficient keeps the power off the packed way.
  const std::string power = "^" + std::to_string(30);
  std::string equations;
  for (int i = 0; i < 30000; ++i) equations += (i ? "|x=" : "x=") + std::to_string(i);
  // p is bound before: a 5,456-term polynomial.
  std::string factorisations;
  for (int i = 1; i <= 40; ++i)
    factorisations += (i > 1 ? "+factorout(p,x+" : "factorout(p,x+") + std::to_string(i) + ")";
  std::string elements;
  for (std::int64_t i = 0; i < 400000; ++i)
    elements += (i ? "," : "") + std::to_string(i * 7919 % 400009);
  return {
      {"large expand", "expand((x/2+y+z+w+1)" + power + ")"},
      {"symbolic det", "expand(det(" + SymbolicMatrix(8) + "))"},
      {"deep diff", NestedCosDiff(1500)},
      {"big set", "{" + elements + "}"},
      {"long solve", "solve(" + equations + ",x)"},
      {"factorisation", factorisations},
  };
}

#if defined(__SANITIZE_ADDRESS__)
#define SYMCALC_CANCEL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SYMCALC_CANCEL_SANITIZED 1
#endif
#endif

// From the request to the return of the line, with the request made once the
// line has run for 50 ms. A loaded machine can miss the bound once for
// reasons of its own (the engine's thread not scheduled, the requesting one
// late); a check point missing in a loop misses it every time, so the best
// of a few tries is held to it. The sanitizers make each step between two
// check points many times slower, and the bound with them.
TEST_F(CancelTest, EveryLongWorkloadStopsPromptlyAndLeavesNoTrace) {
#ifdef SYMCALC_CANCEL_SANITIZED
  constexpr auto kBound = std::chrono::milliseconds(1000);
#else
  constexpr auto kBound = std::chrono::milliseconds(100);
#endif
  constexpr int kAttempts = 3;
  EXPECT_EQ(Line("a:=1"), "1");
  EXPECT_EQ(Line("f(t):=t+1"), "1+t");
  Line("p:=expand((x+y+z+1)^30)");
  const std::string functions = Line("functionlist()");
  auto names = [] {
    std::string s;
    for (const VariableInfo& v : VariableBindings()) s += v.name + (v.constant ? "# " : " ");
    return s;
  };
  const std::string variables = names();
  for (const LongWorkload& w : LongWorkloads()) {
    SCOPED_TRACE(w.name);
    const std::string ans = Eval("ans");
    auto best = std::chrono::steady_clock::duration::max();
    for (int attempt = 0; attempt < kAttempts && best >= kBound; ++attempt) {
      const std::int64_t before = LiveRecordCount();
      ClearCancelRequest();
      std::chrono::steady_clock::time_point requested;
      std::thread canceller([&requested] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        requested = std::chrono::steady_clock::now();
        RequestCancel();
      });
      LineResult r = HandleLine("b:=" + w.line);
      const auto returned = std::chrono::steady_clock::now();
      canceller.join();
      ClearCancelRequest();
      ASSERT_TRUE(r.cancelled);
      EXPECT_TRUE(r.values.empty());
      best = std::min(best, returned - requested);
      EXPECT_EQ(LiveRecordCount(), before);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(best).count();
    std::printf("%s: cancelled %lld ms after the request (best of up to %d)\n", w.name,
                static_cast<long long>(ms), kAttempts);
    EXPECT_LT(best, kBound);
    EXPECT_EQ(names(), variables);
    EXPECT_EQ(Eval("b"), "b");
    EXPECT_EQ(Eval("a"), "1");
    EXPECT_EQ(Eval("ans"), ans);
    EXPECT_EQ(Line("functionlist()"), functions);
    EXPECT_EQ(Line("f(2)*3"), "9");
  }
}

TEST_F(CancelTest, RequestBeforeTheLineSkipsEveryPiece) {
  EXPECT_EQ(Line("a:=1"), "1");
  RequestCancel();
  LineResult r = HandleLine("a:=5; 7");
  EXPECT_TRUE(r.cancelled);
  EXPECT_TRUE(r.values.empty());
  ClearCancelRequest();
  EXPECT_EQ(Eval("a"), "1");
  EXPECT_EQ(Line("ans"), "1");
}

}  // namespace
}  // namespace symcalc::testing
