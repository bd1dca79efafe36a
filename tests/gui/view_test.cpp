// What the user sees of the worksheet: the focused line in view, the keys
// kept in the lines whatever is clicked, and pictures that fill the width.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <functional>

#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

// Lets the worksheet finish laying out: scroll bars come and go after the
// events that change the sizes.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// The entry's prompt wholly visible and its input's whole height too (the
// input is as wide as the widest result, so only its start need show).
bool InView(Worksheet& sheet, int index) {
  const Entry& entry = sheet.EntryAt(index);
  const QRect view = sheet.viewport()->rect();
  const QRect prompt(entry.prompt->mapTo(sheet.viewport(), QPoint(0, 0)), entry.prompt->size());
  const QRect input(entry.input->mapTo(sheet.viewport(), QPoint(0, 0)), entry.input->size());
  return view.contains(prompt) && input.top() >= view.top() && input.bottom() <= view.bottom();
}

void EnterLines(SheetDriver& d, int count) {
  for (int i = 1; i <= count; ++i) d.Enter(QString::number(i));
}

// Wider than the window: both scroll bars show once the lines overflow.
const QString kWideLine = "expand((x+y+z+1)^5)";

// Thirty short lines, then the wide one: the worksheet overflows both ways.
void Overflow(SheetDriver& d) {
  EnterLines(d, 30);
  d.Enter(kWideLine);
  Settle();
}

}  // namespace

class ViewTest : public QObject {
  Q_OBJECT

