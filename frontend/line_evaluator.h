// The worksheet's side of the engine: evaluates one input line and keeps the
// values the window still needs. It lives on the engine's thread: every call,
// its destruction included, is an engine job.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

class LineEvaluator {
 public:
  LineEvaluator() = default;
  LineEvaluator(const LineEvaluator&) = delete;
  LineEvaluator& operator=(const LineEvaluator&) = delete;
  ~LineEvaluator();

  // False when the line is a command to stop; the results are then untouched.
  // Otherwise the previous results are released and replaced by this line's:
  // all of them, or those completed before a cancel request stopped it.
  bool Evaluate(std::string_view line);

  const std::vector<Value*>& Results() const { return results_; }
  // The last line evaluated was stopped by a cancel request.
  bool Interrupted() const { return interrupted_; }

  // The text form of the most recent value of any line, if there was one and
  // no cancel request cut its printing short.
  std::optional<std::string> LastResultText() const;

 private:
  std::vector<Value*> results_;
  // Our own copy: a line without values releases the previous results, and
  // the last result must outlive them.
  Value* last_ = nullptr;
  bool interrupted_ = false;
};

}  // namespace symcalc::gui
