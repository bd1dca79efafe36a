#include "sheet_driver.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "engine_access.h"

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

bool HasInk(const QImage& image, const QRect& area) {
  const QRect clipped = area & image.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    for (int x = clipped.left(); x <= clipped.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) return true;
  return false;
}

}  // namespace symcalc::gui::test
