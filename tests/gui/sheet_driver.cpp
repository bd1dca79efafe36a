#include "sheet_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include "clipboard/clipboard_formats.h"
#include "engine_access.h"
#include "result_tools.h"

namespace symcalc::gui::test {

SheetDriver::SheetDriver() {
  window_ = std::make_unique<MainWindow>(LoadWorksheetFonts(96));
  window_->show();
  window_->activateWindow();
  ready_ = QTest::qWaitForWindowActive(window_.get());
}

SheetDriver::~SheetDriver() { window_.reset(); }

QWidget* SheetDriver::Focused() const { return QApplication::focusWidget(); }

void SheetDriver::Type(const QString& text) { QTest::keyClicks(Focused(), text); }

void SheetDriver::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  Press(key, modifiers);
  WaitForEngine();
}

void SheetDriver::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(Focused(), key, modifiers);
}

void SheetDriver::Enter(const QString& line) {
  Type(line);
  Key(Qt::Key_Return);
}

void SheetDriver::Start(const QString& line) {
  qobject_cast<QLineEdit*>(Focused())->setText(line);
  Press(Qt::Key_Return);
}

void SheetDriver::Retype(const QString& line) {
  Key(Qt::Key_A, Qt::ControlModifier);
  if (line.isEmpty())
    Key(Qt::Key_Delete);
  else
    Type(line);
}

QString SheetDriver::PasteLast() {
  Key(Qt::Key_M, Qt::ControlModifier);
  auto* field = qobject_cast<QLineEdit*>(Focused());
  return field ? field->text() : QString();
}

void SheetDriver::Paste(const QString& text) {
  QApplication::clipboard()->setText(text);
  Key(Qt::Key_V, Qt::ControlModifier);
}

void SheetDriver::StartPaste(const QString& text) {
  QApplication::clipboard()->setText(text);
  Press(Qt::Key_V, Qt::ControlModifier);
}

bool SheetDriver::ChooseFromMenu(QWidget* widget, const QString& entry) {
  const QPoint inside(2, 2);
  QContextMenuEvent event(QContextMenuEvent::Mouse, inside, widget->mapToGlobal(inside));
  QApplication::sendEvent(widget, &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu) return false;
  QAction* chosen = nullptr;
  for (QAction* action : menu->actions())
    if (action->text() == entry) chosen = action;
  if (chosen) chosen->trigger();
  menu->close();
  return chosen != nullptr;
}

bool SheetDriver::WaitForEntries(int count) {
  QSignalSpy evaluated(&Sheet(), &Worksheet::entryEvaluated);
  while (Sheet().EntryCount() < count)
    if (!evaluated.wait(10000)) return false;
  return true;
}

QString SheetDriver::CopiedText(int entry) {
  QSignalSpy copied(&Sheet().Tools(), &ResultTools::copied);
  Sheet().Tools().CopyResults(entry, CopyFormats{.text = true});
  if (copied.count() == 0 && !copied.wait()) return QStringLiteral("<nothing copied>");
  return QApplication::clipboard()->text();
}

QString SheetDriver::InputText(int entry) const {
  return window_->Sheet()->EntryAt(entry).input->text();
}

QImage SheetDriver::Picture(int entry) const {
  const QLabel* picture = window_->Sheet()->EntryAt(entry).picture;
  return picture ? picture->pixmap().toImage() : QImage();
}

int SheetDriver::TextResultHeight() const {
  const QFontMetrics metrics(window_->Sheet()->Fonts().font[1]);
  return 2 * (metrics.size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2);
}

int SheetDriver::TextResultWidth(const QString& text) const {
  return QFontMetrics(window_->Sheet()->Fonts().font[1]).horizontalAdvance(text);
}

EngineHold::EngineHold() {
  RunOnEngine(nullptr, [released = released_.get_future().share()] { released.wait(); });
}

void EngineHold::Release() {
  if (!held_) return;
  held_ = false;
  released_.set_value();
}

QString DeterminantWithXOnTheDiagonal() {
  constexpr int n = 12;
  QString rows;
  for (int i = 0; i < n; ++i) {
    QStringList cells;
    for (int j = 0; j < n; ++j)
      cells << (i == j ? QString("x") : QString::number((i * n + j) % 7 + 1));
    rows += "[" + cells.join(",") + "]";
  }
  return "det(" + rows + ")";
}

QImage ClipboardPng() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime) return {};
  return QImage::fromData(mime->data(kPngMimeType), "PNG").convertToFormat(QImage::Format_RGB32);
}

bool HasInk(const QImage& image, const QRect& area) {
  const QRect clipped = area & image.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) return true;
  return false;
}

bool IsLeftPartOf(const QImage& part, const QImage& whole) {
  const QImage p = part.convertToFormat(QImage::Format_RGB32);
  const QImage w = whole.convertToFormat(QImage::Format_RGB32);
  if (p.isNull() || p.height() != w.height() || p.width() > w.width()) return false;
  for (int y = 0; y < w.height(); ++y)
    for (int x = 0; x < w.width(); ++x)
      if (w.pixel(x, y) != (x < p.width() ? p.pixel(x, y) : qRgb(255, 255, 255))) return false;
  return true;
}

}  // namespace symcalc::gui::test
