#include "keep_in_view.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

namespace symcalc::gui {
namespace {

// Room left beside the text cursor, so that the letters around it show too.
constexpr int kCursorMargin = 20;

// Moves `bar` by the least that shows [low, high) in a view `visible` long.
void Reveal(QScrollBar& bar, int low, int high, int visible) {
  if (low < bar.value())
    bar.setValue(low);
  else if (high > bar.value() + visible)
    bar.setValue(high - visible);
}

class ClickFocus : public QObject {
 public:
  ClickFocus(QWidget* clicked, QLineEdit* field) : QObject(clicked), field_(field) {
    clicked->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && field_ &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      field_->setFocus(Qt::MouseFocusReason);
    return QObject::eventFilter(watched, event);
  }

 private:
  QPointer<QLineEdit> field_;
};

}  // namespace

void ScrollToShow(QScrollArea& area, const QLineEdit& field, bool cursorToo) {
  const QWidget* viewport = area.viewport();
  const QRect rect = field.geometry();
  Reveal(*area.verticalScrollBar(), rect.top(), rect.bottom() + 1, viewport->height());
  if (!cursorToo) return;
  const int cursor =
      rect.left() + field.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  // The prompt comes along whenever it fits beside the cursor.
  const int high = cursor + kCursorMargin;
  const int low = high <= viewport->width() ? 0 : cursor - kCursorMargin;
  Reveal(*area.horizontalScrollBar(), low, high, viewport->width());
}

void FocusOnClick(QWidget* clicked, QLineEdit* field) { new ClickFocus(clicked, field); }

}  // namespace symcalc::gui
