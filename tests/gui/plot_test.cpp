// plot: the handler's checks, the sampling's treatment of the user's
// variables, and the pixels of the square it draws.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "formula_fixtures.h"
#include "formula_painter.h"
#include "result_picture.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

// A plot drawn alone into a picture with room around it, so that any stroke
// leaving its square would show.
constexpr int kLeft = 300;
constexpr int kTop = 300;
constexpr int kSide = 501;

QImage DrawPlot(const FontFacts& f, const Value* node) {
  QImage image(kLeft + kSide + 300, kTop + kSide + 300, QImage::Format_RGB32);
  image.fill(QColor(230, 230, 230));  // grey: the square's own white shows
  QPainter painter(&image);
  const FontMetricsOfLevels metrics(f.Fonts());
  PainterCanvas canvas(painter, f.Fonts(), metrics, image.rect());
  canvas.Plot(node, kLeft, kTop);
  return image;
}

QColor At(const QImage& image, int u, int v) { return image.pixelColor(kLeft + u, kTop + v); }

bool IsBlack(const QColor& c) { return c == QColor(Qt::black); }
bool IsCurve(const QColor& c) { return c == kCurveColour; }
bool IsWhite(const QColor& c) { return c == QColor(Qt::white); }

int CountInColumn(const QImage& image, int u, bool (*test)(const QColor&)) {
  int n = 0;
  for (int v = 0; v < kSide; ++v) n += test(At(image, u, v)) ? 1 : 0;
  return n;
}

bool OnlyWhiteSquare(const QImage& image) {
  for (int v = 0; v < kSide; ++v)
    for (int u = 0; u < kSide; ++u)
      if (!IsWhite(At(image, u, v))) return false;
  return true;
}

// Nothing outside the square differs from the grey background.
bool StaysInItsSquare(const QImage& image) {
  const QColor grey(230, 230, 230);
  const QRect square(kLeft, kTop, kSide, kSide);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!square.contains(x, y) && image.pixelColor(x, y) != grey) return false;
  return true;
}

}  // namespace

class PlotTest : public QObject {
  Q_OBJECT

