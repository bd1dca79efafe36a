// The picture under an input line: every result of the line, one below the
// other, 100 pixels in from the left on white.
#pragma once

#include <QColor>
#include <QImage>

#include <memory>
#include <vector>

#include "formula_painter.h"

namespace symcalc::gui {

// A picture never grows beyond these bounds; whatever lies outside is clipped.
// 32767 keeps coordinates within what every window system handles, and the
// pixel budget (256 MiB of 32-bit pixels) keeps one enormous result, such as
// a 32767-row matrix, from taking the machine's memory.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr qint64 kMaxPicturePixels = qint64{1} << 26;

inline constexpr int kResultLeft = 100;
inline constexpr int kResultGap = 10;

struct PictureLayout {
  std::vector<FormulaBox> boxes;  // one per result, at level 1
  int width = 0;                  // widest result plus its left margin
  int height = 0;                 // the results stacked with their gaps
  // Every box measured on the way, so that drawing measures nothing again.
  std::shared_ptr<FormulaPainter> formulas;
};

// Both dimensions are already capped.
PictureLayout MeasureResults(const std::vector<Value*>& results, const WorksheetFonts& fonts);

// What a line stopped by a cancel request shows after the results of the
// pieces that completed: a remark of the worksheet's own, not a value.
inline const QColor kNoteColour{128, 128, 128};
inline constexpr const char* kInterruptedNote = "interrupted";

// A null image when there is nothing to show (no results, or an empty size).
// The results must be the ones measured, unchanged.
QImage DrawResults(const std::vector<Value*>& results, const PictureLayout& layout,
                   const WorksheetFonts& fonts);

// `results` (which may be null) with the grey note beneath them, within the
// same bounds as any picture.
QImage WithInterruptedNote(const QImage& results, const WorksheetFonts& fonts);

}  // namespace symcalc::gui
