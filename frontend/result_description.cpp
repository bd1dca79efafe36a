#include "result_description.h"

#include <cstdint>
#include <vector>

#include "clipboard/result_texts.h"
#include "plot.h"

namespace symcalc::gui {
namespace {

// Far more than anyone listens to, far less than would stall the engine.
constexpr std::int64_t kReadableLength = std::int64_t{1} << 22;
// What one node adds to its text at most, beyond its own texts: a number's
// digits, an operator with parentheses, a separator.
constexpr std::int64_t kNodeLength = 26;

// Whether the printed text of `v` stays within `budget` characters, judged
// generously from its structure. Shared parts count each time they are
// printed, so the walk stops as soon as the budget is spent.
bool PrintsWithin(const Value* v, std::int64_t budget) {
  std::vector<const Value*> pending{v};
  const auto push = [&pending](const Value* child) {
    if (child) pending.push_back(child);
  };
  while (!pending.empty()) {
    const Value* node = pending.back();
    pending.pop_back();
    budget -= kNodeLength;
    switch (TypeOf(node)) {
      case ValueType::String:
      case ValueType::Symbol:
      case ValueType::Variable:
        budget -= static_cast<std::int64_t>(TextValueOf(node).size());
        break;
      case ValueType::Error:
        budget -= static_cast<std::int64_t>(ErrorMessage(RawErrorCode(node)).size());
        push(ErrorOperand(node));
        break;
      case ValueType::Array:
        for (int i = 0, n = ArrayWidth(node) * ArrayHeight(node); i < n && budget >= 0; ++i)
          push(ArrayCell(node, i));
        break;
      case ValueType::Set:
        for (const Value* e = SetFirst(node); e && budget >= 0; e = SetNext(e)) push(e);
        break;
      case ValueType::Function:
        budget -= static_cast<std::int64_t>(FunctionEntryName(node).size());
        for (int i = 0; i < FunctionArgumentCount(node); ++i) push(FunctionArgument(node, i));
        break;
      case ValueType::Complex:
      case ValueType::Range:
      case ValueType::Plus:
      case ValueType::Times:
      case ValueType::Power:
      case ValueType::And:
      case ValueType::Or:
      case ValueType::Xor:
      case ValueType::Equal:
      case ValueType::Greater:
      case ValueType::GreaterEqual:
      case ValueType::NotEqual:
        push(LeftOperand(node));
        push(RightOperand(node));
        break;
      default:
        break;
    }
    if (budget < 0) return false;
  }
  return true;
}

std::string Readable(const Value* v) {
  return PrintsWithin(v, kReadableLength) ? PrintValue(v) : std::string(kTooLongToRead);
}

// "x from a to b" for the axis argument "x = a..b".
std::string AxisRange(const Value* spec) {
  const Value* range = RightOperand(spec);
  return Readable(LeftOperand(spec)) + " from " + Readable(LeftOperand(range)) + " to " +
         Readable(RightOperand(range));
}

}  // namespace

bool PrintsReadably(const Value* v) { return PrintsWithin(v, kReadableLength); }

std::string DescribePlot(const Value* plot) {
  const Value* f = FunctionArgument(plot, 0);
  const Value* x = FunctionArgument(plot, 1);
  const Value* y = FunctionArgumentCount(plot) > 2 ? FunctionArgument(plot, 2) : nullptr;
  if (!f || !IsAxisRange(x) || (y && !IsAxisRange(y))) return Readable(plot);
  std::string text = "plot of " + Readable(f) + " for " + AxisRange(x);
  if (y) text += ", " + AxisRange(y);
  return text;
}

std::string DescribeResults(const std::vector<Value*>& results) {
  return OnePerLine(results, [](const Value* v) { return IsPlot(v) ? DescribePlot(v) : Readable(v); });
}

}  // namespace symcalc::gui
