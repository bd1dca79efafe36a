// Cancelling from another thread: the stopped piece leaves no trace.
#include <chrono>
#include <string>
#include <thread>

#include "test_support.h"

namespace symcalc::testing {
namespace {

using CancelTest = EngineTest;

std::string NestedSinDiff(int depth) {
  std::string text = "diff(";
  for (int i = 0; i < depth; ++i) text += "sin(";
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
    LineResult r = HandleCancelledAfter("a:=2; " + std::string(prefix) + NestedSinDiff(1200) + "; a:=3",
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
