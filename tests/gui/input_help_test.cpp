// Help while typing: the completion list, the hint under the line, and F1
// with its reference window, driven by keys as a user drives them.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "help/entry_page.h"
#include "help/input_help.h"
#include "help/overlays.h"
#include "help/qt_text.h"
#include "help/reference_window.h"
#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

using help::InputHelp;
using help::ReferenceWindow;

// The user's names reach the help through the engine, in their own time.
bool NamesRead(SheetDriver& d) {
  return QTest::qWaitFor([&d] { return !d.Sheet().Help().ReadingNames(); });
}

QStringList Offered(const InputHelp& help) {
  QStringList labels;
  if (help.Popup() && help.Popup()->isVisible())
    for (const help::Candidate& candidate : help.Popup()->Offered()) labels << candidate.label;
  return labels;
}

int HighlightedRow(const InputHelp& help) { return help.Popup()->currentRow(); }

QString HintText(const InputHelp& help) {
  return help.Hint() && help.Hint()->isVisible() ? help.Hint()->text() : QString();
}

QLineEdit* Line(SheetDriver& d, int entry) { return d.Sheet().EntryAt(entry).input; }

void EnterAll(SheetDriver& d, const QString& lines) {
  for (const QString& line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) d.Enter(line);
}

// Enters the session's lines, then types into the new line and waits for
// the help to know the session's names.
bool TypeAfter(SheetDriver& d, const QString& session, const QString& typed) {
  if (!d.Ready()) return false;
  EnterAll(d, session);
  d.Type(typed);
  return NamesRead(d);
}

}  // namespace

class InputHelpTest : public QObject {
  Q_OBJECT

 private slots:
  void completionOffersBuiltinsAndTheUsersNames_data() {
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("builtins with their parameters")
        << "" << "fa"
        << QStringList{"factorial(n)", "factorout(expression, factor)", "factors(n)", "factorset(n)",
                       "false   constant"};
    QTest::newRow("the user's function beside a builtin")
        << "area(w,h):=w*h" << "ar" << QStringList{"area(w, h)", "array(width, height)"};
    QTest::newRow("the newest definition's parameters")
        << "geo(a):=a\ngeo(b,c):=b*c" << "ge"
        << QStringList{"geo(b, c)", "getarg(a, index)", "getargxy(a, row, column)", "gettype(x)"};
    QTest::newRow("variables and constants")
        << "total:=3\n#tau:=6" << "ta" << QStringList{"tan(x)", "tanh(x)", "tau   constant"};
    QTest::newRow("a variable removed again") << "total:=3\ntotal:=" << "tot" << QStringList{};
    QTest::newRow("capitals") << "" << "SI" << QStringList{"sin(x)", "sinh(x)"};
    QTest::newRow("after an operator") << "" << "2*ex" << QStringList{"exp(x)", "expand(expression)"};
    QTest::newRow("one letter is too few") << "" << "s" << QStringList{};
    QTest::newRow("the only name, typed out") << "" << "ans" << QStringList{};
    QTest::newRow("inside a string") << "" << "\"si" << QStringList{};
    QTest::newRow("hexadecimal digits") << "" << "#xab" << QStringList{};
  }
  void completionOffersBuiltinsAndTheUsersNames() {
    QFETCH(QString, session);
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    SheetDriver d;
    QVERIFY(TypeAfter(d, session, typed));
    QCOMPARE(Offered(d.Sheet().Help()), offered);
  }

