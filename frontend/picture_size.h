// How large a result picture is drawn, in logical pixels (the geometry of the
// worksheet) and in device pixels (the memory it takes on a dense screen).
#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>

namespace symcalc::gui {

// A picture never grows beyond these bounds; whatever lies outside is clipped.
// 32767 keeps coordinates within what every window system handles, and the
// pixel budget (256 MiB of 32-bit pixels) keeps one enormous result, such as
// a 32767-row matrix, from taking the machine's memory. The side applies to
// logical pixels, the budget to the pixels actually stored.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr qint64 kMaxPicturePixels = qint64{1} << 26;

// Where a picture is going to be shown, as the window thread sees it when it
// hands the line over.
struct PictureTarget {
  int innerWidth = 0;     // every picture is at least as wide as the worksheet
  qreal pixelRatio = 1;   // device pixels per logical pixel on the window's screen
};

// Device pixels that cover `logical` ones at `ratio` (at least 1).
int DevicePixels(int logical, qreal ratio);
// The logical pixels an image of `device` pixels at `ratio` covers.
int LogicalPixels(int device, qreal ratio);
QSize LogicalSize(const QImage& image);

// True when a picture of that logical size fits the budget at `ratio`.
bool FitsBudget(qint64 width, qint64 height, qreal ratio);

// The ratio a picture of that logical size is drawn at: the screen's, unless
// that would take more than the budget, when the picture is drawn at 1 and
// the window system enlarges it, blurred but complete.
qreal DrawingRatio(QSize logical, qreal screenRatio);

// A white picture of that logical size at that ratio; null when the memory
// cannot be had.
QImage BlankPicture(QSize logical, qreal ratio);

// Copies the first `rows` device rows of `from` to the top left of `to`,
// pixel for pixel (both of one format, `to` at least as large).
void CopyRows(const QImage& from, QImage& to, int rows);

// `picture` padded with white on the right out to `width` logical pixels, as
// the worksheet widens; unchanged when that would exceed the budget (the
// field behind it is white too) or the picture is already as wide.
QImage WidenedPicture(const QImage& picture, int width);

// The first `width` logical pixels of `picture`, all of its rows: the white
// that filled the worksheet cut away again. Unchanged when it is no wider.
QImage NarrowedPicture(const QImage& picture, int width);

}  // namespace symcalc::gui
