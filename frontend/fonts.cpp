#include "fonts.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace symcalc::gui {
namespace {

// On Linux fontconfig answers these faces with the metric-compatible
// Liberation fonts; the style hint picks a sensible face where neither exists.
QFont MakeFont(const char* family, QFont::StyleHint hint, int points, qreal dpi) {
  QFont font(QString::fromLatin1(family));
  font.setStyleHint(hint);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
  return font;
}

}  // namespace

const QFont& WorksheetFonts::ForLevel(int level) const {
  return font[static_cast<std::size_t>(std::clamp(level, 1, 3))];
}

WorksheetFonts LoadWorksheetFonts(qreal logicalDpi) {
  if (!(logicalDpi > 0)) logicalDpi = 96;
  WorksheetFonts fonts;
  fonts.font[0] = MakeFont("Courier New", QFont::TypeWriter, 10, logicalDpi);
  fonts.font[1] = MakeFont("Times New Roman", QFont::Serif, 12, logicalDpi);
  fonts.font[2] = MakeFont("Times New Roman", QFont::Serif, 10, logicalDpi);
  fonts.font[3] = MakeFont("Times New Roman", QFont::Serif, 8, logicalDpi);
  fonts.lineHeight = QFontMetrics(fonts.font[0]).size(Qt::TextSingleLine, QStringLiteral(" ")).height();
  return fonts;
}

}  // namespace symcalc::gui
