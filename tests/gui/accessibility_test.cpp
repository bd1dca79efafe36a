// What a screen reader finds in the worksheet: named input lines, and
// results in words rather than pictures alone.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "result_description.h"
#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

QString Accessible(QWidget* widget, QAccessible::Text text) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face ? face->text(text) : QString("(no interface)");
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void resultsAreReadAsTheirTexts_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("description");
    QTest::newRow("one value per line") << "1/2; x^2; \"text\"; 'sym'; [1,2][3,4]"
                                        << "1/2\nx^2\n\"text\"\n'sym'\n[1,2] [3,4]";
    QTest::newRow("plot") << "plot(x*sin(x), x = -10..10)" << "plot of x*sin(x) for x from -10 to 10";
    QTest::newRow("plot with a y range")
        << "2; plot(t^2, t=0..1/2, y=-1..1)" << "2\nplot of t^2 for t from 0 to 1/2, y from -1 to 1";
    QTest::newRow("no values") << "  " << "";
    // Shared parts: a text of billions of characters, never printed.
    QTest::newRow("too long to print") << "7; " + DeterminantWithXOnTheDiagonal()
                                       << "7\n" + QString(kTooLongToRead);
  }
  void resultsAreReadAsTheirTexts() {
    QFETCH(QString, line);
    QFETCH(QString, description);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("1");
    qobject_cast<QLineEdit*>(d.Focused())->setText(line);
    d.Key(Qt::Key_Return);
    QLabel* picture = d.Sheet().EntryAt(1).picture;
    QCOMPARE(Accessible(picture, QAccessible::Name), QString("result of line 2"));
    QCOMPARE(Accessible(picture, QAccessible::Description), description);
  }

  void inputLinesAreNamedByTheirNumbers() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("1");
    d.Enter("2");
    for (int i = 0; i < d.Sheet().EntryCount(); ++i)
      QCOMPARE(Accessible(d.Sheet().EntryAt(i).input, QAccessible::Name),
               QString("input line %1").arg(i + 1));
  }
};

SYMCALC_GUI_SUITE(AccessibilityTest)

}  // namespace symcalc::gui::test

#include "accessibility_test.moc"
