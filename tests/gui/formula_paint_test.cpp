// Strokes come out pixel-exact: lines leave out their end point, segments
// keep both, and the worksheet's pictures show the formulas' geometry.
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <set>
#include <utility>

#include "formula_fixtures.h"
#include "formula_painter.h"
#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels Dark(const QImage& image) {
  Pixels dark;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) dark.insert({x, y});
  return dark;
}

QString Describe(const Pixels& pixels) {
  QStringList parts;
  for (const auto& [x, y] : pixels) parts << QStringLiteral("(%1,%2)").arg(x).arg(y);
  return parts.join(' ');
}

Pixels Run(int x0, int y0, int dx, int dy, int count) {
  Pixels p;
  for (int i = 0; i < count; ++i) p.insert({x0 + i * dx, y0 + i * dy});
  return p;
}

enum class Stroke { Line, Segment, Pixel };

}  // namespace

class FormulaPaintTest : public QObject {
  Q_OBJECT

 private slots:
  void strokesCoverExactlyTheirPixels_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("args");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, Stroke kind, QList<int> args, const Pixels& expected) {
      QTest::newRow(name) << static_cast<int>(kind) << args << Describe(expected);
    };
    row("line right leaves out its end", Stroke::Line, {2, 3, 4, 0}, Run(2, 3, 1, 0, 4));
    row("line left leaves out its end", Stroke::Line, {5, 3, -3, 0}, Run(5, 3, -1, 0, 3));
    row("line down", Stroke::Line, {2, 2, 0, 3}, Run(2, 2, 0, 1, 3));
    row("line up", Stroke::Line, {6, 9, 0, -4}, Run(6, 9, 0, -1, 4));
    row("diagonal line", Stroke::Line, {3, 5, 2, -2}, Run(3, 5, 1, -1, 2));
    row("empty line", Stroke::Line, {4, 4, 0, 0}, {});
    row("segment keeps both ends", Stroke::Segment, {2, 2, 2, 5}, Run(2, 2, 0, 1, 4));
    row("diagonal segment", Stroke::Segment, {1, 1, 4, 4}, Run(1, 1, 1, 1, 4));
    row("point segment", Stroke::Segment, {7, 8, 7, 8}, Run(7, 8, 0, 0, 1));
    row("pixel", Stroke::Pixel, {7, 7}, Run(7, 7, 0, 0, 1));
    row("clipped at the edge", Stroke::Line, {-3, 0, 6, 0}, Run(0, 0, 1, 0, 3));
  }
  void strokesCoverExactlyTheirPixels() {
    QFETCH(int, kind);
    QFETCH(QList<int>, args);
    QFETCH(QString, expected);
    const FontFacts f;
    const FontMetricsOfLevels metrics(f.Fonts());
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      PainterCanvas canvas(painter, f.Fonts(), metrics, image.rect());
      switch (static_cast<Stroke>(kind)) {
        case Stroke::Line:
          canvas.Line(args[0], args[1], args[2], args[3]);
          break;
        case Stroke::Segment:
          canvas.Segment(args[0], args[1], args[2], args[3]);
          break;
        case Stroke::Pixel:
          canvas.Pixel(args[0], args[1]);
          break;
      }
    }
    QCOMPARE(Describe(Dark(image)), expected);
  }

  void bracesGrowTheirTipFromHeightTwentyFive_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("big");
    QTest::newRow("24") << 24 << false;
    QTest::newRow("25") << 25 << true;
  }
  void bracesGrowTheirTipFromHeightTwentyFive() {
    QFETCH(int, height);
    QFETCH(bool, big);
    RecordingCanvas left;
    PlaceBracket(left, Bracket::LeftBrace, 10, 0, height);
    RecordingCanvas right;
    PlaceBracket(right, Bracket::RightBrace, 10, 0, height);
    const int m = height / 2;
    std::set<std::pair<int, int>> leftPixels;
    std::set<std::pair<int, int>> rightPixels;
    for (const PlacedOp& op : left.ops)
      if (op.kind == PlacedOp::Pixel) leftPixels.insert({op.x, op.y});
    for (const PlacedOp& op : right.ops)
      if (op.kind == PlacedOp::Pixel) rightPixels.insert({op.x, op.y});
    if (big) {
      QCOMPARE(leftPixels, (std::set<std::pair<int, int>>{{10, m}, {11, m - 1}, {11, m + 1}}));
      QCOMPARE(rightPixels, (std::set<std::pair<int, int>>{{14, m}, {13, m - 1}, {13, m + 1}}));
    } else {
      QCOMPARE(leftPixels, (std::set<std::pair<int, int>>{{11, m}}));
      QCOMPARE(rightPixels, (std::set<std::pair<int, int>>{{13, m}}));
    }
  }

  void worksheetPictureShowsTheFractionBar() {
    SheetDriver d;
    QVERIFY(d.Ready());
    const FontFacts f;
    d.Enter("1/2");
    const QImage picture = d.Sheet().EntryAt(0).picture->grab().toImage();
    const int h = f.Half(1);
    QCOMPARE(picture.height(), 4 * h);
    const int bar = std::max(f.W(1, "1"), f.W(1, "2")) + 4;
    // The bar runs along the centre line, 2h below the top, and no further.
    for (int x = 100; x < 100 + bar; ++x)
      QVERIFY2(qGray(picture.pixel(x, 2 * h)) < 128, qPrintable(QString::number(x)));
    QCOMPARE(picture.pixelColor(99, 2 * h), QColor(Qt::white));
    QCOMPARE(picture.pixelColor(100 + bar, 2 * h), QColor(Qt::white));
    QVERIFY(HasInk(picture, QRect(100, 0, bar, 2 * h)));       // numerator
    QVERIFY(HasInk(picture, QRect(100, 2 * h + 1, bar, 2 * h - 1)));  // denominator
  }
};

SYMCALC_GUI_SUITE(FormulaPaintTest)

}  // namespace symcalc::gui::test

#include "formula_paint_test.moc"
