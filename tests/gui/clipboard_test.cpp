// Results leave the window through the clipboard: the picture's menu and
// Ctrl+Shift+C for one line, the input fields' menu for the whole worksheet.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "clipboard/clipboard_formats.h"
#include "engine_access.h"
#include "result_picture.h"
#include "result_tools.h"
#include "sheet_driver.h"
#include "suites.h"
#include "symcalc/engine.h"

namespace symcalc::gui::test {
namespace {

// Long enough for a copy of the determinant to be deep in its writing.
constexpr int kWriteBeforeEscMs = 150;

// Starts one of the copy actions on the line's results, or on the whole
// worksheet, without waiting for it.
bool StartCopy(SheetDriver& d, int entry, const QString& action) {
  if (action == "Ctrl+Shift+C") {
    d.Sheet().EntryAt(entry).input->setFocus();
    d.Press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    return true;
  }
  const Entry& target = d.Sheet().EntryAt(entry);
  const bool chosen =
      d.ChooseFromMenu(action == "Copy worksheet" ? static_cast<QWidget*>(target.input) : target.picture,
                       action);
  // The closed menu leaves no window active, and Esc needs one.
  d.Window().activateWindow();
  return chosen && QTest::qWaitForWindowActive(&d.Window());
}

}  // namespace

class ClipboardTest : public QObject {
  Q_OBJECT

 private slots:
  // An empty expected text or LaTeX means the format must be absent.
  void copyingALinePutsItsFormatsOnTheClipboard_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("latex");
    QTest::addColumn<bool>("image");
    QTest::newRow("text") << "1/2; x^2" << "Copy as text" << "1/2\nx^2" << "" << false;
    QTest::newRow("LaTeX") << "1/2; x^2" << "Copy as LaTeX" << "\\frac{1}{2}\nx^{2}"
                           << "\\frac{1}{2}\nx^{2}" << false;
    QTest::newRow("plot image") << "plot(x^2, x = -1..1)" << "Copy as image" << "" << "" << true;
    QTest::newRow("Ctrl+Shift+C") << "-x; \"a\"" << "Ctrl+Shift+C" << "(-1)*x\n\"a\""
                                  << "-x\n\\text{\"a\"}" << true;
  }
  void copyingALinePutsItsFormatsOnTheClipboard() {
    QFETCH(QString, line);
    QFETCH(QString, action);
    QFETCH(QString, text);
    QFETCH(QString, latex);
    QFETCH(bool, image);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(line);
    d.Enter("7");  // the copied line is no longer the latest one
    QApplication::clipboard()->clear();
    QSignalSpy copied(&d.Sheet().Tools(), &ResultTools::copied);
    if (action == "Ctrl+Shift+C") {
      d.Key(Qt::Key_Up);
      d.Key(Qt::Key_Up);
      d.Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    } else {
      QVERIFY(d.ChooseFromMenu(d.Sheet().EntryAt(0).picture, action));
    }
    QTRY_COMPARE(copied.count(), 1);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QCOMPARE(mime->hasText(), !text.isEmpty());
    QCOMPARE(mime->text(), text);
    for (const QString& type : kLatexMimeTypes) QCOMPARE(QString::fromUtf8(mime->data(type)), latex);
    QCOMPARE(mime->hasImage(), image);
    if (image) QVERIFY(IsLeftPartOf(ClipboardPng(), d.Picture(0)));
  }

  void theInputMenuCopiesInputsOrTheWholeWorksheet() {
    SheetDriver d;
    QVERIFY(d.Ready());
    for (const char* line : {"1+2", " ", "x:=2; x^2"}) d.Enter(line);
    QWidget* input = d.Sheet().EntryAt(3).input;
    QSignalSpy copied(&d.Sheet().Tools(), &ResultTools::copied);
    QVERIFY(d.ChooseFromMenu(input, "Copy all inputs"));
    QTRY_COMPARE(copied.count(), 1);
    QCOMPARE(QApplication::clipboard()->text(), QString("1+2\nx:=2; x^2\n"));

    QVERIFY(d.ChooseFromMenu(input, "Copy worksheet"));
    QTRY_COMPARE(copied.count(), 2);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QCOMPARE(mime->text(), QString("> 1+2\n3\n> x:=2; x^2\n2\n4\n"));
    // The HTML shows each picture inline, as the worksheet does.
    const QRegularExpression png(QStringLiteral("data:image/png;base64,([^\"]+)"));
    QList<QImage> pictures;
    for (const QRegularExpressionMatch& m : png.globalMatch(mime->html()))
      pictures << QImage::fromData(QByteArray::fromBase64(m.captured(1).toLatin1()), "PNG");
    QCOMPARE(pictures.size(), 2);
    QVERIFY(IsLeftPartOf(pictures[0], d.Picture(0)));
    QVERIFY(IsLeftPartOf(pictures[1], d.Picture(2)));
  }

