// Where the layout puts each piece of a formula, checked against boxes
// computed from the worksheet fonts' own metrics.
#include <QTest>

#include <algorithm>
#include <string>

#include "formula_fixtures.h"
#include "formula_painter.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

constexpr int kX = 100;
constexpr int kY = 60;

struct Drawn {
  FormulaBox box;
  RecordingCanvas canvas;
};

// Lays out and places `value` at level 1 with its left edge at kX and its
// centre line at kY.
Drawn Draw(const FontFacts& facts, const Value* value) {
  const FontMetricsOfLevels metrics(facts.Fonts());
  FormulaLayout layout(metrics);
  Drawn d;
  d.box = layout.Layout(value, 1);
  layout.Draw(d.canvas, value, kX, kY, 1);
  return d;
}

QString BoxText(const FormulaBox& b) {
  return QStringLiteral("{%1, %2, %3}").arg(b.width).arg(b.ascent).arg(b.descent);
}

#define COMPARE_BOX(actual, expected) QCOMPARE(BoxText(actual), BoxText(expected))

// Counts the measurements, to show that each node is measured once.
class CountingMetrics : public FormulaMetrics {
 public:
  explicit CountingMetrics(const FormulaMetrics& inner) : inner_(inner) {}
  int DeepestLevel() const override { return inner_.DeepestLevel(); }
  int Half(int level) const override { return inner_.Half(level); }
  int MinusWidth(int level) const override { return inner_.MinusWidth(level); }
  int TextWidth(int level, std::string_view text) const override {
    ++calls;
    return inner_.TextWidth(level, text);
  }
  mutable long calls = 0;

 private:
  const FormulaMetrics& inner_;
};

}  // namespace

class FormulaGeometryTest : public QObject {
  Q_OBJECT

