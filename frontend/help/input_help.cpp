#include "input_help.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <memory>

#include "engine_access.h"
#include "hint_text.h"
#include "line_scan.h"
#include "overlays.h"
#include "reference_window.h"

namespace symcalc::gui::help {
namespace {

bool IsReturn(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The keys the open completion list takes from the line and the worksheet.
bool PopupKey(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Tab || key == Qt::Key_Escape;
}

}  // namespace

InputHelp::InputHelp(QAbstractScrollArea* sheet, const WorksheetFonts& fonts)
    : QObject(sheet), sheet_(sheet), fonts_(fonts) {
  // Overlays stay where they were put; a scrolled sheet takes the lines away.
  for (QScrollBar* bar : {sheet->verticalScrollBar(), sheet->horizontalScrollBar()}) {
    connect(bar, &QScrollBar::valueChanged, this, [this] {
      ClosePopup();
      if (active_ && active_->hasFocus()) UpdateHint(active_);
    });
  }
}

void InputHelp::Watch(QLineEdit* line) {
  line->installEventFilter(this);
  connect(line, &QLineEdit::textEdited, this, [this, line] {
    if (accepting_) return;
    UpdateHint(line);
    Complete(line, true);
    openWhenNamesArrive_ = true;
    RefreshNames();
  });
  connect(line, &QLineEdit::cursorPositionChanged, this, [this, line] {
    if (accepting_ || !line->hasFocus()) return;
    UpdateHint(line);
    Complete(line, false);
  });
}

QWidget* InputHelp::Window() const { return sheet_->window(); }

bool InputHelp::PopupOpen() const { return popup_ && popup_->isVisible(); }

bool InputHelp::eventFilter(QObject* watched, QEvent* event) {
  auto* line = qobject_cast<QLineEdit*>(watched);
  if (!line) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      // While the list is open these keys are its own, not the worksheet's.
      if (PopupOpen() && PopupKey(key)) {
        event->accept();
        return true;
      }
      // Return evaluates the line as typed; the list has nothing to add.
      if (IsReturn(key)) ClosePopup();
      return false;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_F1) {
        OpenReference(line);
        return true;
      }
      if (!PopupOpen() || !PopupKey(key)) return false;
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        popup_->Step(key == Qt::Key_Up ? -1 : 1);
      } else if (key == Qt::Key_Tab) {
        if (const Candidate* chosen = popup_->Highlighted()) Accept(line, *chosen);
      } else {
        ClosePopup();
      }
      return true;
    }
    case QEvent::FocusIn:
      active_ = line;
      openWhenNamesArrive_ = false;
      RefreshNames();
      UpdateHint(line);
      return false;
    case QEvent::FocusOut:
      ClosePopup();
      HideHint();
      return false;
    default:
      return false;
  }
}

void InputHelp::Complete(QLineEdit* line, bool mayOpen) {
  const int cursor = line->cursorPosition();
  const std::optional<Span> name = NameAt(line->text(), cursor);
  std::vector<Candidate> candidates;
  // Only a name being typed at its end is completed.
  if (name && name->end == cursor)
    candidates = CompletionsFor(line->text().mid(name->start, cursor - name->start), names_);
  if (candidates.empty() || (!mayOpen && !PopupOpen())) {
    if (candidates.empty()) ClosePopup();
    return;
  }
  if (!popup_)
    popup_ = new CompletionPopup(Window(), [this](const Candidate& chosen) {
      if (active_) Accept(active_, chosen);
    });
  const int below = hint_ && hint_->isVisible() && hintUnder_ ? hint_->height() : 0;
  popup_->Offer(std::move(candidates), *line, name->start, below);
}

void InputHelp::Accept(QLineEdit* line, const Candidate& candidate) {
  const Candidate chosen = candidate;  // the list is about to change
  const int cursor = line->cursorPosition();
  const std::optional<Span> name = NameAt(line->text(), cursor);
  if (!name) return;
  QString insert = chosen.name;
  if (chosen.IsFunction() && line->text().mid(name->end, 1) != QStringLiteral("(")) insert += u'(';
  accepting_ = true;
  line->setSelection(name->start, name->end - name->start);
  line->insert(insert);
  accepting_ = false;
  ClosePopup();
  UpdateHint(line);
}

void InputHelp::ClosePopup() {
  // Names that arrive after the list was closed do not open it again.
  openWhenNamesArrive_ = false;
  if (popup_) popup_->hide();
}

void InputHelp::UpdateHint(QLineEdit* line) {
  const QString text = HintFor(line->text(), line->cursorPosition(), names_);
  if (text.isEmpty()) {
    HideHint();
    return;
  }
  if (!hint_) hint_ = MakeHintLabel(Window());
  hint_->setText(text);
  hint_->adjustSize();
  // A call being typed is explained under it; a miscounted call of a line
  // already evaluated beside the line, clear of its results.
  const std::optional<CallAt> call = CallAround(line->text(), line->cursorPosition());
  hintUnder_ = call.has_value();
  if (call)
    PlaceUnder(*hint_, *line, call->open - static_cast<int>(call->name.size()), 0);
  else
    PlaceBeside(*hint_, *line);
  hint_->show();
  hint_->raise();
}

void InputHelp::HideHint() {
  if (hint_) hint_->hide();
}

void InputHelp::OpenReference(QLineEdit* line) {
  ClosePopup();
  const QString text = line->text();
  const int cursor = line->cursorPosition();
  const HelpEntry* entry = nullptr;
  if (const std::optional<Span> name = NameAt(text, cursor))
    entry = FindEntry(text.mid(name->start, name->end - name->start).toLower().toStdString());
  // Between the parentheses of a call, the function is what the cursor is in.
  if (!entry)
    if (const std::optional<CallAt> call = CallAround(text, cursor))
      entry = FindEntry(call->name.toLower().toStdString());
  if (!reference_) {
    reference_ = new ReferenceWindow(fonts_, Window());
    connect(reference_, &ReferenceWindow::pasteRequested, this, &InputHelp::PasteExample);
    connect(reference_, &ReferenceWindow::closed, this, &InputHelp::ReturnToSheet);
  }
  active_ = line;
  reference_->OpenAt(entry);
}

void InputHelp::PasteExample(const QString& text) {
  if (!active_) return;
  active_->setText(text);
  ReturnToSheet();
}

void InputHelp::ReturnToSheet() {
  if (!active_ || !Window()->isVisible()) return;
  Window()->activateWindow();
  active_->setFocus();
}

void InputHelp::RefreshNames() {
  if (refreshing_) {
    refreshAgain_ = true;
    return;
  }
  refreshing_ = true;
  auto read = std::make_shared<UserNames>();
  RunOnEngine(
      this, [read] { *read = ReadUserNames(); },
      [this, read] {
        names_ = std::move(*read);
        refreshing_ = false;
        const bool mayOpen = openWhenNamesArrive_;
        // A request that came meanwhile may follow an evaluation that ran
        // after this read: read once more, and use these names till then.
        if (refreshAgain_) {
          refreshAgain_ = false;
          RefreshNames();
        } else {
          openWhenNamesArrive_ = false;
        }
        if (active_ && active_->hasFocus()) {
          UpdateHint(active_);
          Complete(active_, mayOpen);
        }
      });
}

}  // namespace symcalc::gui::help