  // Esc while a copy is still writing its text: a text cut short never
  // reaches the clipboard, which keeps what it held, and the engine is free
  // for the next line and the next copy.
  void escStopsACopyTooLargeToWrite_data() {
    QTest::addColumn<QString>("action");
    for (const char* action : {"Copy as text", "Copy as LaTeX", "Ctrl+Shift+C", "Copy worksheet"})
      QTest::newRow(action) << action;
  }
  void escStopsACopyTooLargeToWrite() {
    QFETCH(QString, action);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(DeterminantWithXOnTheDiagonal());
    QApplication::clipboard()->setText("kept");
    QSignalSpy copied(&d.Sheet().Tools(), &ResultTools::copied);
    QVERIFY(StartCopy(d, 0, action));
    QTest::qWait(kWriteBeforeEscMs);
    QVERIFY(EngineWorkPending());
    QCOMPARE(d.Sheet().cursor().shape(), Qt::BusyCursor);
    d.Key(Qt::Key_Escape);
    QCOMPARE(copied.count(), 0);
    QCOMPARE(QApplication::clipboard()->text(), QString("kept"));
    d.Sheet().EntryAt(1).input->setFocus();
    d.Enter("6*7");
    QCOMPARE(d.CopiedText(1), QString("42"));
  }

  // Only the text needs the engine: the picture a copy takes cannot be cut
  // short, and comes along even when Esc stops the text.
  void escLeavesAnImageOnlyCopyWhole() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter("1/2");
    EngineHold hold;
    QSignalSpy copied(&d.Sheet().Tools(), &ResultTools::copied);
    QVERIFY(StartCopy(d, 0, "Copy as image"));
    d.Press(Qt::Key_Escape);
    hold.Release();
    QTRY_COMPARE(copied.count(), 1);
    QVERIFY(IsLeftPartOf(ClipboardPng(), d.Picture(0)));
  }

  // The worksheet fills its width with white; a copied picture is only as
  // wide as what is drawn, as the results would be drawn with no worksheet
  // to fill, so that it does not paste as mostly white.
  void aCopiedPictureIsAsWideAsItsResults_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("fraction") << "1/2";
    QTest::newRow("several results") << "1; [1,2;3,4]; x^2";
    QTest::newRow("plot") << "plot(x^2, x = -1..1)";
  }
  void aCopiedPictureIsAsWideAsItsResults() {
    QFETCH(QString, line);
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(line);
    // With the engine idle, this thread may read the values it keeps.
    const std::vector<Value*>& results = d.Sheet().Evaluator().Results();
    const QImage own = DrawResults(results, MeasureResults(results, d.Sheet().Fonts()), d.Sheet().Fonts());
    QVERIFY(own.width() < d.Picture(0).width());
    QSignalSpy copied(&d.Sheet().Tools(), &ResultTools::copied);
    QVERIFY(d.ChooseFromMenu(d.Sheet().EntryAt(0).picture, "Copy as image"));
    QTRY_COMPARE(copied.count(), 1);
    QCOMPARE(ClipboardPng(), own.convertToFormat(QImage::Format_RGB32));
  }

  // A line that Esc stopped is copied with its note, which may reach further
  // than its results.
  void aCopiedPictureKeepsTheInterruptedNote() {
    SheetDriver d;
    QVERIFY(d.Ready());
    {
      EngineHold hold;
      d.Start("1");
      d.Press(Qt::Key_Escape);
    }
    QVERIFY(d.WaitForEntries(2));
    QSignalSpy copied(&d.Sheet().Tools(), &ResultTools::copied);
    QVERIFY(d.ChooseFromMenu(d.Sheet().EntryAt(0).picture, "Copy as image"));
    QTRY_COMPARE(copied.count(), 1);
    const QImage png = ClipboardPng();
    QCOMPARE(png.width(), InterruptedNoteWidth(d.Sheet().Fonts()));
    QVERIFY(IsLeftPartOf(png, d.Picture(0)));
  }

  // The values the copies keep go back to the engine's thread with the
  // window, even while a copy of them is still waiting to be written.
  void closingTheWindowDuringACopyReleasesEveryValue() {
    const std::int64_t records = LiveRecordCount();
    {
      SheetDriver d;
      QVERIFY(d.Ready());
      d.Enter(DeterminantWithXOnTheDiagonal());
      QApplication::clipboard()->setText("kept");
      QVERIFY(StartCopy(d, 0, "Ctrl+Shift+C"));
    }
    QCOMPARE(LiveRecordCount(), records);
    QCOMPARE(QApplication::clipboard()->text(), QString("kept"));
  }
};

SYMCALC_GUI_SUITE(ClipboardTest)

}  // namespace symcalc::gui::test

#include "clipboard_test.moc"
