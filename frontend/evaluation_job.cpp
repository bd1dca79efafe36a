#include "evaluation_job.h"

#include <algorithm>

#include "result_description.h"

namespace symcalc::gui {

EvaluatedLine EvaluateAndDraw(LineEvaluator& evaluator, const std::string& line,
                              const WorksheetFonts& fonts, const PictureTarget& target,
                              const MeasuredResults& measured) {
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
  answer.description = DescribeResults(results);
  const PictureLayout layout = MeasureResults(results, fonts, target);
  if (measured) measured(results, layout);
  answer.picture = DrawResults(results, layout, fonts);
  answer.clipping = layout.clipping;
  answer.drawnWidth = layout.width;
  if (CancelPending()) answer.interrupted = true;
  if (answer.interrupted) {
    // A text cut short by the request would read as the whole result.
    if (CancelPending()) answer.description.clear();
    answer.picture = WithInterruptedNote(answer.picture, fonts, target);
    answer.drawnWidth = std::max(answer.drawnWidth, InterruptedNoteWidth(fonts));
    if (!answer.description.empty()) answer.description += '\n';
    answer.description += kInterruptedNote;
  }
  answer.width = std::max(layout.width, LogicalSize(answer.picture).width());
  return answer;
}

}  // namespace symcalc::gui