 private slots:
  void textLeavesAreTheirTextOnTheCentreLine_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::newRow("qword") << "12345" << "12345";
    QTest::newRow("double") << "2.5" << "2.5";
    QTest::newRow("whole double keeps its point") << "3.0" << "3.";
    QTest::newRow("boolean") << "true" << "true";
    QTest::newRow("symbol") << "'sym'" << "'sym'";
    QTest::newRow("string") << "\"Grüße\"" << "\"Grüße\"";
    QTest::newRow("variable") << "y" << "y";
    QTest::newRow("undefined") << "undefined" << "undefined";
  }
  void textLeavesAreTheirTextOnTheCentreLine() {
    QFETCH(QString, input);
    QFETCH(QString, text);
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval(input.toStdString());
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    COMPARE_BOX(d.box, (FormulaBox{f.W(1, text), h, h}));
    QCOMPARE(d.canvas.ops.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(d.canvas.ops[0].text), text);
    QCOMPARE(d.canvas.ops[0].x, kX);
    QCOMPARE(d.canvas.ops[0].y, kY - h);
  }

  void negativeNumbersAreAMinusLineAndTheirMagnitude_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("digits");
    QTest::newRow("qword") << "-7" << "7";
    QTest::newRow("double") << "-2.25" << "2.25";
    QTest::newRow("most negative qword") << "-9223372036854775807-1" << "9223372036854775808";
  }
  void negativeNumbersAreAMinusLineAndTheirMagnitude() {
    QFETCH(QString, input);
    QFETCH(QString, digits);
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval(input.toStdString());
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    const int mw = f.Minus(1);
    COMPARE_BOX(d.box, (FormulaBox{mw + f.W(1, digits), h, h}));
    QVERIFY(d.canvas.HasLine(kX, kY, mw - 2, 0));
    const PlacedOp* text = d.canvas.FindText(digits.toStdString());
    QVERIFY(text);
    QCOMPARE(text->x, kX + mw);
  }

  void halfIsAStackedFraction() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("1/2");
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    const int bar = std::max(f.W(1, "1"), f.W(1, "2")) + 4;
    COMPARE_BOX(d.box, (FormulaBox{bar, 2 * h, 2 * h}));
    QVERIFY(d.canvas.HasLine(kX, kY, bar, 0));
    const PlacedOp* one = d.canvas.FindText("1");
    const PlacedOp* two = d.canvas.FindText("2");
    QVERIFY(one && two);
    QCOMPARE(one->x, kX + (bar - f.W(1, "1")) / 2);
    QCOMPARE(one->y, kY - 2 * h);  // sits on the bar
    QCOMPARE(two->x, kX + (bar - f.W(1, "2")) / 2);
    QCOMPARE(two->y, kY);  // hangs from it
  }

  void minusHalfPutsAMinusLineBeforeTheFraction() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("-1/2");
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    const int mw = f.Minus(1);
    const int bar = std::max(f.W(1, "1"), f.W(1, "2")) + 4;
    COMPARE_BOX(d.box, (FormulaBox{mw + 2 + bar, 2 * h, 2 * h}));
    QVERIFY(d.canvas.HasLine(kX, kY, mw - 2, 0));
    QVERIFY(d.canvas.HasLine(kX + mw + 2, kY, bar, 0));
    QCOMPARE(d.canvas.TextTrail(), std::string("1|2"));  // no "-" text: the line is the sign
  }

  void negativePowerIsOneOverThePositivePower() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("x^(-2)");
    const Drawn d = Draw(f, v.get());
    const int h1 = f.Half(1);
    const int h2 = f.Half(2);
    // x^2 under the bar: the exponent at level 2, its bottom half a space below x's top.
    const FormulaBox power{f.W(1, "x") + f.W(2, "2"), 2 * h2, h1};
    const int bar = std::max(f.W(1, "1"), power.width) + 4;
    COMPARE_BOX(d.box, (FormulaBox{bar, 2 * h1, power.Height()}));
    QCOMPARE(d.canvas.TextTrail(), std::string("1|x|2"));
    const PlacedOp* x = d.canvas.FindText("x");
    const PlacedOp* two = d.canvas.FindText("2");
    const int centre = kY + power.ascent;
    QCOMPARE(x->x, kX + (bar - power.width) / 2);
    QCOMPARE(x->y, centre - h1);
    QCOMPARE(x->level, 1);
    QCOMPARE(two->x, x->x + f.W(1, "x"));
    QCOMPARE(two->y, centre - h1 + h1 - h2 - h2);
    QCOMPARE(two->level, 2);
  }

  void minusOneTimesXIsAMinusLineAndTheProductGap() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("(-1)*x");
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    const int mw = f.Minus(1);
    COMPARE_BOX(d.box, (FormulaBox{mw - 1 + 3 + f.W(1, "x"), h, h}));
    QVERIFY(d.canvas.HasLine(kX, kY, mw - 2, 0));
    QCOMPARE(d.canvas.TextTrail(), std::string("x"));
    QCOMPARE(d.canvas.FindText("x")->x, kX + mw - 1 + 3);
  }

  void sumLeavesOutThePlusBeforeANegativeProduct_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("negative");
    QTest::newRow("a+(-3)*b") << "a+(-3)*b" << true;
    QTest::newRow("a+3*b") << "a+3*b" << false;
  }
  void sumLeavesOutThePlusBeforeANegativeProduct() {
    QFETCH(QString, input);
    QFETCH(bool, negative);
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval(input.toStdString());
    const Drawn d = Draw(f, v.get());
    const int mw = f.Minus(1);
    const int a = f.W(1, "a");
    if (negative) {
      QCOMPARE(d.canvas.TextTrail(), std::string("a|3|b"));
      QVERIFY(d.canvas.HasLine(kX + a + 4, kY, mw - 2, 0));
      QCOMPARE(d.canvas.FindText("3")->x, kX + a + 4 + mw);
      QCOMPARE(d.box.width, a + 4 + mw + f.W(1, "3") + 3 + f.W(1, "b"));
    } else {
      QCOMPARE(d.canvas.TextTrail(), std::string("a|+|3|b"));
      QCOMPARE(d.canvas.FindText("+")->x, kX + a + 3);
      QCOMPARE(d.canvas.FindText("3")->x, kX + a + f.W(1, "+") + 6);
      QCOMPARE(d.box.width, a + f.W(1, "+") + 6 + f.W(1, "3") + 3 + f.W(1, "b"));
    }
    QCOMPARE(d.canvas.FindText("b")->x, kX + d.box.width - f.W(1, "b"));
  }

  void powerOfAPowerIsParenthesised() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("x^(y^z)");
    const Drawn d = Draw(f, v.get());
    const int h1 = f.Half(1);
    const int h2 = f.Half(2);
    const int h3 = f.Half(3);
    const FormulaBox inner{f.W(2, "y") + f.W(3, "z"), 2 * h3, h2};
    COMPARE_BOX(d.box, (FormulaBox{f.W(1, "x") + inner.width + 10, inner.Height(), h1}));
    // The parentheses span the inner power, whose centre line is half a
    // level-2 space above the base's centre line.
    const int left = kX + f.W(1, "x");
    const int top = kY - h2 - inner.ascent;
    QVERIFY(d.canvas.HasLine(left + 3, top + 1, 2, -2));
    QVERIFY(d.canvas.HasLine(left + 3, top + inner.Height() - 2, 2, 2));
    QVERIFY(d.canvas.HasLine(left + 5 + inner.width + 1, top + 1, 2, 2));
    QCOMPARE(d.canvas.FindText("y")->x, left + 5);
  }

  void negativeBaseKeepsItsParentheses() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("(-2)^x");
    const Drawn d = Draw(f, v.get());
    const int mw = f.Minus(1);
    QCOMPARE(d.box.width, 5 + mw + f.W(1, "2") + 5 + f.W(2, "x"));
    QVERIFY(d.canvas.HasLine(kX + 5, kY, mw - 2, 0));
    QCOMPARE(d.canvas.FindText("x")->x, kX + 10 + mw + f.W(1, "2"));
  }

  void evenArrayCentreLineLiesTwoPixelsAboveItsLowerHalf() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("[1,22][333,4]");
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    const int c0 = std::max(f.W(1, "1"), f.W(1, "333"));
    const int c1 = std::max(f.W(1, "22"), f.W(1, "4"));
    COMPARE_BOX(d.box, (FormulaBox{c0 + c1 + 20, 2 * h + 5 - 2, 2 * h + 2}));
    const PlacedOp* three = d.canvas.FindText("333");
    QCOMPARE(three->y, kY + 2);  // the top of the second row
    QCOMPARE(d.canvas.FindText("1")->y, kY - d.box.ascent);
    // Cells are centred in their columns; columns are 10 apart.
    QCOMPARE(d.canvas.FindText("1")->x, kX + 5 + (c0 - f.W(1, "1")) / 2);
    QCOMPARE(d.canvas.FindText("4")->x, kX + 5 + c0 + 10 + (c1 - f.W(1, "4")) / 2);
    // Square brackets span the whole height.
    QVERIFY(d.canvas.HasLine(kX, kY - d.box.ascent + 1, 0, d.box.Height() - 2));
    QVERIFY(d.canvas.HasLine(kX + c0 + c1 + 15 + 4, kY - d.box.ascent + 1, 0,
                             d.box.Height() - 2));
  }

  void oddArrayCentreLineIsItsMiddleRow() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("[1,2,3][4,5,6][7,8,9]");
    const Drawn d = Draw(f, v.get());
    const int h = f.Half(1);
    QCOMPARE(d.box.ascent, 2 * h + 5 + h);
    QCOMPARE(d.box.Height(), 6 * h + 10);
    QCOMPARE(d.canvas.FindText("5")->y, kY - h);
    QCOMPARE(d.canvas.FindText("8")->y, kY + h + 5);
  }

  void setsAreBracedAndTheEmptySetIsFifteenWide() {
    EngineSession engine;
    const FontFacts f;
    const int h = f.Half(1);
    const OwnedValue empty = engine.Eval("{}");
    COMPARE_BOX(Draw(f, empty.get()).box, (FormulaBox{15, h, h}));
    const OwnedValue nested = engine.Eval("{1,{2,3}}");
    const Drawn d = Draw(f, nested.get());
    const int comma = f.W(1, ", ");
    const int inner = 10 + f.W(1, "2") + comma + f.W(1, "3");
    COMPARE_BOX(d.box, (FormulaBox{10 + f.W(1, "1") + comma + inner, h, h}));
    QCOMPARE(d.canvas.FindText("2")->x, kX + 5 + f.W(1, "1") + comma + 5);
  }

  void levelsPastTheSecondUseTheEightPointFont() {
    EngineSession engine;
    const FontFacts f;
    QCOMPARE(f.Fonts().ForLevel(3).pixelSize(), 11);  // 8 points at 96 dpi
    const OwnedValue v = engine.Eval("a^(b^(c^(d^g)))");
    const Drawn d = Draw(f, v.get());
    const std::pair<const char*, int> expected[] = {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 3},
                                                    {"g", 3}};
    for (const auto& [name, level] : expected) {
      const PlacedOp* op = d.canvas.FindText(name);
      QVERIFY2(op, name);
      QCOMPARE(op->level, level);
    }
    QCOMPARE(d.box.width, f.W(1, "a") + f.W(2, "b") + f.W(3, "c") + f.W(3, "d") + f.W(3, "g") +
                              30);
  }

  void infinityIsDrawnWithLines() {
    EngineSession engine;
    const FontFacts f;
    const int h = f.Half(1);
    const int mw = f.Minus(1);
    const OwnedValue inf = engine.Eval("inf");
    const Drawn d = Draw(f, inf.get());
    COMPARE_BOX(d.box, (FormulaBox{12, h, h}));
    QVERIFY(d.canvas.Texts().empty());
    QVERIFY(d.canvas.HasLine(kX + 1, kY - 1, 0, 4));
    QVERIFY(d.canvas.HasLine(kX + 10, kY - 1, 0, 4));
    const OwnedValue minus = engine.Eval("-inf");
    const Drawn m = Draw(f, minus.get());
    COMPARE_BOX(m.box, (FormulaBox{12 + mw, h, h}));
    QVERIFY(m.canvas.HasLine(kX, kY, mw - 2, 0));
    QVERIFY(m.canvas.HasLine(kX + mw + 10, kY - 1, 0, 4));
  }

  void errorsShowTheirMessageAndOperand() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("det(1/2)");
    QCOMPARE(TypeOf(v.get()), ValueType::Error);
    const Drawn d = Draw(f, v.get());
    const QString message = "<Error> " + QString::fromStdString(ErrorMessage(RawErrorCode(v.get())));
    const int h = f.Half(1);
    const int bar = std::max(f.W(1, "1"), f.W(1, "2")) + 4;
    COMPARE_BOX(d.box, (FormulaBox{f.W(1, message) + f.W(1, " ") + bar, 2 * h, 2 * h}));
    QCOMPARE(QString::fromStdString(d.canvas.Texts().front()->text), message);
    QVERIFY(d.canvas.HasLine(kX + f.W(1, message) + f.W(1, " "), kY, bar, 0));
  }

  void functionNodesParenthesiseTheirArguments() {
    EngineSession engine;
    const FontFacts f;
    const int h = f.Half(1);
    const OwnedValue v = engine.Eval("sin(y/2)");
    const Drawn d = Draw(f, v.get());
    const int bar = std::max(f.W(1, "y"), f.W(1, "2")) + 4;
    COMPARE_BOX(d.box, (FormulaBox{f.W(1, "sin") + 10 + bar, 2 * h, 2 * h}));
    QCOMPARE(d.canvas.FindText("sin")->x, kX);
    // Parentheses as tall as the fraction: the long stroke is hgt - 14 high.
    QVERIFY(d.canvas.HasLine(kX + f.W(1, "sin"), kY - 2 * h + 7, 0, 4 * h - 14));
    QVERIFY(d.canvas.HasLine(kX + f.W(1, "sin") + 5, kY, bar, 0));
  }

  // y := x + 1 followed by x := 3 must still show x + 1: nothing is looked up
  // or simplified while drawing, and fractions are regrouped for display only.
  void drawingNeverSubstitutesLaterBindings_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("trail");
    QTest::newRow("sum") << "y:=x+1; x:=3" << "1|+|x";
    QTest::newRow("fraction") << "z:=a*b^(-1); b:=2" << "a|b";
    QTest::newRow("ratio times a variable") << "w:=2/3*c; c:=5" << "2|c|3";
  }
  void drawingNeverSubstitutesLaterBindings() {
    QFETCH(QString, line);
    QFETCH(QString, trail);
    EngineSession engine;
    const FontFacts f;
    LineResult result = HandleLine(line.toStdString());
    QCOMPARE(result.values.size(), std::size_t{2});
    const std::string before = PrintValue(result.values[0]);
    const std::int64_t records = LiveRecordCount();
    {
      const Drawn d = Draw(f, result.values[0]);
      QCOMPARE(QString::fromStdString(d.canvas.TextTrail()), trail);
    }
    QCOMPARE(PrintValue(result.values[0]), before);
    QCOMPARE(LiveRecordCount(), records);  // the display-only numbers are released
    ReleaseValues(result.values);
  }

  void fractionRegroupsAProductOverItsDenominator() {
    EngineSession engine;
    const FontFacts f;
    const OwnedValue v = engine.Eval("(-3)*a*b^(-2)");
    const Drawn d = Draw(f, v.get());
    const int h1 = f.Half(1);
    const int h2 = f.Half(2);
    const int mw = f.Minus(1);
    const int over = f.W(1, "3") + 3 + f.W(1, "a");
    const int under = f.W(1, "b") + f.W(2, "2");
    const int bar = std::max(over, under) + 4;
    COMPARE_BOX(d.box, (FormulaBox{mw + 2 + bar, 2 * h1, 2 * h2 + h1}));
    QCOMPARE(d.canvas.TextTrail(), std::string("3|a|b|2"));
    QVERIFY(d.canvas.HasLine(kX, kY, mw - 2, 0));
    QCOMPARE(d.canvas.FindText("3")->x, kX + mw + 2 + (bar - over) / 2);
  }

  // Each (node, level) is measured once per rendering, so a long sum costs
  // a number of measurements in proportion to its terms, drawing included.
  void aFiveThousandTermSumIsMeasuredOncePerNode() {
    EngineSession engine;
    const FontFacts f;
    constexpr int kTerms = 5000;
    std::string text;
    for (int i = 0; i < kTerms; ++i) text += (i ? "+x" : "x") + std::to_string(i);
    const OwnedValue sum = engine.Eval(text);
    QCOMPARE(TypeOf(sum.get()), ValueType::Plus);
    const FontMetricsOfLevels metrics(f.Fonts());
    const CountingMetrics counting(metrics);
    FormulaLayout layout(counting);
    const FormulaBox box = layout.Layout(sum.get(), 1);
    const std::size_t measured = layout.BoxesComputed();
    QVERIFY2(measured <= 2 * kTerms, qPrintable(QString::number(measured)));
    RecordingCanvas canvas;
    layout.Draw(canvas, sum.get(), 0, 0, 1);
    QCOMPARE(layout.BoxesComputed(), measured);  // drawing measures nothing again
    QVERIFY2(counting.calls <= 4L * kTerms, qPrintable(QString::number(counting.calls)));
    QCOMPARE(static_cast<int>(canvas.Texts().size()), 2 * kTerms - 1);
    QVERIFY(box.width > kTerms * f.W(1, "x1"));
  }
};

SYMCALC_GUI_SUITE(FormulaGeometryTest)

}  // namespace symcalc::gui::test

#include "formula_geometry_test.moc"
