// An error shows where it is: its offending text is underlined in the input
// line until the line is edited, and its picture explains it in a tooltip.
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QToolTip>

#include "clip_marks.h"
#include "errors/error_explanations.h"
#include "result_tools.h"
#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

// The columns of the field's red ink (the underline's wave).
QSet<int> RedColumns(QLineEdit* field) {
  const QImage image = field->grab().toImage();
  QSet<int> columns;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (const QColor c = image.pixelColor(x, y); c.red() > c.green() + 60) columns << x;
  return columns;
}

int CursorX(QLineEdit* field, int position) {
  field->setCursorPosition(position);
  return field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

}  // namespace

class ErrorMarkTest : public QObject {
  Q_OBJECT

 private slots:
  void theOffendingTextIsUnderlined_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");  // 0: nothing marked
    QTest::newRow("unclosed parenthesis") << "(1+2" << 0 << 4;
    QTest::newRow("closing bracket alone, second piece") << "1; 1,2]" << 3 << 4;
    QTest::newRow("unclosed brace") << "3*{1,2" << 0 << 6;
    QTest::newRow("bad number") << "1+2*-3" << 2 << 2;
    QTest::newRow("bad binary digit") << "#b102" << 4 << 1;
    QTest::newRow("unknown function typed in capitals") << "FOO(1)+1" << 0 << 3;
    QTest::newRow("the name as a whole word") << "max+x; max(1)" << 7 << 3;
    QTest::newRow("wrong argument count") << "sin+sin(1,2)" << 4 << 8;
    QTest::newRow("after a letter of two bytes") << "\"\u00c4\"; foo(1)" << 5 << 3;
    QTest::newRow("operand not in the line") << "1/0" << 0 << 0;
  }
  void theOffendingTextIsUnderlined() {
    QFETCH(QString, line);
    QFETCH(int, start);
    QFETCH(int, length);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(line);
    const std::vector<TextSpan> expected =
        length ? std::vector<TextSpan>{{start, length}} : std::vector<TextSpan>{};
    QCOMPARE(d.Sheet().Tools().MarkedSpans(0), expected);
    QLineEdit* field = d.Sheet().EntryAt(0).input;
    const QSet<int> red = RedColumns(field);
    QCOMPARE(red.isEmpty(), length == 0);
    if (length == 0) return;
    const int left = CursorX(field, start);
    const int right = CursorX(field, start + length);
    for (const int x : red) QVERIFY2(x >= left - 1 && x <= right + 1, qPrintable(QString::number(x)));
    QVERIFY(red.contains(left + 1) && red.contains(right - 2));
  }

  // The offending value of an error can print to far more text than any
  // line holds: it is not looked for, and the line does not wait for it.
  void anErrorAboutAValueTooLongToPrintIsShownAtOnce() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("d:=" + DeterminantWithXOnTheDiagonal());
    QSignalSpy evaluated(&d.Sheet(), &Worksheet::entryEvaluated);
    d.Start("{d}+1");
    QVERIFY(evaluated.wait(10000));
    QCOMPARE(d.Sheet().Tools().MarkedSpans(1), std::vector<TextSpan>{});
  }

  void theMarkGoesWhenTheLineIsEdited() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("(1+2");
    d.Key(Qt::Key_Up);
    d.Key(Qt::Key_End);
    d.Type(")");
    QCOMPARE(d.Sheet().Tools().MarkedSpans(0).size(), std::size_t{0});
    QVERIFY(RedColumns(d.Sheet().EntryAt(0).input).isEmpty());
  }

  void hoveringAnErrorExplainsIt_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("code");  // -1: a result that is no error shows no tip
    QTest::addColumn<QString>("counts");
    QTest::addColumn<bool>("cut");  // the picture is cut off at the bottom
    const QString tall = QStringList(3000, "1").join(";");
    QTest::newRow("builtin") << "1; sin(1,2)" << 1 << 14 << " sin takes 1 argument." << false;
    QTest::newRow("optional argument") << "atan()" << 0 << 14 << " atan takes 1 or 2 arguments."
                                       << false;
    QTest::newRow("no arguments") << "functionlist(1)" << 0 << 14
                                  << " functionlist takes no arguments." << false;
    QTest::newRow("user function") << "f(a,b):=a*b; f(1)" << 1 << 14 << " f takes 2 arguments."
                                   << false;
    QTest::newRow("other message") << "(1+2" << 0 << 11 << "" << false;
    QTest::newRow("no error") << "1; sin(1,2)" << 0 << -1 << "" << false;
    // Both remarks hold where the pointer rests on an error of a cut picture.
    QTest::newRow("error in a cut picture") << "sin(1,2);" + tall << 0 << 14
                                            << " sin takes 1 argument." << true;
    QTest::newRow("cut picture beside its error") << "sin(1,2);" + tall << 1 << -1 << "" << true;
  }
  void hoveringAnErrorExplainsIt() {
    QFETCH(QString, line);
    QFETCH(int, result);
    QFETCH(int, code);
    QFETCH(QString, counts);
    QFETCH(bool, cut);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(line);
    QLabel* picture = d.Sheet().EntryAt(0).picture;
    const int h = d.TextResultHeight();
    const QPoint where(120, result * (h + 10) + h / 2);
    QHelpEvent hover(QEvent::ToolTip, where, picture->mapToGlobal(where));
    QApplication::sendEvent(picture, &hover);
    QStringList tip;
    if (code >= 0) tip << QString::fromUtf8(ErrorExplanation(code).data()) + counts;
    if (cut) tip << ClippingToolTip(Clipping{.bottom = true});
    if (tip.isEmpty()) {
      QTRY_VERIFY(!QToolTip::isVisible());
      return;
    }
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tip.join('\n'));
    QToolTip::hideText();
  }
};

SYMCALC_GUI_SUITE(ErrorMarkTest)

}  // namespace symcalc::gui::test

#include "error_marks_test.moc"
