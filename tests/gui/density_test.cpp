// On a screen with two device pixels to the pixel (the suite runs with
// QT_SCALE_FACTOR=2): pictures keep their geometry and get the pixels.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gallery_lines.h"
#include "result_picture.h"
#include "result_tools.h"
#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

constexpr int kScale = 2;

struct Comparison {
  // Per channel (0 to 255), averaged over the pixels that are not white in
  // the plain picture: a picture that is mostly white dilutes nothing.
  double meanDifference = 0;
  int detailedBlocks = 0;     // blocks of 2 by 2 pixels that are not one colour
};

// `sharp` reduced block by block to the size of `plain`, against `plain`.
Comparison Compare(const QImage& sharp, const QImage& plain) {
  Comparison c;
  qint64 difference = 0;
  qint64 inked = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      int sum[3] = {0, 0, 0};
      const QRgb first = sharp.pixel(kScale * x, kScale * y);
      bool uniform = true;
      for (int dy = 0; dy < kScale; ++dy) {
        for (int dx = 0; dx < kScale; ++dx) {
          const QRgb p = sharp.pixel(kScale * x + dx, kScale * y + dy);
          uniform = uniform && p == first;
          sum[0] += qRed(p);
          sum[1] += qGreen(p);
          sum[2] += qBlue(p);
        }
      }
      const QRgb q = plain.pixel(x, y);
      if (q != qRgb(255, 255, 255)) ++inked;
      difference += std::abs(sum[0] / 4 - qRed(q)) + std::abs(sum[1] / 4 - qGreen(q)) +
                    std::abs(sum[2] / 4 - qBlue(q));
      if (!uniform) ++c.detailedBlocks;
    }
  }
  c.meanDifference = static_cast<double>(difference) / (3.0 * std::max<qint64>(inked, 1));
  return c;
}

}  // namespace

class HighDensityTest : public QObject {
  Q_OBJECT

 private slots:
  void picturesHaveTwiceThePixelsAndTheSameGeometry() {
    SheetDriver d;
    QVERIFY(d.Ready());
    QCOMPARE(d.Window().devicePixelRatioF(), qreal{kScale});
    Worksheet& sheet = d.Sheet();
    for (const char* line : kGalleryLines) {
      const int entry = sheet.ActiveEntry();
      d.Enter(line);
      // With the engine idle, this thread may read the values it keeps.
      const std::vector<Value*>& results = sheet.Evaluator().Results();
      const PictureLayout plainLayout = MeasureResults(results, sheet.Fonts(), {sheet.InnerWidth(), 1});
      const QImage plain = DrawResults(results, plainLayout, sheet.Fonts());
      const QImage sharp = d.Picture(entry);
      QCOMPARE(sharp.devicePixelRatio(), qreal{kScale});
      QCOMPARE(sharp.size(), plain.size() * kScale);
      QCOMPARE(sheet.EntryAt(entry).picture->size(), plain.size());
      const Comparison c = Compare(sharp.convertToFormat(QImage::Format_RGB32), plain);
      // Glyph edges drawn finer than a pixel: not a small picture enlarged.
      QVERIFY2(c.detailedBlocks > 20, line);
      QVERIFY2(c.meanDifference < 16.0, qPrintable(QString("%1: %2").arg(line).arg(c.meanDifference)));
    }
    // A copied picture keeps the density, only as wide as the results.
    const std::vector<Value*>& last = sheet.Evaluator().Results();
    const QImage own = DrawResults(last, MeasureResults(last, sheet.Fonts(), {0, kScale}), sheet.Fonts());
    QSignalSpy copied(&sheet.Tools(), &ResultTools::copied);
    sheet.Tools().CopyResults(sheet.EntryCount() - 2, CopyFormats{.image = true});
    QTRY_COMPARE(copied.count(), 1);
    QImage expected = own.convertToFormat(QImage::Format_RGB32);
    expected.setDevicePixelRatio(1);  // a PNG holds the pixels only
    QCOMPARE(ClipboardPng(), expected);
    // Widening pads at the screen's density too.
    d.Enter("expand((x+y+z+1)^5)");
    QVERIFY(sheet.InnerWidth() > 779);
    QCOMPARE(d.Picture(0).width(), kScale * sheet.InnerWidth());
    QCOMPARE(sheet.EntryAt(0).picture->width(), sheet.InnerWidth());
  }
};

SYMCALC_GUI_SUITE(HighDensityTest)

}  // namespace symcalc::gui::test

#include "density_test.moc"