 private slots:
  void plotTakesTwoOrThreeArgumentsAndAnswersWithItself_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("arguments");
    QTest::newRow("x only") << "plot(x^2, x=-1..1)" << 2;
    QTest::newRow("x and y") << "plot(x^2, x=-1..1, y=0..2)" << 3;
  }
  void plotTakesTwoOrThreeArgumentsAndAnswersWithItself() {
    QFETCH(QString, input);
    QFETCH(int, arguments);
    EngineSession engine;
    const OwnedValue v = engine.Eval(input.toStdString());
    QCOMPARE(TypeOf(v.get()), ValueType::Function);
    QCOMPARE(FunctionEntryName(v.get()), std::string_view("plot"));
    QCOMPARE(FunctionArgumentCount(v.get()), arguments);
    QCOMPARE(TypeOf(FunctionArgument(v.get(), 1)), ValueType::Equal);
  }

  void badAxisRangesAreErrors_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("operand");
    QTest::newRow("x spec a number") << "plot(x, 3)" << 46 << "3";
    QTest::newRow("x spec without a range") << "plot(x, x=1)" << 46 << "x=1";
    QTest::newRow("x spec a bare range") << "plot(x, 0..1)" << 46 << "0..1";
    QTest::newRow("y spec a number") << "plot(x, x=0..1, 5)" << 46 << "5";
    QTest::newRow("error in f passes") << "plot(det(5), x=0..1)" << 31 << "5";
    QTest::newRow("error in x spec passes") << "plot(x, det(6))" << 31 << "6";
    QTest::newRow("error in y spec passes") << "plot(x, x=0..1, det(7))" << 31 << "7";
  }
  void badAxisRangesAreErrors() {
    QFETCH(QString, input);
    QFETCH(int, code);
    QFETCH(QString, operand);
    EngineSession engine;
    const OwnedValue v = engine.Eval(input.toStdString());
    QCOMPARE(TypeOf(v.get()), ValueType::Error);
    QCOMPARE(RawErrorCode(v.get()), code);
    QVERIFY(ErrorOperand(v.get()));
    QCOMPARE(QString::fromStdString(PrintValue(ErrorOperand(v.get()))), operand);
  }

  void parabolaHasItsAxesInTheMiddleColumnAndOnTheBottomEdge() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("plot(x^2, x=-1..1)");
    const QImage image = DrawPlot(f, v.get());
    QVERIFY(StaysInItsSquare(image));
    // Vertical axis: the middle column, rows 0 to 499 (the curve touches the bottom).
    for (int row = 0; row < 490; ++row)
      QVERIFY2(IsBlack(At(image, 250, row)), qPrintable(QString::number(row)));
    // Horizontal axis: the bottom row, away from the parabola's vertex.
    for (int u = 0; u < 200; ++u)
      QVERIFY2(IsBlack(At(image, u, 500)), qPrintable(QString::number(u)));
    // Ticks: 10 wide across the vertical axis every 25 rows; 10 high on the
    // horizontal one, half of them below the square and clipped.
    for (int k = 0; k < 20; ++k) {
      QVERIFY(IsBlack(At(image, 245, 25 * k)));
      QVERIFY(IsBlack(At(image, 254, 25 * k)));
      QVERIFY(!IsBlack(At(image, 255, 25 * k)));
    }
    QVERIFY(IsBlack(At(image, 25, 495)));
    QVERIFY(IsWhite(At(image, 25, 494)));
    // The curve: y = 1 at both ends (the top row), 0 in the middle (the bottom row).
    QVERIFY(IsCurve(At(image, 0, 0)));
    QVERIFY(IsCurve(At(image, 500, 0)));
    QVERIFY(IsCurve(At(image, 250, 500)));
    QVERIFY(IsWhite(At(image, 100, 100)));
    // x = -0.5 gives 0.25, three quarters of the way down.
    QVERIFY(IsCurve(At(image, 125, 375)));
  }

  void invertedRangeDrawsOnlyTheWhiteSquare() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("plot(x, x=2..1)");
    const QImage image = DrawPlot(f, v.get());
    QVERIFY(OnlyWhiteSquare(image));
    QVERIFY(StaysInItsSquare(image));
  }

  void squareStaysWhiteWithoutAUsableAxisRange_data() {
    QTest::addColumn<QString>("input");
    QTest::newRow("y range inverted") << "plot(x, x=0..1, y=1..0)";
    QTest::newRow("empty x range") << "plot(x, x=1..1)";
    QTest::newRow("left side not a variable") << "plot(x, sin(z)=0..1)";
    QTest::newRow("no real sample") << "plot(sqr(x), x=-2..-1)";
    QTest::newRow("symbolic bound") << "plot(x, x=0..c)";
  }
  void squareStaysWhiteWithoutAUsableAxisRange() {
    QFETCH(QString, input);
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval(input.toStdString());
    QCOMPARE(FunctionEntryName(v.get()), std::string_view("plot"));
    QVERIFY(OnlyWhiteSquare(DrawPlot(f, v.get())));
  }

  void constantFunctionGetsTheRangeAroundItsValue() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("plot(3, x=0..1)");
    const QImage image = DrawPlot(f, v.get());
    // 3 in 2..4 is the middle row; the horizontal axis (y = 0) lies below the square.
    for (int u = 1; u <= 500; ++u)
      QVERIFY2(IsCurve(At(image, u, 250)), qPrintable(QString::number(u)));
    QCOMPARE(CountInColumn(image, 300, IsCurve), 1);
    QCOMPARE(CountInColumn(image, 300, IsBlack), 0);
    QVERIFY(IsBlack(At(image, 0, 100)));  // the vertical axis is the left edge
  }

  void curveLeavingTheRangeIsClippedToTheSquare_data() {
    QTest::addColumn<QString>("input");
    QTest::newRow("exp beyond every double") << "plot(exp(x), x=0..1000, y=0..1)";
    QTest::newRow("steep power") << "plot(x^51, x=-10..10, y=-1..1)";
    QTest::newRow("pole") << "plot(1/x, x=-1..1)";
  }
  void curveLeavingTheRangeIsClippedToTheSquare() {
    QFETCH(QString, input);
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval(input.toStdString());
    QVERIFY(StaysInItsSquare(DrawPlot(f, v.get())));
  }

  // No sample of 1000x - 500.5 lies in 0..1: it jumps from -0.5 (column 250)
  // to 1.5 (column 251). Only the segment between them crosses the square.
  void segmentBetweenSamplesOutsideTheRangeStillCrossesTheSquare() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("plot(1000*x-500.5, x=0..1, y=0..1)");
    const QImage image = DrawPlot(f, v.get());
    QVERIFY(StaysInItsSquare(image));
    QVERIFY(CountInColumn(image, 250, IsCurve) + CountInColumn(image, 251, IsCurve) >= 400);
    for (int u = 0; u <= 500; ++u)
      if (u != 250 && u != 251) QCOMPARE(CountInColumn(image, u, IsCurve), 0);
  }

  void samplesThatAreNotRealBreakTheCurve() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("plot(sqr(x), x=-1..1)");
    const QImage image = DrawPlot(f, v.get());
    for (int u = 0; u < 249; ++u) QCOMPARE(CountInColumn(image, u, IsCurve), 0);
    QVERIFY(CountInColumn(image, 400, IsCurve) > 0);
  }

  // Exact bounds give exact samples: denominator() answers for ratios only,
  // so with bounds 0.0..1 no sample is real and the square stays white.
  void exactBoundsSampleExactly() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue exact = engine.Eval("plot(denominator(x), x=0..1)");
    QVERIFY(CountInColumn(DrawPlot(f, exact.get()), 250, IsCurve) > 0);
    const OwnedValue inexact = engine.Eval("plot(denominator(x), x=0.0..1)");
    QVERIFY(OnlyWhiteSquare(DrawPlot(f, inexact.get())));
  }

  void samplingLeavesTheUsersVariableAlone() {
    EngineSession engine;
    const FontFacts f;
    LineResult line = HandleLine("p:=plot(x^2, x=-1..1); x:=5");
    QCOMPARE(line.values.size(), std::size_t{2});
    const std::int64_t records = LiveRecordCount();
    const QImage image = DrawPlot(f, line.values[0]);
    QCOMPARE(LiveRecordCount(), records);  // every sample released
    // The parabola, not the constant 25.
    QVERIFY(IsCurve(At(image, 0, 0)));
    QVERIFY(IsCurve(At(image, 250, 500)));
    const OwnedValue x = engine.Eval("x");
    QCOMPARE(QString::fromStdString(PrintValue(x.get())), QString("5"));
    ReleaseValues(line.values);
    // Without a binding the name stays free after drawing.
    const OwnedValue plot = engine.Eval("plot(t, t=0..1)");
    DrawPlot(f, plot.get());
    QCOMPARE(TypeOf(engine.Eval("t").get()), ValueType::Variable);
  }

  void worksheetDrawsThePlotAtTheResultsMargin() {
    EngineSession engine;
    const FontFacts f;
    std::vector<Value*> results{EvaluateText("plot(x^2, x=-1..1)")};
    const PictureLayout layout = MeasureResults(results, f.Fonts());
    QCOMPARE(layout.width, 601);
    QCOMPARE(layout.height, 501);
    const QImage image = DrawResults(results, layout, f.Fonts());
    QCOMPARE(image.pixelColor(350, 100), QColor(Qt::black));  // the vertical axis
    QCOMPARE(image.pixelColor(100, 0), kCurveColour);
    ReleaseValues(results);
  }
};

SYMCALC_GUI_SUITE(PlotTest)

}  // namespace symcalc::gui::test

#include "plot_test.moc"
