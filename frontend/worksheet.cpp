#include "worksheet.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <string>

#include "clip_marks.h"
#include "engine_access.h"
#include "errors/error_notes.h"
#include "evaluation_job.h"
#include "help/input_help.h"
#include "keep_in_view.h"
#include "result_tools.h"

namespace symcalc::gui {

Worksheet::Worksheet(const WorksheetFonts& fonts, QWidget* parent)
    : QScrollArea(parent),
      fonts_(fonts),
      content_(new QWidget),
      evaluator_(std::make_shared<LineEvaluator>()),
      tools_(new ResultTools(*this)) {
  help_ = new help::InputHelp(this, fonts_);
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  setWidget(content_);
  content_->resize(kInitialInnerWidth, 0);
  horizontalScrollBar()->setSingleStep(kScrollStep);
  verticalScrollBar()->setSingleStep(kScrollStep);
  // Only input lines take the keyboard focus: a click on a scroll bar or
  // between the lines would otherwise leave Return and the arrows without a
  // line to act on.
  for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(horizontalScrollBar()),
                          static_cast<QWidget*>(verticalScrollBar())})
    widget->setFocusPolicy(Qt::NoFocus);
  AppendEntry(true);
  InstallShortcuts(this, [this](ShortcutEvent event) { HandleShortcut(event); });
}

Worksheet::~Worksheet() {
  // Jobs still queued may use the values; this one comes after them all.
  RunOnEngine(nullptr, [evaluator = std::move(evaluator_)]() mutable { evaluator.reset(); });
}

int Worksheet::InnerWidth() const { return content_->width(); }
int Worksheet::InnerHeight() const { return content_->height(); }

void Worksheet::SetInnerSize(int width, int height) {
  content_->resize(width, height);
}

int Worksheet::ActiveEntry() const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].input->hasFocus()) return static_cast<int>(i);
  return -1;
}

void Worksheet::resizeEvent(QResizeEvent* event) {
  // Also called when the viewport changes size, as when a scroll bar comes
  // or goes: the ranges are updated first, then the focused line is shown.
  QScrollArea::resizeEvent(event);
  const QWidget* focus = window()->focusWidget();
  for (const Entry& entry : entries_)
    if (entry.input == focus) ScrollToShow(*this, *entry.input, false);
}

void Worksheet::HandleShortcut(ShortcutEvent event) {
  const int active = ActiveEntry();
  switch (event) {
    case ShortcutEvent::Evaluate:
      EvaluateActiveEntry();
      break;
    case ShortcutEvent::FocusPrevious:
      if (active > 0) FocusEntry(active - 1);
      break;
    case ShortcutEvent::FocusNext:
      if (active >= 0 && active + 1 < EntryCount()) FocusEntry(active + 1);
      break;
    case ShortcutEvent::PasteLastResult:
      PasteLastResult();
      break;
    case ShortcutEvent::Interrupt:
      Interrupt();
      break;
  }
}

bool Worksheet::EvaluateActiveEntry() {
  const int active = ActiveEntry();
  // The engine takes one line at a time; the running marker shows which.
  if (active < 0 || running_ >= 0) return false;
  EvaluateEntry(active);
  return true;
}

void Worksheet::EvaluateEntry(int index) {
  if (index < 0 || index >= EntryCount()) return;
  std::string line = entries_[static_cast<std::size_t>(index)].input->text().toStdString();
  // Lines pasted together must reach the engine in the order they were given.
  if (running_ >= 0) {
    waiting_.emplace_back(index, std::move(line));
    return;
  }
  Evaluate(index, std::move(line));
}

void Worksheet::Evaluate(int index, std::string line) {
  Entry& entry = entries_[static_cast<std::size_t>(index)];
  running_ = index;
  MarkRunning(entry, true);
  auto answer = std::make_shared<EvaluatedLine>();
  auto notes = std::make_shared<LineNotes>();
  Post(
      [evaluator = evaluator_.get(), line = std::move(line), fonts = fonts_,
       target = PictureTarget{InnerWidth(), devicePixelRatioF()}, answer, notes,
       note = tools_->AfterEvaluation(index)] {
        *answer = EvaluateAndDraw(
            *evaluator, line, fonts, target,
            [&](const std::vector<Value*>& results, const PictureLayout& layout) {
              *notes = note(line, results, layout.boxes);
            });
      },
      [this, index, answer, notes] { Finish(index, *answer, std::move(*notes)); });
}

