#include "clip_marks.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace symcalc::gui {
namespace {

// Long enough to read as a fade rather than a bar, short enough to leave
// the formula's last whole symbols visible.
constexpr int kFadeLength = 40;
// White space around the ellipsis where the fade is complete.
constexpr int kEllipsisPadding = 3;

const QString& Ellipsis() {
  static const QString text(QChar(0x2026));
  return text;
}

QLinearGradient Fade(QPointF from, QPointF to) {
  QLinearGradient fade(from, to);
  fade.setColorAt(0, QColor(255, 255, 255, 0));
  fade.setColorAt(1, Qt::white);
  return fade;
}

}  // namespace

void MarkCutAtRight(QPainter& painter, const QFont& font, int right, int top, int bottom,
                    int centre) {
  const QFontMetrics metrics(font);
  const int ellipsis = metrics.horizontalAdvance(Ellipsis());
  const int solid = ellipsis + 2 * kEllipsisPadding;
  const int fadeLeft = right - solid - kFadeLength;
  painter.save();
  painter.fillRect(QRect(fadeLeft, top, kFadeLength, bottom - top),
                   Fade(QPointF(fadeLeft, 0), QPointF(fadeLeft + kFadeLength, 0)));
  painter.fillRect(QRect(right - solid, top, solid, bottom - top), Qt::white);
  // As formula text stands: its top half a space above the centre line.
  const int half = metrics.size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2;
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(right - solid + kEllipsisPadding, centre - half + metrics.ascent(), Ellipsis());
  painter.restore();
}

void MarkCutAtBottom(QPainter& painter, const QFont& font, int width, int bottom, int left) {
  const QFontMetrics metrics(font);
  const int solid = metrics.height() + kEllipsisPadding;
  const int fadeTop = std::max(0, bottom - solid - kFadeLength);
  painter.save();
  painter.fillRect(QRect(0, fadeTop, width, bottom - solid - fadeTop),
                   Fade(QPointF(0, fadeTop), QPointF(0, bottom - solid)));
  painter.fillRect(QRect(0, bottom - solid, width, solid), Qt::white);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(left, bottom - kEllipsisPadding - metrics.descent(), Ellipsis());
  painter.restore();
}

QString ClippingToolTip(const Clipping& clipping) {
  if (!clipping.Any()) return {};
  const char* larger = clipping.right && clipping.bottom ? "wider and taller"
                       : clipping.right                  ? "wider"
                                                         : "taller";
  return QStringLiteral(
             "This result is %1 than can be drawn: the picture is cut off where the dots "
             "stand. Ctrl+M pastes the full text of the last result into the focused line.")
      .arg(QLatin1String(larger));
}

}  // namespace symcalc::gui
