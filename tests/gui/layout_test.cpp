// Where entries and pictures go, and how they move and widen.
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <climits>
#include <vector>

#include "result_picture.h"
#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

std::vector<QRect> GeometryAfter(Worksheet& sheet, int first) {
  std::vector<QRect> rects;
  for (int i = first; i < sheet.EntryCount(); ++i) {
    const Entry& e = sheet.EntryAt(i);
    rects.push_back(e.prompt->geometry());
    rects.push_back(e.input->geometry());
    if (e.picture) rects.push_back(e.picture->geometry());
  }
  return rects;
}

// Every rectangle in `after` is the one in `before` moved down by `dy`.
bool MovedBy(const std::vector<QRect>& before, const std::vector<QRect>& after, int dy) {
  if (before.size() != after.size()) return false;
  for (std::size_t i = 0; i < before.size(); ++i)
    if (after[i] != before[i].translated(0, dy)) return false;
  return true;
}

QString Repeated(const QString& piece, int times, const QString& separator) {
  QStringList pieces;
  for (int i = 0; i < times; ++i) pieces << piece;
  return pieces.join(separator);
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void windowStartsWithOneEmptyEntry() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    const int line = sheet.Fonts().lineHeight;
    QVERIFY(line > 0);
    QCOMPARE(d.Window().windowTitle(), QString("InterfaceWindow"));
    QCOMPARE(d.Window().size(), QSize(800, 600));
    QCOMPARE(sheet.geometry(), QRect(0, 0, 800, 600));
    QCOMPARE(sheet.InnerWidth(), 779);
    QCOMPARE(sheet.InnerHeight(), line);
    QCOMPARE(sheet.verticalScrollBar()->singleStep(), 25);
    const Entry& first = sheet.EntryAt(0);
    QCOMPARE(first.prompt->geometry(), QRect(0, 0, 16, line));
    QCOMPARE(first.prompt->text(), QString(">"));
    QCOMPARE(first.prompt->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
    QCOMPARE(first.input->geometry(), QRect(16, 0, 763, line));
    QVERIFY(!first.input->hasFrame());
    QCOMPARE(first.input->maxLength(), INT_MAX);
    QVERIFY(first.picture == nullptr);
  }

  void fontsHaveTheirSizesAt96Dpi() {
    const WorksheetFonts fonts = LoadWorksheetFonts(96);
    // 10, 12, 10 and 8 points.
    QCOMPARE(fonts.font[0].pixelSize(), 13);
    QCOMPARE(fonts.font[1].pixelSize(), 16);
    QCOMPARE(fonts.font[2].pixelSize(), 13);
    QCOMPARE(fonts.font[3].pixelSize(), 11);
    QCOMPARE(fonts.font[0].family(), QString("Courier New"));
    QCOMPARE(fonts.font[1].family(), QString("Times New Roman"));
    QCOMPARE(&fonts.ForLevel(7), &fonts.font[3]);
  }

  void resultIsDrawnAtXHundredUnderItsLine() {
    SheetDriver d;
    QVERIFY(d.Ready());
    const int line = d.Sheet().Fonts().lineHeight;
    const int height = d.TextResultHeight();
    d.Enter("1234");
    const Entry& e = d.Sheet().EntryAt(0);
    QCOMPARE(e.picture->geometry(), QRect(0, line, 779, height));
    QCOMPARE(d.Sheet().EntryAt(1).input->geometry(), QRect(16, line + height, 763, line));
    QCOMPARE(d.Sheet().InnerHeight(), 2 * line + height);
    const QImage picture = e.picture->grab().toImage();
    QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::white));
    QVERIFY(!HasInk(picture, QRect(0, 0, 100, height)));
    QVERIFY(HasInk(picture, QRect(100, 0, d.TextResultWidth("1234"), height)));
    QVERIFY(!HasInk(picture, QRect(101 + d.TextResultWidth("1234"), 0, 600, height)));
  }

  void reevaluatingAnEarlierLineMovesTheLaterOnesByTheDifference() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    const int h = d.TextResultHeight();
    for (const char* line : {"1", "2", "3"}) d.Enter(line);
    for (int i = 0; i < 3; ++i) d.Key(Qt::Key_Up);
    QCOMPARE(sheet.ActiveEntry(), 0);

    struct Step {
      const char* line;
      int pictureHeight;
    };
    // Grow to three values, shrink to none, then grow from no picture at all.
    const Step steps[] = {{"1;2;3", 3 * h + 20}, {"  ", 0}, {"4;5", 2 * h + 10}, {"6", h}};
    int previous = h;
    for (const Step& step : steps) {
      const std::vector<QRect> before = GeometryAfter(sheet, 1);
      const int innerBefore = sheet.InnerHeight();
      d.Retype(step.line);
      d.Key(Qt::Key_Return);
      QCOMPARE(sheet.EntryAt(0).picture->height(), step.pictureHeight);
      const int dy = step.pictureHeight - previous;
      QVERIFY2(MovedBy(before, GeometryAfter(sheet, 1), dy), step.line);
      QCOMPARE(sheet.InnerHeight(), innerBefore + dy);
      QCOMPARE(sheet.EntryCount(), 4);
      QCOMPARE(sheet.ActiveEntry(), 1);  // the focus goes on to the next line
      d.Key(Qt::Key_Up);
      previous = step.pictureHeight;
    }
  }

  void wideResultWidensEveryLineButNotThePrompts() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    d.Enter("1");
    const QString wide = "\"" + QString(200, 'w') + "\"";
    d.Enter(wide);
    const int width = d.TextResultWidth(wide) + 100;
    QVERIFY(width > 779);
    QCOMPARE(sheet.InnerWidth(), width);
    for (int i = 0; i < sheet.EntryCount(); ++i) {
      const Entry& e = sheet.EntryAt(i);
      QCOMPARE(e.prompt->width(), 16);
      QCOMPARE(e.input->geometry().left(), 16);
      QCOMPARE(e.input->width(), width - 16);
      if (e.picture) QCOMPARE(e.picture->width(), width);
    }
    // The earlier picture keeps its result and is white out to the new width.
    const QImage first = sheet.EntryAt(0).picture->grab().toImage();
    const int h = d.TextResultHeight();
    QVERIFY(HasInk(first, QRect(100, 0, 20, h)));
    QVERIFY(!HasInk(first, QRect(200, 0, width - 200, h)));
    QCOMPARE(first.pixelColor(width - 1, h - 1), QColor(Qt::white));
    // A later, narrower result keeps the wider width.
    d.Enter("2");
    QCOMPARE(sheet.InnerWidth(), width);
    QCOMPARE(sheet.EntryAt(2).picture->width(), width);
  }

  void enormousResultsAreClippedToTheCap() {
    SheetDriver d;
    QVERIFY(d.Ready());
    Worksheet& sheet = d.Sheet();
    d.Enter("1");
    const QImage small = d.Picture(0);

    // Far wider than the cap.
    qobject_cast<QLineEdit*>(d.Focused())->setText("\"" + QString(100000, 'm') + "\"");
    d.Key(Qt::Key_Return);
    QCOMPARE(sheet.InnerWidth(), kMaxPictureSide);
    QCOMPARE(d.Picture(1).width(), kMaxPictureSide);
    // Earlier pictures are not re-drawn, only padded with white to the new width.
    const QImage padded = d.Picture(0);
    QCOMPARE(padded.width(), kMaxPictureSide);
    QCOMPARE(padded.copy(small.rect()), small);
    QImage white(padded.width() - small.width(), padded.height(), padded.format());
    white.fill(Qt::white);
    QCOMPARE(padded.copy(QRect(QPoint(small.width(), 0), white.size())), white);

    // Far taller than the cap.
    qobject_cast<QLineEdit*>(d.Focused())->setText(Repeated("1", 3000, ";"));
    d.Key(Qt::Key_Return);
    QCOMPARE(d.Picture(2).height(), kMaxPictureSide);
    QCOMPARE(sheet.EntryAt(3).input->y(), sheet.EntryAt(2).picture->y() + kMaxPictureSide);

    // Both at once: the pixel budget decides.
    const QString both = "\"" + QString(8000, 'm') + "\";" + Repeated("1", 3000, ";");
    qobject_cast<QLineEdit*>(d.Focused())->setText(both);
    d.Key(Qt::Key_Return);
    const QImage picture = d.Picture(3);
    QCOMPARE(picture.width(), kMaxPictureSide);
    QCOMPARE(picture.height(), static_cast<int>(kMaxPicturePixels / kMaxPictureSide));
    QCOMPARE(sheet.EntryCount(), 5);

    // The engine's largest arrays.
    d.Enter("array(32767,1); vector(32767)");
    const QImage arrays = d.Picture(4);
    QVERIFY(arrays.width() <= kMaxPictureSide && arrays.height() <= kMaxPictureSide);
    QVERIFY(qint64{arrays.width()} * arrays.height() <= kMaxPicturePixels);
    QCOMPARE(d.PasteLast().size(), QString::fromStdString(PrintValue(
        d.Sheet().Evaluator().Results().back())).size());
  }

  void resizingTheWindowResizesTheViewOnly() {
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Window().resize(500, 300);
    QCOMPARE(d.Sheet().geometry(), QRect(0, 0, 500, 300));
    QCOMPARE(d.Sheet().InnerWidth(), 779);
    d.Window().resize(1000, 700);
    QCOMPARE(d.Sheet().geometry(), QRect(0, 0, 1000, 700));
  }
};

SYMCALC_GUI_SUITE(LayoutTest)

}  // namespace symcalc::gui::test

#include "layout_test.moc"
