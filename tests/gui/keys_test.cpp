// The worksheet's keys and words, typed into the focused line.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "sheet_driver.h"
#include "suites.h"
#include "symcalc/engine.h"

namespace symcalc::gui::test {
namespace {

// State for the external function that tries to re-enter the worksheet.
Worksheet* g_reenterSheet = nullptr;
int g_reenterCalls = 0;

// Presses Return while the engine is busy, as a pumped event would.
Value* PressReturnDuringEvaluation(Value* const*, Value* out) {
  ++g_reenterCalls;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  return MakeQword(g_reenterSheet->EntryCount(), out);
}

}  // namespace

class KeysTest : public QObject {
  Q_OBJECT

 private slots:
  void returnEvaluatesTheLineAndAppendsAnEntry() {
    SheetDriver d;
    QVERIFY(d.Ready());
    QCOMPARE(d.Sheet().EntryCount(), 1);
    QCOMPARE(d.Focused(), d.Sheet().EntryAt(0).input);
    d.Enter("1+2");
    QCOMPARE(d.Sheet().EntryCount(), 2);
    QCOMPARE(d.Sheet().ActiveEntry(), 1);
    QCOMPARE(d.PasteLast(), QString("3"));
  }

  void upAndDownMoveBetweenLinesAndStopAtTheEnds() {
    SheetDriver d;
    QVERIFY(d.Ready());
    for (const char* line : {"1", "2", "3"}) d.Enter(line);
    QCOMPARE(d.Sheet().ActiveEntry(), 3);
    d.Key(Qt::Key_Up);
    QCOMPARE(d.Sheet().ActiveEntry(), 2);
    for (int i = 0; i < 4; ++i) d.Key(Qt::Key_Up);
    QCOMPARE(d.Sheet().ActiveEntry(), 0);
    d.Key(Qt::Key_Down);
    QCOMPARE(d.Sheet().ActiveEntry(), 1);
    for (int i = 0; i < 4; ++i) d.Key(Qt::Key_Down);
    QCOMPARE(d.Sheet().ActiveEntry(), 3);
    // Up and Down move the focus only; no line was evaluated again.
    QCOMPARE(d.Sheet().EntryCount(), 4);
    QCOMPARE(d.InputText(1), QString("2"));
  }

  void ctrlMReplacesTheFocusedTextWithTheLastResult() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Type("abc");
    QCOMPARE(d.PasteLast(), QString("abc"));  // nothing evaluated yet
    d.Retype("6*7");
    d.Key(Qt::Key_Return);
    QCOMPARE(d.PasteLast(), QString("42"));
    d.Key(Qt::Key_Up);
    QCOMPARE(d.PasteLast(), QString("42"));
    QCOMPARE(d.InputText(0), QString("42"));
  }

  void ansHoldsTheLastValueOfTheLastLine() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("6*7");
    d.Enter("ans+1");
    QCOMPARE(d.PasteLast(), QString("43"));
    d.Retype("2;3");
    d.Key(Qt::Key_Return);
    d.Enter("ans*10");
    QCOMPARE(d.PasteLast(), QString("30"));
  }

  void lineWithoutValuesKeepsTheLastResult_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("spaces") << "   ";
    QTest::newRow("semicolon") << ";";
    QTest::newRow("semicolons and spaces") << " ; ;  ";
  }
  void lineWithoutValuesKeepsTheLastResult() {
    QFETCH(QString, line);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("5");
    d.Enter(line);
    QCOMPARE(d.Sheet().EntryCount(), 3);
    QVERIFY(d.Picture(1).isNull());
    QCOMPARE(d.Sheet().EntryAt(1).picture->height(), 0);
    QCOMPARE(d.PasteLast(), QString("5"));
  }

  void wholeLineWordsCloseTheWindow_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("quit") << "quit";
    QTest::newRow("end") << "end";
    QTest::newRow("mixed case") << "QuIt";
    QTest::newRow("upper case") << "END";
  }
  void wholeLineWordsCloseTheWindow() {
    QFETCH(QString, line);
    SheetDriver d;
    QVERIFY(d.Ready());
    QSignalSpy quit(&d.Sheet(), &Worksheet::quitRequested);
    d.Enter(line);
    QCOMPARE(quit.count(), 1);
    QVERIFY(!d.Window().isVisible());
    QCOMPARE(d.Sheet().EntryCount(), 1);
  }

  void wordsInsideALongerLineAreEvaluated_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("values");
    QTest::newRow("quit;1") << "quit;1" << 2;
    QTest::newRow("end;end") << "end;end" << 2;
    QTest::newRow("leading space") << " quit" << 1;
  }
  void wordsInsideALongerLineAreEvaluated() {
    QFETCH(QString, line);
    QFETCH(int, values);
    SheetDriver d;
    QVERIFY(d.Ready());
    QSignalSpy quit(&d.Sheet(), &Worksheet::quitRequested);
    d.Enter(line);
    QCOMPARE(quit.count(), 0);
    QVERIFY(d.Window().isVisible());
    QCOMPARE(d.Sheet().EntryCount(), 2);
    QCOMPARE(static_cast<int>(d.Sheet().Evaluator().Results().size()), values);
    QCOMPARE(d.Picture(0).height(), values * d.TextResultHeight() + (values - 1) * 10);
  }

  void semicolonsSplitOnlyOutsideDoubleQuotes_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("values");
    QTest::addColumn<QString>("last");
    QTest::newRow("quoted") << "\"a;b\"" << 1 << "\"a;b\"";
    QTest::newRow("quoted then piece") << "\"x;y\"; 4" << 2 << "4";
    QTest::newRow("two semicolons") << "1;;2" << 2 << "2";
  }
  void semicolonsSplitOnlyOutsideDoubleQuotes() {
    QFETCH(QString, line);
    QFETCH(int, values);
    QFETCH(QString, last);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(line);
    QCOMPARE(static_cast<int>(d.Sheet().Evaluator().Results().size()), values);
    QCOMPARE(d.PasteLast(), last);
  }

  void accentedCapitalsAreLoweredAsLetters() {
    SheetDriver d;
    QVERIFY(d.Ready());
    // U+00D7 (the multiplication sign) sits among the capitals but is no letter.
    d.Enter(QString::fromUtf8("\"ÄbC É×Þ\""));
    QCOMPARE(d.PasteLast(), QString::fromUtf8("\"äbc é×þ\""));
  }

  void pastedTextLongerThanTheDefaultFieldLimitIsKept() {
    SheetDriver d;
    QVERIFY(d.Ready());
    const QString text = "\"" + QString(40000, 'a') + "\"";
    qobject_cast<QLineEdit*>(d.Focused())->setText(text);
    d.Key(Qt::Key_Return);
    QCOMPARE(d.PasteLast().size(), text.size());
  }

  void returnDuringAnEvaluationDoesNotReenterTheEngine() {
    SheetDriver d;
    QVERIFY(d.Ready());
    RegisterExternalFunction(PressReturnDuringEvaluation, "reenter", 1, 0);
    g_reenterSheet = &d.Sheet();
    g_reenterCalls = 0;
    d.Enter("reenter(0)");
    QCOMPARE(g_reenterCalls, 1);
    QCOMPARE(d.Sheet().EntryCount(), 2);
    QCOMPARE(d.PasteLast(), QString("1"));  // the entry count seen inside the call
  }
};

SYMCALC_GUI_SUITE(KeysTest)

}  // namespace symcalc::gui::test

#include "keys_test.moc"
