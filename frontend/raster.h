// Which pixels a straight stroke covers, for strokes drawn pixel by pixel so
// that they come out the same on every device.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace symcalc::gui {

// Visits every pixel from (x0, y0) to (x1, y1) in order (Bresenham), the end
// point only when `withEnd`: line(x, y, w, h) leaves out (x + w, y + h), a
// segment keeps both ends.
template <typename Visit>
void WalkStroke(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool withEnd,
                Visit visit) {
  const std::int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
  const std::int64_t dy = -(y1 > y0 ? y1 - y0 : y0 - y1);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  std::int64_t err = dx + dy;
  for (;;) {
    if (x0 == x1 && y0 == y1) {
      if (withEnd) visit(x0, y0);
      return;
    }
    visit(x0, y0);
    const std::int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

}  // namespace symcalc::gui
