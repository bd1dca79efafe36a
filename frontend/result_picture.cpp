#include "result_picture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <limits>

#include "fonts.h"

namespace symcalc::gui {

PictureLayout MeasureResults(const std::vector<Value*>& results, const WorksheetFonts& fonts) {
  PictureLayout layout;
  if (results.empty()) return layout;
  layout.formulas = std::make_shared<FormulaPainter>(fonts);
  // 64-bit sums: many tall results must not wrap around before the cap applies.
  qint64 widest = 0;
  qint64 height = 0;
  for (const Value* result : results) {
    const FormulaBox box = layout.formulas->Layout(result, 1);
    layout.boxes.push_back(box);
    widest = std::max<qint64>(widest, box.width);
    height += qint64{box.ascent} + box.descent;
  }
  height += qint64{kResultGap} * static_cast<qint64>(results.size() - 1);
  layout.width = static_cast<int>(std::clamp<qint64>(widest + kResultLeft, 0, kMaxPictureSide));
  const qint64 tallest = std::min<qint64>(kMaxPictureSide,
                                          kMaxPicturePixels / std::max(layout.width, 1));
  layout.height = static_cast<int>(std::clamp<qint64>(height, 0, tallest));
  return layout;
}

QImage DrawResults(const std::vector<Value*>& results, const PictureLayout& layout,
                   const WorksheetFonts& fonts) {
  if (results.empty() || layout.width < 1 || layout.height < 1) return {};
  QImage image(layout.width, layout.height, QImage::Format_RGB32);
  if (image.isNull()) return {};  // the allocation failed: show nothing rather than crash
  image.fill(Qt::white);
  const std::shared_ptr<FormulaPainter> formulas =
      layout.formulas ? layout.formulas : std::make_shared<FormulaPainter>(fonts);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.setFont(fonts.ForLevel(1));
  qint64 top = 0;
  for (std::size_t i = 0; i < results.size() && top < layout.height; ++i) {
    const FormulaBox& box = layout.boxes[i];
    const qint64 centre = std::min<qint64>(top + box.ascent, std::numeric_limits<int>::max());
    formulas->Draw(painter, results[i], kResultLeft, static_cast<int>(centre), 1);
    top += qint64{box.ascent} + box.descent + kResultGap;
  }
  return image;
}

QImage WithInterruptedNote(const QImage& results, const WorksheetFonts& fonts) {
  const QFont& font = fonts.ForLevel(1);
  const QFontMetrics metrics(font);
  const QString note = QString::fromLatin1(kInterruptedNote);
  // As high as a one-line result: half a space above and below its centre.
  const int half = metrics.size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2;
  const int height = 2 * half;
  const int noteWidth = kResultLeft + metrics.horizontalAdvance(note);
  const int width = std::clamp(std::max(results.width(), noteWidth), 1, kMaxPictureSide);
  const qint64 tallest = std::min<qint64>(kMaxPictureSide, kMaxPicturePixels / width);
  const qint64 below = results.isNull() ? 0 : qint64{results.height()} + kResultGap;
  // A picture already at its cap gives its last rows to the note.
  const int top = static_cast<int>(std::clamp<qint64>(below, 0, tallest - height));
  QImage image(width, top + height, QImage::Format_RGB32);
  if (image.isNull()) return results;
  image.fill(Qt::white);
  QPainter painter(&image);
  const int shown = std::min(top, results.height());
  if (shown > 0) painter.drawImage(0, 0, results, 0, 0, results.width(), shown);
  painter.setFont(font);
  painter.setPen(kNoteColour);
  painter.drawText(kResultLeft, top + metrics.ascent(), note);
  return image;
}

}  // namespace symcalc::gui
