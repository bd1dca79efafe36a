// The picture under an input line: every result of the line, one below the
// other, 100 pixels in from the left on white, as wide as the worksheet.
// Sizes and positions are in logical pixels; a dense screen gets more device
// pixels for each, and the same picture drawn finer.
#pragma once

#include <QColor>
#include <QImage>

#include <memory>
#include <vector>

#include "clip_marks.h"
#include "formula_painter.h"
#include "picture_size.h"

namespace symcalc::gui {

inline constexpr int kResultLeft = 100;
inline constexpr int kResultGap = 10;

struct PictureLayout {
  std::vector<FormulaBox> boxes;  // one per result, at level 1
  int width = 0;                  // widest result plus its left margin
  int height = 0;                 // the results stacked with their gaps
  // The picture drawn: `width` raised to the worksheet's inner width when the
  // budget allows, `height` high, at `ratio` device pixels per pixel.
  QSize picture;
  qreal ratio = 1;
  Clipping clipping;
  // Every box measured on the way, so that drawing measures nothing again.
  std::shared_ptr<FormulaPainter> formulas;
};

// Both dimensions are already capped. Without a target the picture is as
// wide as its results and drawn at ratio 1.
PictureLayout MeasureResults(const std::vector<Value*>& results, const WorksheetFonts& fonts,
                             const PictureTarget& target = {});

// What a line stopped by a cancel request shows after the results of the
// pieces that completed: a remark of the worksheet's own, not a value.
inline const QColor kNoteColour{128, 128, 128};
inline constexpr const char* kInterruptedNote = "interrupted";
// How far in from the left the note reaches.
int InterruptedNoteWidth(const WorksheetFonts& fonts);

// A null image when there is nothing to show (no results, or an empty size).
// The results must be the ones measured, unchanged.
QImage DrawResults(const std::vector<Value*>& results, const PictureLayout& layout,
                   const WorksheetFonts& fonts);

// `results` (which may be null) with the grey note beneath them, within the
// same bounds as any picture, at the results' ratio (the target's if none).
QImage WithInterruptedNote(const QImage& results, const WorksheetFonts& fonts,
                           const PictureTarget& target = {});

}  // namespace symcalc::gui
