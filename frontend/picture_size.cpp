#include "picture_size.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace symcalc::gui {
namespace {

// Products such as 779 * 1.1 come out a hair above or below the integer they
// stand for; this keeps such a hair from adding or losing a whole pixel.
constexpr qreal kSlack = 1e-6;

qreal Sane(qreal ratio) { return ratio >= 1 && std::isfinite(ratio) ? ratio : 1; }

}  // namespace

int DevicePixels(int logical, qreal ratio) {
  return static_cast<int>(std::ceil(logical * Sane(ratio) - kSlack));
}

int LogicalPixels(int device, qreal ratio) {
  return static_cast<int>(std::floor(device / Sane(ratio) + kSlack));
}

QSize LogicalSize(const QImage& image) {
  return {LogicalPixels(image.width(), image.devicePixelRatio()),
          LogicalPixels(image.height(), image.devicePixelRatio())};
}

bool FitsBudget(qint64 width, qint64 height, qreal ratio) {
  ratio = Sane(ratio);
  if (width > kMaxPictureSide || height > kMaxPictureSide) return false;
  const qint64 deviceWidth = DevicePixels(static_cast<int>(width), ratio);
  const qint64 deviceHeight = DevicePixels(static_cast<int>(height), ratio);
  return deviceWidth * deviceHeight <= kMaxPicturePixels;
}

qreal DrawingRatio(QSize logical, qreal screenRatio) {
  screenRatio = Sane(screenRatio);
  return FitsBudget(logical.width(), logical.height(), screenRatio) ? screenRatio : 1;
}

QImage BlankPicture(QSize logical, qreal ratio) {
  ratio = Sane(ratio);
  QImage image(DevicePixels(logical.width(), ratio), DevicePixels(logical.height(), ratio),
               QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  return image;
}

void CopyRows(const QImage& from, QImage& to, int rows) {
  if (from.format() != to.format()) {
    CopyRows(from.convertToFormat(to.format()), to, rows);
    return;
  }
  // A painter would scale by the images' ratios; this copies the pixels.
  const qsizetype rowBytes = qsizetype{std::min(from.width(), to.width())} * from.depth() / 8;
  rows = std::min({rows, from.height(), to.height()});
  for (int y = 0; y < rows; ++y)
    std::memcpy(to.scanLine(y), from.constScanLine(y), static_cast<std::size_t>(rowBytes));
}

QImage WidenedPicture(const QImage& picture, int width) {
  const QSize logical = LogicalSize(picture);
  const qreal ratio = picture.devicePixelRatio();
  if (picture.isNull() || width <= logical.width() || !FitsBudget(width, logical.height(), ratio))
    return picture;
  QImage wider(DevicePixels(width, ratio), picture.height(), picture.format());
  if (wider.isNull()) return picture;
  wider.fill(Qt::white);
  CopyRows(picture, wider, picture.height());
  wider.setDevicePixelRatio(ratio);
  return wider;
}

QImage NarrowedPicture(const QImage& picture, int width) {
  const qreal ratio = picture.devicePixelRatio();
  const int device = DevicePixels(std::max(width, 1), ratio);
  if (picture.isNull() || device >= picture.width()) return picture;
  QImage narrower = picture.copy(0, 0, device, picture.height());
  narrower.setDevicePixelRatio(ratio);
  return narrower;
}

}  // namespace symcalc::gui
