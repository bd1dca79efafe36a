// Text of several lines comes back into the window: into the last, empty
// entry as one evaluated entry per line, anywhere else as one line. What
// "Copy as text" gives evaluates back to the same text.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "clipboard/result_texts.h"
#include "engine_access.h"
#include "sheet_driver.h"
#include "suites.h"
#include "value_maker.h"

namespace symcalc::gui::test {
namespace {

// The lines of the documentation's gallery (scripts/gallery.sh).
const char* const kGallery[] = {
    "1/3 + x/6; -2*x^(-3); (x+1)/(x-1)", "diff(sin(x)/x, x)", "f(t):=t^2+1; f(a/b)",
    "sqr(2)*3; x^(y^2); (-2)^n", "expand((x+1)^3)", "[1, x/2, 3][4, 5, 6][7, 8, 9]",
    "{1, {2, 3}, {}}; solve(x^2-2=0, x)", "#c(1/2, -3); inf; -inf; a..b", "'sym'; \"text\"; det(5)",
    "p := plot(x*sin(x), x = -10..10); x := 5", "x"};

QStringList GalleryTexts() {
  SheetDriver d;
  QStringList texts;
  for (const char* line : kGallery) {
    d.Enter(line);
    // An error's text reads back as another error, if at all.
    for (const QString& text : d.CopiedText(d.Sheet().EntryCount() - 2).split('\n'))
      if (!text.startsWith("<Error>")) texts << text;
  }
  return texts;
}

// Random values as "Copy as text" writes them, less those the worksheet
// cannot take back as typed: its lines are Unicode text, which it lower-cases
// and splits at semicolons outside double quotes.
QStringList RandomTexts(int count) {
  symcalc::testing::ValueMaker maker(20240917);
  QStringList texts;
  while (texts.size() < count) {
    std::vector<Value*> value{maker.OneIn(5) ? maker.Array() : maker.Element(2)};
    const std::string text = ResultsText(value);
    ReleaseValues(value);
    const QString typed = QString::fromStdString(text);
    if (typed.toStdString() == text && LowerCase(text) == text &&
        SplitPieces(text) == std::vector<std::string>{text})
      texts << typed;
  }
  return texts;
}

}  // namespace

class PasteTest : public QObject {
  Q_OBJECT

 private slots:
  void pastedLinesBecomeEntriesDrawnAsTyped() {
    const QStringList lines = {"1/3 + x/6; -2*x^(-3)", "x:=2", "", "[1,x][3,4]", "x^2"};
    std::vector<QImage> typed;
    {
      SheetDriver d;
      QVERIFY(d.Ready());
      for (const QString& line : lines) d.Enter(line);
      for (int i = 0; i < lines.size(); ++i) typed.push_back(d.Picture(i));
    }
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Paste(lines.join("\r\n") + "\n");
    QVERIFY(d.WaitForEntries(static_cast<int>(lines.size()) + 1));
    QCOMPARE(d.Sheet().ActiveEntry(), static_cast<int>(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
      QCOMPARE(d.InputText(i), lines[i]);
      QCOMPARE(d.Picture(i), typed[static_cast<std::size_t>(i)]);
    }
  }

  void pastingStopsBeforeEndOrQuit() {
    SheetDriver d;
    QVERIFY(d.Ready());
    QSignalSpy quit(&d.Sheet(), &Worksheet::quitRequested);
    d.Paste("1\n2\nQuit\n3\n");
    QVERIFY(d.WaitForEntries(3));
    QTest::qWait(50);  // nothing after the stop comes later either
    QCOMPARE(d.Sheet().EntryCount(), 3);
    QCOMPARE(d.InputText(2), QString());
    QCOMPARE(quit.count(), 0);
    QVERIFY(d.Window().isVisible());
  }

  // The engine is held while an earlier line is evaluated again, so the
  // pasted lines must wait for it; they follow it in order, each once.
  void linesPastedWhileALineRunsFollowItInOrder() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("a:=1");
    d.Key(Qt::Key_Up);
    d.Retype("a:=5");
    QSignalSpy evaluated(&d.Sheet(), &Worksheet::entryEvaluated);
    EngineHold hold;
    d.Press(Qt::Key_Return);
    d.Press(Qt::Key_Down);
    d.StartPaste("a+10\na+20\n");
    QTRY_COMPARE(d.InputText(1), QString("a+10"));
    QCOMPARE(d.Sheet().RunningEntry(), 0);
    d.Press(Qt::Key_Return);  // refused while busy: the pasted line is not doubled
    hold.Release();
    QVERIFY(d.WaitForEntries(4));
    WaitForEngine();
    QCOMPARE(evaluated.count(), 3);
    QCOMPARE(d.InputText(2), QString("a+20"));
    QCOMPARE(d.CopiedText(1), QString("15"));
    QCOMPARE(d.CopiedText(2), QString("25"));
  }

