#include "result_picture.h"

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

}  // namespace symcalc::gui