  void tabTakesTheHighlightedName_data() {
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("down");
    QTest::addColumn<QString>("line");
    QTest::newRow("a builtin gets its parenthesis") << "" << "dif" << 0 << "diff(";
    QTest::newRow("a variable gets none") << "total:=3" << "1+tot" << 0 << "1+total";
    QTest::newRow("the row moved to") << "area(w,h):=w*h" << "ar" << 1 << "array(";
    QTest::newRow("the user's function") << "area(w,h):=w*h" << "ar" << 0 << "area(";
  }
  void tabTakesTheHighlightedName() {
    QFETCH(QString, session);
    QFETCH(QString, typed);
    QFETCH(int, down);
    QFETCH(QString, line);
    SheetDriver d;
    QVERIFY(TypeAfter(d, session, typed));
    for (int i = 0; i < down; ++i) d.Key(Qt::Key_Down);
    d.Key(Qt::Key_Tab);
    QLineEdit* input = Line(d, d.Sheet().EntryCount() - 1);
    QCOMPARE(input->text(), line);
    QCOMPARE(input->cursorPosition(), line.size());
    QCOMPARE(d.Focused(), input);
    QVERIFY(Offered(d.Sheet().Help()).isEmpty());
  }

  void aClickTakesTheNameClicked() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Type("fac");
    const help::CompletionPopup* popup = d.Sheet().Help().Popup();
    QCOMPARE(Offered(d.Sheet().Help()).value(2), QString("factors(n)"));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualItemRect(popup->item(2)).center());
    QCOMPARE(d.InputText(0), QString("factors("));
    QCOMPARE(d.Focused(), Line(d, 0));
    QVERIFY(Offered(d.Sheet().Help()).isEmpty());
  }

  void tabBeforeAnOpeningParenthesisAddsNoOther() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Type("(x)");
    d.Key(Qt::Key_Home);
    d.Type("si");
    d.Key(Qt::Key_Tab);
    QCOMPARE(Line(d, 0)->text(), QString("sin(x)"));
  }

  void returnEvaluatesTheLineAsTypedAndClosesTheList() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Type("si");
    QCOMPARE(Offered(d.Sheet().Help()), (QStringList{"sin(x)", "sinh(x)"}));
    d.Key(Qt::Key_Return);
    QCOMPARE(d.Sheet().EntryCount(), 2);
    QCOMPARE(d.InputText(0), QString("si"));
    QCOMPARE(d.PasteLast(), QString("si"));
    QVERIFY(Offered(d.Sheet().Help()).isEmpty());
  }

  void upAndDownMoveInTheListOnlyWhileItIsOpen() {
    SheetDriver d;
    QVERIFY(d.Ready());
    EnterAll(d, "1\n2");
    d.Type("fa");
    QVERIFY(NamesRead(d));
    const InputHelp& help = d.Sheet().Help();
    QCOMPARE(Offered(help).size(), 5);
    d.Key(Qt::Key_Down);
    d.Key(Qt::Key_Down);
    d.Key(Qt::Key_Up);
    QCOMPARE(HighlightedRow(help), 1);
    QCOMPARE(d.Sheet().ActiveEntry(), 2);
    d.Key(Qt::Key_Escape);
    QVERIFY(Offered(help).isEmpty());
    QCOMPARE(d.InputText(2), QString("fa"));
    d.Key(Qt::Key_Up);
    QCOMPARE(d.Sheet().ActiveEntry(), 1);
    d.Key(Qt::Key_Down);
    QCOMPARE(d.Sheet().ActiveEntry(), 2);
  }

  void hintShowsTheCallWithTheCurrentArgument_data() {
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("left");  // cursor moves after typing
    QTest::newRow("first argument") << "" << "diff(x^2" << "diff(<b>expression</b>, variable)" << 0;
    QTest::newRow("an optional one") << "" << "atan(1, " << "atan(y, <b>[x]</b>)" << 0;
    QTest::newRow("commas in an array are not arguments") << "" << "det([1,2][3," << "det(<b>m</b>)" << 0;
    QTest::newRow("the inner call") << "" << "if(sin(" << "sin(<b>x</b>)" << 0;
    QTest::newRow("back in the outer call") << "" << "if(sin(1), " << "if(condition, <b>then</b>, [else])" << 0;
    QTest::newRow("the user's function") << "area(w,h):=w*h" << "area(2, " << "area(w, <b>h</b>)" << 0;
    QTest::newRow("too many arguments")
        << "" << "sin(1, " << "sin(x) &mdash; sin takes 1 argument" << 0;
    QTest::newRow("a closed call without its argument") << "" << "sin()" << "sin takes 1 argument" << 0;
    QTest::newRow("a group is not a call") << "" << "(1+2" << "" << 0;
    QTest::newRow("an unknown name") << "" << "nosuch(1" << "" << 0;
    QTest::newRow("a call ends with its piece")
        << "" << "sin(1; 2, 3" << "sin(<b>x</b>)" << 6;
  }
  void hintShowsTheCallWithTheCurrentArgument() {
    QFETCH(QString, session);
    QFETCH(QString, typed);
    QFETCH(QString, hint);
    QFETCH(int, left);
    SheetDriver d;
    QVERIFY(TypeAfter(d, session, typed));
    for (int i = 0; i < left; ++i) d.Key(Qt::Key_Left);
    QCOMPARE(HintText(d.Sheet().Help()), hint);
  }

  void aRefusedCountIsHintedWhenTheLineIsVisitedAgain() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("atan(1, 2, 3)");
    QCOMPARE(HintText(d.Sheet().Help()), QString());  // the new line has nothing to say
    d.Key(Qt::Key_Up);
    QCOMPARE(HintText(d.Sheet().Help()), QString("atan takes 1 or 2 arguments"));
  }

  void f1OpensTheEntryOfTheNameAtTheCursor_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("entry");
    // "y := diff(sin(x), x) + pi*inf + nosuch(1)"
    QTest::newRow("a name without an entry") << 0 << "";
    QTest::newRow("at the start of a name") << 5 << "diff";
    QTest::newRow("inside a name") << 7 << "diff";
    QTest::newRow("right after a name") << 9 << "diff";
    QTest::newRow("an inner call") << 12 << "sin";
    QTest::newRow("a name without an entry inside a call") << 14 << "sin";
    QTest::newRow("an argument of a call") << 17 << "diff";
    QTest::newRow("between names") << 20 << "";
    QTest::newRow("a constant") << 25 << "pi";
    QTest::newRow("an alias") << 29 << "infinity";
    QTest::newRow("an unknown function") << 34 << "";
  }
  void f1OpensTheEntryOfTheNameAtTheCursor() {
    QFETCH(int, cursor);
    QFETCH(QString, entry);
    SheetDriver d;
    QVERIFY(d.Ready());
    const QString text = "y := diff(sin(x), x) + pi*inf + nosuch(1)";
    Line(d, 0)->setText(text);
    Line(d, 0)->setCursorPosition(cursor);
    d.Key(Qt::Key_F1);
    ReferenceWindow* reference = d.Sheet().Help().Reference();
    QVERIFY(reference);
    QTRY_VERIFY(reference->isActiveWindow());
    QCOMPARE(reference->windowTitle(), QString("symcalc reference"));
    QCOMPARE(reference->Shown() ? help::ToQString(reference->Shown()->name) : QString(), entry);
    d.Key(Qt::Key_Escape);
    QVERIFY(!reference->isVisible());
    QTRY_VERIFY(d.Window().isActiveWindow());
    QCOMPARE(d.Focused(), Line(d, 0));
    QCOMPARE(Line(d, 0)->text(), text);
    QCOMPARE(Line(d, 0)->cursorPosition(), cursor);
    d.Key(Qt::Key_Return);  // the worksheet still evaluates
    QCOMPARE(d.Sheet().EntryCount(), 2);
  }

  void searchFiltersNamesAndDescriptionsAsYouType_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("a name") << "isvar" << QStringList{"isvariable", "isvariaop"};
    QTest::newRow("a word of a description") << "cofactor" << QStringList{"untdet"};
    QTest::newRow("names and descriptions") << "exclusive" << QStringList{"not", "logic"};
    QTest::newRow("in any case") << "COFACTOR" << QStringList{"untdet"};
    QTest::newRow("nothing") << "zzz" << QStringList{};
  }
  void searchFiltersNamesAndDescriptionsAsYouType() {
    QFETCH(QString, typed);
    QFETCH(QStringList, listed);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Key(Qt::Key_F1);
    ReferenceWindow* reference = d.Sheet().Help().Reference();
    QTRY_VERIFY(reference && reference->isActiveWindow());
    QVERIFY(!reference->Shown());  // the index
    QCOMPARE(QApplication::focusWidget(), reference->Search());
    QTest::keyClicks(reference->Search(), typed);
    QCOMPARE(reference->ListedNames(), listed);
    QTest::keyClick(reference->Search(), Qt::Key_Backspace);  // filters on every key
    QVERIFY(reference->ListedNames().size() >= listed.size());
  }

  void pastingAnExampleFillsTheFocusedLine() {
    SheetDriver d;
    QVERIFY(d.Ready());
    EnterAll(d, "1\n2");
    d.Key(Qt::Key_Up);
    d.Type("+det");
    d.Key(Qt::Key_F1);
    ReferenceWindow* reference = d.Sheet().Help().Reference();
    QTRY_VERIFY(reference && reference->isActiveWindow());
    const help::EntryPage* page = reference->Page();
    QCOMPARE(page->Examples().size(), std::size_t{2});
    QTRY_VERIFY(!page->Examples()[0].picture->pixmap().isNull());  // drawn by the engine
    QTest::mouseClick(page->Examples()[0].paste, Qt::LeftButton);
    QTRY_VERIFY(d.Window().isActiveWindow());
    QCOMPARE(d.Focused(), Line(d, 1));
    QCOMPARE(d.InputText(1), QString("det([1,2][3,4])"));
    QCOMPARE(d.Sheet().EntryCount(), 3);  // pasted, not evaluated
    QVERIFY(reference->isVisible());      // the reference stays open beside
    QTest::mouseDClick(page->Examples()[1].picture, Qt::LeftButton);
    QCOMPARE(d.InputText(1), QString("det([a,b][c,d])"));
    d.Key(Qt::Key_Return);
    QCOMPARE(d.PasteLast(), QString("a*d+(-1)*b*c"));
  }

  void theExamplesPicturesAreTheWorksheetsPictures() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("untdet([1,2][3,4], 0, 1)");
    d.Type("untdet");
    d.Key(Qt::Key_F1);
    const help::EntryPage* page = d.Sheet().Help().Reference()->Page();
    QTRY_VERIFY(!page->Examples()[0].picture->pixmap().isNull());
    // The worksheet's picture goes on in white out to the worksheet's width.
    const QImage example = page->Examples()[0].picture->pixmap().toImage();
    QCOMPARE(example, d.Picture(0).copy(example.rect()));
  }

  void typingWithHelpLeavesTheResultPicturesAsTheyWere() {
    const QString line = "diff(sin(x), x); solve(x^2 = 4, x); atan(1, 2)";
    QImage typed;
    {
      SheetDriver d;
      QVERIFY(d.Ready());
      d.Type(line.chopped(1));
      QCOMPARE(HintText(d.Sheet().Help()), QString("atan(y, <b>[x]</b>)"));
      d.Type(")");
      d.Key(Qt::Key_Return);
      typed = d.Picture(0);
    }
    SheetDriver d;
    QVERIFY(d.Ready());
    Line(d, 0)->setText(line);  // no key typed: no list, no hint
    d.Key(Qt::Key_Return);
    QVERIFY(!typed.isNull());
    QCOMPARE(typed, d.Picture(0));
  }
};

SYMCALC_GUI_SUITE(InputHelpTest)

}  // namespace symcalc::gui::test

#include "input_help_test.moc"
