// What Return asks of the engine's thread: evaluate the line, then measure
// and draw its picture and put its results into words. The answer holds no
// value, so it can cross to the window thread.
#pragma once

#include <QImage>

#include <functional>
#include <string>
#include <vector>

#include "clip_marks.h"
#include "fonts.h"
#include "line_evaluator.h"
#include "picture_size.h"
#include "result_picture.h"

namespace symcalc::gui {

struct EvaluatedLine {
  bool quit = false;         // "end" or "quit": nothing was evaluated
  bool interrupted = false;  // a cancel request stopped the line or its drawing
  int width = 0;             // the width the picture asks of the worksheet
  int drawnWidth = 0;        // how far in from the left anything is drawn
  QImage picture;            // null when there is nothing to show
  Clipping clipping;         // what the picture had to leave out
  std::string description;   // the results in words, one value per line
};

// Whatever else the worksheet takes from a line's values while they are at
// hand: called on the engine's thread once they are measured, before the
// picture is drawn. It may read the values but not keep them.
using MeasuredResults =
    std::function<void(const std::vector<Value*>& results, const PictureLayout& layout)>;

EvaluatedLine EvaluateAndDraw(LineEvaluator& evaluator, const std::string& line,
                              const WorksheetFonts& fonts, const PictureTarget& target,
                              const MeasuredResults& measured = {});

}  // namespace symcalc::gui
