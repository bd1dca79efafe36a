#include "formula.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <limits>

#include "fonts.h"

namespace symcalc::gui {
namespace {

// Text sits with its top half a space-height above the centre line.
int HalfHeight(const QFontMetrics& metrics) {
  return metrics.size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2;
}

QString TextOf(const Value* value) { return QString::fromStdString(PrintValue(value)); }

}  // namespace

FormulaBox LayoutFormula(const Value* value, int level, const WorksheetFonts& fonts) {
  const QFontMetrics metrics(fonts.ForLevel(level));
  const int half = HalfHeight(metrics);
  const qint64 width = metrics.horizontalAdvance(TextOf(value));
  return {static_cast<int>(std::min<qint64>(width, std::numeric_limits<int>::max())), half,
          half};
}

void DrawFormula(QPainter& painter, const Value* value, int x, int y, int level,
                 const WorksheetFonts& fonts) {
  const QFont& font = fonts.ForLevel(level);
  const QFontMetrics metrics(font);
  painter.setFont(font);
  painter.drawText(x, y - HalfHeight(metrics) + metrics.ascent(), TextOf(value));
}

}  // namespace symcalc::gui
