// Keeping the line the user works in where the user can see it and type
// into it, whatever the scroll bars, the window size or a click do.
#pragma once

class QLineEdit;
class QScrollArea;
class QWidget;

namespace symcalc::gui {

// Scrolls vertically by the least that shows the field's whole height. With
// `cursorToo`, also sideways by the least that shows its text cursor: a line
// is as wide as the widest result, and jumping sideways otherwise would lose
// the prompt.
void ScrollToShow(QScrollArea& area, const QLineEdit& field, bool cursorToo);

// A left click on `clicked` gives `field` the keyboard focus, as a click on
// the field itself would. The click goes on to `clicked` as well.
void FocusOnClick(QWidget* clicked, QLineEdit* field);

}  // namespace symcalc::gui