  // Esc during a paste stops the feeding, whether the pasted line runs or
  // still waits behind another; the next paste feeds again.
  void escStopsTheFeedingOfPastedLines_data() {
    QTest::addColumn<bool>("behindAnotherLine");
    QTest::newRow("pasted line running") << false;
    QTest::newRow("pasted line waiting") << true;
  }
  void escStopsTheFeedingOfPastedLines() {
    QFETCH(bool, behindAnotherLine);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("1");
    EngineHold hold;
    if (behindAnotherLine) {
      d.Press(Qt::Key_Up);
      d.Press(Qt::Key_Return);
      d.Press(Qt::Key_Down);
    }
    d.StartPaste("2\n3\n4\n");
    QTRY_COMPARE(d.InputText(1), QString("2"));
    QCOMPARE(d.Sheet().RunningEntry(), behindAnotherLine ? 0 : 1);
    d.Press(Qt::Key_Escape);
    hold.Release();
    WaitForEngine();
    QTest::qWait(50);  // nothing is fed later either
    QCOMPARE(d.Sheet().EntryCount(), behindAnotherLine ? 2 : 3);
    QCOMPARE(d.InputText(d.Sheet().EntryCount() - 1), behindAnotherLine ? QString("2") : QString());
    d.Sheet().EntryAt(d.Sheet().EntryCount() - 1).input->setFocus();
    d.Retype("");
    // Counted before the paste: waiting for the engine after the key may see
    // the fed lines evaluated already.
    const int fed = d.Sheet().EntryCount() - 1;
    d.Paste("7\n8\n");
    QVERIFY(d.WaitForEntries(fed + 3));
    QCOMPARE(d.InputText(fed), QString("7"));
    QCOMPARE(d.InputText(fed + 1), QString("8"));
  }

  void linesPastedIntoAnotherEntryJoinIntoOne_data() {
    QTest::addColumn<bool>("earlierEntry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("line");
    QTest::newRow("earlier entry") << true << "" << "1\n\n2\r\n" << "51; 2";
    QTest::newRow("last entry with text") << false << "x+" << "1\n2" << "x+1; 2";
  }
  void linesPastedIntoAnotherEntryJoinIntoOne() {
    QFETCH(bool, earlierEntry);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, line);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("5");
    if (earlierEntry) d.Key(Qt::Key_Up);
    d.Type(typed);
    d.Paste(pasted);
    const int entry = earlierEntry ? 0 : 1;
    QTRY_COMPARE(d.InputText(entry), line);
    QCOMPARE(d.Sheet().EntryCount(), 2);
  }

  void copiedTextEvaluatesToTheSameText_data() {
    QTest::addColumn<bool>("gallery");
    QTest::newRow("gallery") << true;
    QTest::newRow("1000 random values") << false;
  }
  void copiedTextEvaluatesToTheSameText() {
    QFETCH(bool, gallery);
    const QStringList galleryTexts = gallery ? GalleryTexts() : QStringList();
    SheetDriver d;
    QVERIFY(d.Ready());
    const QStringList texts = gallery ? galleryTexts : RandomTexts(1000);
    d.Paste(texts.join('\n'));
    QVERIFY(d.WaitForEntries(static_cast<int>(texts.size()) + 1));
    int failures = 0;
    for (int i = 0; i < texts.size() && failures < 5; ++i) {
      const QString again = d.CopiedText(i);
      if (again != texts[i]) {
        qWarning() << texts[i] << "came back as" << again;
        ++failures;
      }
    }
    QCOMPARE(failures, 0);
  }
};

SYMCALC_GUI_SUITE(PasteTest)

}  // namespace symcalc::gui::test

#include "paste_test.moc"
