#include "line_evaluator.h"

namespace symcalc::gui {

LineEvaluator::~LineEvaluator() {
  ReleaseValues(results_);
  FreeValue(last_);
}

bool LineEvaluator::Evaluate(std::string_view line) {
  LineResult handled = HandleLine(line);
  if (handled.quit) return false;
  ReleaseValues(results_);
  results_ = std::move(handled.values);
  interrupted_ = handled.cancelled;
  if (!results_.empty()) {
    Value* copy = CopyValue(results_.back());
    FreeValue(last_);
    last_ = copy;
  }
  return true;
}

std::optional<std::string> LineEvaluator::LastResultText() const {
  if (!last_) return std::nullopt;
  std::string text = PrintValue(last_);
  if (CancelPending()) return std::nullopt;
  return text;
}

}  // namespace symcalc::gui