 private slots:
  void newLineIsNotHiddenByTheScrollBarAWideResultBrings() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    Overflow(d);
    QVERIFY(sheet.InnerWidth() > sheet.viewport()->width());
    QVERIFY(sheet.horizontalScrollBar()->isVisible());
    QCOMPARE(sheet.ActiveEntry(), sheet.EntryCount() - 1);
    QVERIFY(InView(sheet, sheet.ActiveEntry()));
  }

  // Each row moves the focus or the view, then checks the focused line shows.
  void focusedLineStaysInView_data() {
    QTest::addColumn<int>("up");  // lines above the last to focus first
    QTest::addColumn<std::function<void(SheetDriver&)>>("change");
    const auto shrinkAndBack = [](SheetDriver& d) {
      d.Window().resize(400, 300);
      Settle();
      QVERIFY(InView(d.Sheet(), d.Sheet().ActiveEntry()));
      d.Window().resize(800, 600);
    };
    QTest::newRow("last line, window resized") << 0 << std::function(shrinkAndBack);
    QTest::newRow("typing into a line scrolled away") << 3 << std::function([](SheetDriver& d) {
      d.Sheet().verticalScrollBar()->setValue(0);
      d.Sheet().horizontalScrollBar()->setValue(d.Sheet().horizontalScrollBar()->maximum());
      d.Type("0");
    });
    QTest::newRow("earlier line grows") << 2 << std::function([](SheetDriver& d) {
      d.Retype("plot(x, x=0..1)");
      d.Key(Qt::Key_Return);
    });
  }
  void focusedLineStaysInView() {
    QFETCH(int, up);
    QFETCH(std::function<void(SheetDriver&)>, change);
    SheetDriver d;
    QVERIFY(d.Ready());
    EnterLines(d, 20);
    d.Enter(kWideLine);
    EnterLines(d, 20);
    for (int i = 0; i < up; ++i) d.Key(Qt::Key_Up);
    change(d);
    Settle();
    const int active = d.Sheet().ActiveEntry();
    QVERIFY(active >= 0);
    QVERIFY(InView(d.Sheet(), active));
    // The text cursor shows too, not only the start of the line.
    const QLineEdit* input = d.Sheet().EntryAt(active).input;
    const QPoint cursor = input->mapTo(d.Sheet().viewport(),
                                       input->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
    QVERIFY(d.Sheet().viewport()->rect().contains(cursor));
  }

  void clicksOutsideTheLinesLeaveTheKeysWithThem() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    Overflow(d);
    QScrollBar* vertical = sheet.verticalScrollBar();
    QScrollBar* horizontal = sheet.horizontalScrollBar();
    QVERIFY(vertical->isVisible() && horizontal->isVisible());
    for (QWidget* clicked : {static_cast<QWidget*>(vertical), static_cast<QWidget*>(horizontal)}) {
      const int entries = sheet.EntryCount();
      QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().center());
      d.Type("6*7");
      d.Key(Qt::Key_Return);
      QCOMPARE(sheet.EntryCount(), entries + 1);  // Return evaluated the focused line
      QCOMPARE(d.Picture(entries - 1).isNull(), false);
    }
    // A click on a picture, or on its line's prompt, focuses that line's input.
    d.Sheet().ensureWidgetVisible(sheet.EntryAt(28).picture);
    QTest::mouseClick(sheet.EntryAt(28).picture, Qt::LeftButton, {}, QPoint(50, 5));
    QCOMPARE(sheet.ActiveEntry(), 28);
    QTest::mouseClick(sheet.EntryAt(27).prompt, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(sheet.ActiveEntry(), 27);
    d.Key(Qt::Key_Down);
    QCOMPARE(sheet.ActiveEntry(), 28);
  }

  // A cut result fades out under an ellipsis at the cut, and says so.
  void clippedResultsAreMarkedAndExplained_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("larger");
    QTest::newRow("wide") << "\"" + QString(100000, 'm') + "\"" << "wider";
    QTest::newRow("tall") << QStringList(3000, "1").join(";") << "taller";
    QTest::newRow("not cut") << QString(kWideLine) << "";
  }
  void clippedResultsAreMarkedAndExplained() {
    QFETCH(QString, line);
    QFETCH(QString, larger);
    SheetDriver d;
    QVERIFY(d.Ready());
    qobject_cast<QLineEdit*>(d.Focused())->setText(line);
    d.Key(Qt::Key_Return);
    const QImage picture = d.Picture(0);
    const QString tip = d.Sheet().EntryAt(0).picture->toolTip();
    if (larger.isEmpty()) {
      QVERIFY(tip.isEmpty());
      return;
    }
    QVERIFY2(tip.contains(larger) && tip.contains("Ctrl+M"), qPrintable(tip));
    const int w = picture.width();
    const int h = picture.height();
    const int dots = d.TextResultWidth(QString(QChar(0x2026)));
    if (larger == "wider") {
      // The m's run right up to the fade; only the dots stand beyond it.
      QVERIFY(HasInk(picture, QRect(w - 200, 0, 20, h)));
      QVERIFY(!HasInk(picture, QRect(w - dots - 20, 0, 14, h)));
      QVERIFY(HasInk(picture, QRect(w - dots - 6, 0, dots + 6, h)));
    } else {
      // The ones stand at the margin down to the fade; the dots below them.
      QVERIFY(HasInk(picture, QRect(100, h - 200, 20, 100)));
      QVERIFY(!HasInk(picture, QRect(0, h - 40, w, 14)));
      QVERIFY(HasInk(picture, QRect(100, h - 20, dots, 20)));
    }
  }

  void picturesAreAsWideAsTheWorksheet() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    // Stopped at once: the grey note alone.
    d.Start("diff(" + QString("sin(").repeated(1000) + "x" + QString(")").repeated(1000) + ",x)");
    QTest::qWait(100);
    d.Key(Qt::Key_Escape);
    QVERIFY(!d.Picture(0).isNull());
    for (const QString& line : {QString("1"), QString("plot(x^2, x=-1..1)"), kWideLine, QString("2")})
      d.Enter(line);
    QCOMPARE(sheet.InnerWidth(), d.Picture(4).width());
    for (int i = 0; i < sheet.EntryCount() - 1; ++i) {
      const QLabel* picture = sheet.EntryAt(i).picture;
      // The picture, white included, covers its whole field.
      QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), picture->size());
      QCOMPARE(picture->width(), sheet.InnerWidth());
    }
  }
};

SYMCALC_GUI_SUITE(ViewTest)

}  // namespace symcalc::gui::test

#include "view_test.moc"
