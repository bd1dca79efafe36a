// What Return asks of the engine's thread: evaluate the line, then measure
// and draw its picture. The answer holds no value, so it can cross to the
// window thread.
#pragma once

#include <QImage>

#include <string>

#include "fonts.h"
#include "line_evaluator.h"

namespace symcalc::gui {

struct EvaluatedLine {
  bool quit = false;         // "end" or "quit": nothing was evaluated
  bool interrupted = false;  // a cancel request stopped the line or its drawing
  int width = 0;             // the width the picture asks of the worksheet
  QImage picture;            // null when there is nothing to show
};

EvaluatedLine EvaluateAndDraw(LineEvaluator& evaluator, const std::string& line,
                              const WorksheetFonts& fonts);

}  // namespace symcalc::gui
