// A result larger than a picture can be is cut off at the picture's edge.
// The cut must not pass for the end of the formula: the picture marks it and
// its tooltip says where the whole text is.
#pragma once

#include <QString>

class QFont;
class QPainter;

namespace symcalc::gui {

struct Clipping {
  bool right = false;   // a result is wider than a picture can be
  bool bottom = false;  // the results are taller than a picture can be
  bool Any() const { return right || bottom; }
};

// The last pixels before the cut fade to white, and an ellipsis in the
// formula font stands at the cut result's centre line. The fade spans the
// result's rows, `top` to `bottom` (exclusive).
void MarkCutAtRight(QPainter& painter, const QFont& font, int right, int top, int bottom,
                    int centre);

// The last rows before the cut fade to white, and an ellipsis stands at the
// results' margin `left`.
void MarkCutAtBottom(QPainter& painter, const QFont& font, int width, int bottom, int left);

// The picture's tooltip about a cut, empty when nothing is cut. Other remarks
// on a picture go on lines of their own beside it.
QString ClippingToolTip(const Clipping& clipping);

}  // namespace symcalc::gui
