#include "clipboard/result_texts.h"

#include "latex_writer.h"

namespace symcalc::gui {

std::string OnePerLine(const std::vector<Value*>& results, const ValueWriter& write) {
  std::string text;
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (i > 0) text += '\n';
    text += write(results[i]);
  }
  return text;
}

std::string ResultsText(const std::vector<Value*>& results) {
  return OnePerLine(results, [](const Value* v) { return PrintValue(v); });
}

std::string ResultsLatex(const std::vector<Value*>& results) {
  return OnePerLine(results, [](const Value* v) { return LatexOf(v); });
}

}  // namespace symcalc::gui
