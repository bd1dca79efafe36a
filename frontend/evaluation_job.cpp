#include "evaluation_job.h"

#include <algorithm>

namespace symcalc::gui {

EvaluatedLine EvaluateAndDraw(LineEvaluator& evaluator, const std::string& line,
                              const WorksheetFonts& fonts, const MeasuredResults& measured) {
  EvaluatedLine answer;
  if (!evaluator.Evaluate(line)) {
    answer.quit = true;
    return answer;
  }
  answer.interrupted = evaluator.Interrupted();
  // The request was for the piece that stopped: the pieces that completed,
  // plots among them, are drawn in full. A new request still stops a plot.
  if (answer.interrupted) ClearCancelRequest();
  const std::vector<Value*>& results = evaluator.Results();
  const PictureLayout layout = MeasureResults(results, fonts);
  if (measured) measured(results, layout);
  answer.picture = DrawResults(results, layout, fonts);
  if (CancelPending()) answer.interrupted = true;
  if (answer.interrupted) answer.picture = WithInterruptedNote(answer.picture, fonts);
  answer.width = std::max(layout.width, answer.picture.width());
  return answer;
}

}  // namespace symcalc::gui