void Worksheet::Post(std::function<void()> job, std::function<void()> done) {
  if (jobsPending_++ == 0) setCursor(Qt::BusyCursor);
  RunOnEngine(this, std::move(job), [this, done = std::move(done)] {
    if (--jobsPending_ == 0) unsetCursor();
    done();
  });
}

void Worksheet::Finish(int index, const EvaluatedLine& answer, LineNotes notes) {
  Entry& entry = entries_[static_cast<std::size_t>(index)];
  running_ = -1;
  MarkRunning(entry, false);
  if (answer.quit) {
    waiting_.clear();
    emit quitRequested();
    return;
  }
  // The focus moves on from the line as after any evaluation, unless the user
  // has gone on to work elsewhere meanwhile.
  const QWidget* focus = window()->focusWidget();
  const bool moveOn = !focus || focus == entry.input;
  if (answer.width > InnerWidth()) WidenTo(answer.width);
  if (entry.picture) {
    const int before = PictureHeight(entry);
    SetPicture(entry, answer.picture, InnerWidth());
    const int shift = PictureHeight(entry) - before;
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < entries_.size(); ++i)
      MoveEntry(entries_[i], shift);
    SetInnerSize(InnerWidth(), InnerHeight() + shift);
    if (moveOn) FocusEntry(index + 1);
  } else {
    AddPicture(entry, content_, InnerHeight(), answer.picture, InnerWidth());
    SetInnerSize(InnerWidth(), InnerHeight() + PictureHeight(entry));
    AppendEntry(moveOn);
  }
  // Appending may have moved the entries: look this one up again.
  Entry& shown = entries_[static_cast<std::size_t>(index)];
  DescribePicture(shown, index + 1, QString::fromStdString(answer.description));
  // The error tips join this one where the pointer rests on an error.
  shown.picture->setToolTip(ClippingToolTip(answer.clipping));
  tools_->ShowEvaluation(index, std::move(notes), answer.drawnWidth);
  // Ctrl+M asked for this line's result, not for a line waiting after it.
  if (pasteAfterRun_) PasteInto(pasteAfterRun_);
  pasteAfterRun_.clear();
  if (!waiting_.empty()) {
    auto [next, line] = std::move(waiting_.front());
    waiting_.pop_front();
    Evaluate(next, std::move(line));
  }
  // After the next line has started: a listener that asks for another line
  // at once queues behind those asked for before.
  emit entryEvaluated(index);
}

void Worksheet::Interrupt() {
  InterruptEngine();
  waiting_.clear();
  emit interruptRequested();
}

void Worksheet::AppendEntry(bool takeFocus) {
  const int top = InnerHeight();
  entries_.push_back(MakeEntry(content_, fonts_.font[0], top, InnerWidth(), fonts_.lineHeight,
                               EntryCount() + 1));
  QLineEdit* input = entries_.back().input;
  help_->Watch(input);
  tools_->EntryAdded(EntryCount() - 1);
  // Typing into a line scrolled out of view brings it back.
  const auto follow = [this, input] {
    if (input->hasFocus()) ScrollToShow(*this, *input, true);
  };
  connect(input, &QLineEdit::textEdited, this, follow);
  connect(input, &QLineEdit::cursorPositionChanged, this, follow);
  SetInnerSize(InnerWidth(), top + fonts_.lineHeight);
  if (takeFocus) FocusEntry(EntryCount() - 1);
}

void Worksheet::WidenTo(int width) {
  SetInnerSize(width, InnerHeight());
  for (Entry& entry : entries_) SetEntryWidth(entry, width);
}

void Worksheet::FocusEntry(int index) {
  QLineEdit* input = entries_[static_cast<std::size_t>(index)].input;
  input->setFocus();
  ScrollToShow(*this, *input, false);
}

void Worksheet::PasteLastResult() {
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (!field) return;
  // The result wanted may well be the running line's: the paste waits for it.
  if (running_ >= 0) {
    pasteAfterRun_ = field;
    return;
  }
  PasteInto(field);
}

void Worksheet::PasteInto(QLineEdit* target) {
  auto text = std::make_shared<std::optional<std::string>>();
  // The text of a value whose parts are shared can be far larger than the
  // value: printing it can take long enough to need the busy cursor and Esc.
  Post([evaluator = evaluator_.get(), text] { *text = evaluator->LastResultText(); },
       [field = QPointer<QLineEdit>(target), text] {
         if (field && *text) field->setText(QString::fromStdString(**text));
       });
}

}  // namespace symcalc::gui
