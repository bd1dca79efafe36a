#include "main_window.h"

#include <QResizeEvent>
#include <QScreen>

#include "worksheet.h"

namespace symcalc::gui {

MainWindow::MainWindow(const WorksheetFonts& fonts, QWidget* parent)
    : QWidget(parent), worksheet_(new Worksheet(fonts, this)) {
  setWindowTitle(QStringLiteral("InterfaceWindow"));
  resize(kWindowWidth, kWindowHeight);
  worksheet_->setGeometry(0, 0, kWindowWidth, kWindowHeight);
  // "end" and "quit" leave the same way as the close box.
  connect(worksheet_, &Worksheet::quitRequested, this, &QWidget::close);
}

void MainWindow::Centre() {
  const QScreen* screen = this->screen();
  if (!screen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  // The visible part follows the window; the worksheet's inner width does not.
  worksheet_->setGeometry(0, 0, event->size().width(), event->size().height());
  QWidget::resizeEvent(event);
}

}  // namespace symcalc::gui
