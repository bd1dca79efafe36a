// Measuring and drawing one result. Results are positioned by their left edge
// and their centre line; the box tells how far they reach above and below it.
//
// For now a result is drawn as its one-line text form at level 1; the two
// functions below are the whole interface the picture code relies on, so a
// two-dimensional layout can take their place without touching the rest.
#pragma once

#include "symcalc/engine.h"

class QPainter;

namespace symcalc::gui {

struct WorksheetFonts;

struct FormulaBox {
  int width = 0;
  int ascent = 0;   // above the centre line
  int descent = 0;  // below it
};

FormulaBox LayoutFormula(const Value* value, int level, const WorksheetFonts& fonts);

// Paints `value` with its left edge at x and its centre line at y.
void DrawFormula(QPainter& painter, const Value* value, int x, int y, int level,
                 const WorksheetFonts& fonts);

}  // namespace symcalc::gui
