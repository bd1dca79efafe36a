#include "formula_painter.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <limits>

#include "picture_size.h"
#include "plot.h"
#include "raster.h"

namespace symcalc::gui {
namespace {

int Clamped(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, kMaxExtent)); }

// Strokes never reach further than this outside the area; it also covers
// glyphs that overhang their boxes.
constexpr int kAreaMargin = 32;

}  // namespace

FontMetricsOfLevels::FontMetricsOfLevels(const WorksheetFonts& fonts)
    : metrics_{QFontMetrics(fonts.font[1]), QFontMetrics(fonts.font[2]),
               QFontMetrics(fonts.font[3])} {
  for (std::size_t i = 0; i < metrics_.size(); ++i) {
    half_[i] = metrics_[i].size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2;
    minus_[i] = metrics_[i].horizontalAdvance(QStringLiteral("_"));
  }
}

const QFontMetrics& FontMetricsOfLevels::Of(int level) const {
  return metrics_[static_cast<std::size_t>(std::clamp(level, 1, 3) - 1)];
}

int FontMetricsOfLevels::Half(int level) const {
  return half_[static_cast<std::size_t>(std::clamp(level, 1, 3) - 1)];
}

int FontMetricsOfLevels::MinusWidth(int level) const {
  return minus_[static_cast<std::size_t>(std::clamp(level, 1, 3) - 1)];
}

int FontMetricsOfLevels::TextWidth(int level, std::string_view utf8) const {
  if (utf8.empty()) return 0;
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return Clamped(Of(level).horizontalAdvance(text));
}

int FontMetricsOfLevels::Ascent(int level) const { return Of(level).ascent(); }

PainterCanvas::PainterCanvas(QPainter& painter, const WorksheetFonts& fonts,
                             const FontMetricsOfLevels& metrics, QRect area)
    : painter_(painter), fonts_(fonts), metrics_(metrics), area_(area), clip_(area) {}

CanvasArea PainterCanvas::Area() const {
  return {std::int64_t{area_.left()} - kAreaMargin, std::int64_t{area_.top()} - kAreaMargin,
          std::int64_t{area_.right()} + 1 + kAreaMargin, std::int64_t{area_.bottom()} + 1 + kAreaMargin};
}

void PainterCanvas::Text(int x, int top, int level, std::string_view utf8) {
  if (utf8.empty()) return;
  painter_.setFont(fonts_.ForLevel(level));
  painter_.setPen(Qt::black);
  painter_.drawText(x, top + metrics_.Ascent(level),
                    QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void PainterCanvas::Fill(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
  const std::int64_t left = std::max<std::int64_t>(x, clip_.left());
  const std::int64_t top = std::max<std::int64_t>(y, clip_.top());
  const std::int64_t right = std::min<std::int64_t>(x + w - 1, clip_.right());
  const std::int64_t bottom = std::min<std::int64_t>(y + h - 1, clip_.bottom());
  if (left > right || top > bottom) return;
  painter_.fillRect(QRect(static_cast<int>(left), static_cast<int>(top),
                          static_cast<int>(right - left + 1), static_cast<int>(bottom - top + 1)),
                    colour_);
}

// Straight runs are filled as rectangles; a slanted stroke is filled run by
// run along its steps.
void PainterCanvas::Stroke(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool withEnd) {
  if (x0 == x1 && y0 == y1) {
    if (withEnd) Fill(x0, y0, 1, 1);
    return;
  }
  if (x0 == x1 || y0 == y1) {
    // Leaving out the end point shortens the run by one at the far end.
    std::int64_t fx = x1;
    std::int64_t fy = y1;
    if (!withEnd) {
      fx -= (x1 > x0) - (x1 < x0);
      fy -= (y1 > y0) - (y1 < y0);
    }
    Fill(std::min(x0, fx), std::min(y0, fy), (x0 > fx ? x0 - fx : fx - x0) + 1,
         (y0 > fy ? y0 - fy : fy - y0) + 1);
    return;
  }
  std::int64_t rx = 0;
  std::int64_t ry = 0;
  std::int64_t rw = 0;
  std::int64_t rh = 0;
  const auto flush = [&] {
    if (rw > 0) Fill(rx, ry, rw, rh);
    rw = 0;
  };
  WalkStroke(x0, y0, x1, y1, withEnd, [&](std::int64_t x, std::int64_t y) {
    if (rw > 0 && rw == 1 && x == rx && (y == ry + rh || y == ry - 1)) {
      if (y < ry) ry = y;
      ++rh;
    } else if (rw > 0 && rh == 1 && y == ry && (x == rx + rw || x == rx - 1)) {
      if (x < rx) rx = x;
      ++rw;
    } else {
      flush();
      rx = x;
      ry = y;
      rw = 1;
      rh = 1;
    }
  });
  flush();
}

void PainterCanvas::Line(int x, int y, int w, int h) {
  Stroke(x, y, std::int64_t{x} + w, std::int64_t{y} + h, false);
}

void PainterCanvas::Segment(int x1, int y1, int x2, int y2) { Stroke(x1, y1, x2, y2, true); }

void PainterCanvas::Pixel(int x, int y) { Fill(x, y, 1, 1); }

void PainterCanvas::Plot(const Value* node, int left, int top) {
  const QRect square(left, top, kPlotSide, kPlotSide);
  painter_.fillRect(square & area_, Qt::white);
  const PlotSketch sketch = SketchPlot(node, left, top);
  const QRect outer = clip_;
  const QColor outerColour = colour_;
  clip_ = square & area_;
  colour_ = Qt::black;
  for (const PlotSketch::Line& l : sketch.axes) Line(l.x, l.y, l.w, l.h);
  colour_ = kCurveColour;
  for (const PlotSketch::Point& p : sketch.pixels) Pixel(p.x, p.y);
  for (const PlotSketch::Segment& s : sketch.segments) Segment(s.x1, s.y1, s.x2, s.y2);
  clip_ = outer;
  colour_ = outerColour;
}

FormulaPainter::FormulaPainter(const WorksheetFonts& fonts)
    : fonts_(fonts), metrics_(fonts_), layout_(metrics_) {}

void FormulaPainter::Draw(QPainter& painter, const Value* value, int x, int y, int level) {
  // The painter works in logical pixels; a dense device has more of its own.
  const QPaintDevice* device = painter.device();
  const QRect area =
      device ? QRect(0, 0, LogicalPixels(device->width(), device->devicePixelRatio()),
                     LogicalPixels(device->height(), device->devicePixelRatio()))
             : QRect();
  PainterCanvas canvas(painter, fonts_, metrics_, area);
  layout_.Draw(canvas, value, x, y, level);
}

}  // namespace symcalc::gui
