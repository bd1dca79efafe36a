#include "result_picture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <limits>

#include "fonts.h"

namespace symcalc::gui {

PictureLayout MeasureResults(const std::vector<Value*>& results, const WorksheetFonts& fonts,
                             const PictureTarget& target) {
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
  layout.clipping.right = widest + kResultLeft > layout.width;
  layout.clipping.bottom = height > layout.height;
  // Sharpness comes first; the white out to the inner width only when the
  // memory for it is there as well (the field behind is white anyway).
  layout.ratio = DrawingRatio(QSize(layout.width, layout.height), target.pixelRatio);
  const bool raise = target.innerWidth > layout.width &&
                     FitsBudget(target.innerWidth, layout.height, layout.ratio);
  layout.picture = QSize(raise ? target.innerWidth : layout.width, layout.height);
  return layout;
}

QImage DrawResults(const std::vector<Value*>& results, const PictureLayout& layout,
                   const WorksheetFonts& fonts) {
  if (results.empty() || layout.width < 1 || layout.height < 1) return {};
  const QSize size = layout.picture.isValid() ? layout.picture : QSize(layout.width, layout.height);
  QImage image = BlankPicture(size, layout.ratio);
  if (image.isNull()) return {};  // the allocation failed: show nothing rather than crash
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
    const qint64 bottom = top + box.ascent + box.descent;
    if (qint64{box.width} + kResultLeft > layout.width && centre < layout.height)
      MarkCutAtRight(painter, fonts.ForLevel(1), layout.width, static_cast<int>(top),
                     static_cast<int>(std::min<qint64>(bottom, layout.height)),
                     static_cast<int>(centre));
    top = bottom + kResultGap;
  }
  if (layout.clipping.bottom)
    MarkCutAtBottom(painter, fonts.ForLevel(1), size.width(), layout.height, kResultLeft);
  return image;
}

int InterruptedNoteWidth(const WorksheetFonts& fonts) {
  return kResultLeft +
         QFontMetrics(fonts.ForLevel(1)).horizontalAdvance(QString::fromLatin1(kInterruptedNote));
}

QImage WithInterruptedNote(const QImage& results, const WorksheetFonts& fonts,
                           const PictureTarget& target) {
  const QFont& font = fonts.ForLevel(1);
  const QFontMetrics metrics(font);
  const QString note = QString::fromLatin1(kInterruptedNote);
  // As high as a one-line result: half a space above and below its centre.
  const int half = metrics.size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2;
  const int height = 2 * half;
  const int noteWidth = InterruptedNoteWidth(fonts);
  const QSize shown = results.isNull() ? QSize(0, 0) : LogicalSize(results);
  // Results already fill what the budget allows of the inner width.
  const int raised = results.isNull() ? target.innerWidth : 0;
  const int width = std::clamp(std::max({shown.width(), noteWidth, raised}), 1, kMaxPictureSide);
  const qreal ratio = results.isNull() ? DrawingRatio(QSize(width, height), target.pixelRatio)
                                       : results.devicePixelRatio();
  const qint64 tallest = std::min<qint64>(
      kMaxPictureSide, LogicalPixels(static_cast<int>(std::min<qint64>(
                                         kMaxPicturePixels / DevicePixels(width, ratio),
                                         std::numeric_limits<int>::max())),
                                     ratio));
  const qint64 below = results.isNull() ? 0 : qint64{shown.height()} + kResultGap;
  // A picture already at its cap gives its last rows to the note.
  const int top = static_cast<int>(std::clamp<qint64>(below, 0, tallest - height));
  QImage image = BlankPicture(QSize(width, top + height), ratio);
  if (image.isNull()) return results;
  if (!results.isNull()) CopyRows(results, image, DevicePixels(std::min(top, shown.height()), ratio));
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(kNoteColour);
  painter.drawText(kResultLeft, top + metrics.ascent(), note);
  return image;
}

}  // namespace symcalc::gui
