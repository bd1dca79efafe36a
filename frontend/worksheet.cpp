#include "worksheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>
#include <string>

#include "result_picture.h"
#include "result_tools.h"

namespace symcalc::gui {

Worksheet::Worksheet(const WorksheetFonts& fonts, QWidget* parent)
    : QScrollArea(parent), fonts_(fonts), content_(new QWidget), tools_(new ResultTools(*this)) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  setWidget(content_);
  content_->resize(kInitialInnerWidth, 0);
  horizontalScrollBar()->setSingleStep(kScrollStep);
  verticalScrollBar()->setSingleStep(kScrollStep);
  AppendEntry();
  InstallShortcuts(this, [this](ShortcutEvent event) { HandleShortcut(event); });
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
  }
}

Worksheet::Outcome Worksheet::EvaluateActiveEntry() { return EvaluateEntry(ActiveEntry()); }

Worksheet::Outcome Worksheet::EvaluateEntry(int index) {
  if (index < 0 || index >= EntryCount() || evaluating_) return Outcome::Continue;
  // No events are processed until the evaluation is over, so nothing else can
  // reach the engine meanwhile; the flag covers code that pumps events anyway.
  evaluating_ = true;
  const Outcome outcome = Evaluate(index);
  evaluating_ = false;
  if (outcome == Outcome::Quit)
    emit quitRequested();
  else
    emit entryEvaluated(index);
  return outcome;
}

Worksheet::Outcome Worksheet::Evaluate(int index) {
  const std::string line = entries_[static_cast<std::size_t>(index)].input->text().toStdString();
  if (!evaluator_.Evaluate(line)) return Outcome::Quit;

  const std::vector<Value*>& results = evaluator_.Results();
  const PictureLayout layout = MeasureResults(results, fonts_);
  if (layout.width > InnerWidth()) WidenTo(layout.width);
  const QImage image = DrawResults(results, layout, fonts_);
  LineNotes notes = tools_->AfterEvaluation(index, line, results, layout.boxes);

  Entry& entry = entries_[static_cast<std::size_t>(index)];
  if (entry.picture) {
    const int before = PictureHeight(entry);
    SetPicture(entry, image, InnerWidth());
    const int shift = PictureHeight(entry) - before;
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < entries_.size(); ++i)
      MoveEntry(entries_[i], shift);
    SetInnerSize(InnerWidth(), InnerHeight() + shift);
    FocusEntry(index + 1);
  } else {
    AddPicture(entry, content_, InnerHeight(), image, InnerWidth());
    SetInnerSize(InnerWidth(), InnerHeight() + PictureHeight(entry));
    AppendEntry();
  }
  tools_->ShowEvaluation(index, std::move(notes));
  return Outcome::Continue;
}

void Worksheet::AppendEntry() {
  const int top = InnerHeight();
  entries_.push_back(MakeEntry(content_, fonts_.font[0], top, InnerWidth(), fonts_.lineHeight));
  tools_->EntryAdded(EntryCount() - 1);
  entries_.back().input->setFocus();
  SetInnerSize(InnerWidth(), top + fonts_.lineHeight);
  verticalScrollBar()->setValue(top + fonts_.lineHeight);
}

void Worksheet::WidenTo(int width) {
  SetInnerSize(width, InnerHeight());
  for (Entry& entry : entries_) SetEntryWidth(entry, width);
}

void Worksheet::FocusEntry(int index) {
  QLineEdit* input = entries_[static_cast<std::size_t>(index)].input;
  input->setFocus();
  // Keep the focused line in view vertically only: a line is as wide as the
  // widest result, and jumping sideways to centre it would lose the prompt.
  QScrollBar* bar = verticalScrollBar();
  const int top = input->y();
  const int bottom = top + input->height();
  const int visible = viewport()->height();
  if (top < bar->value())
    bar->setValue(top);
  else if (bottom > bar->value() + visible)
    bar->setValue(bottom - visible);
}

void Worksheet::PasteLastResult() {
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  const std::optional<std::string> text = evaluator_.LastResultText();
  if (field && text) field->setText(QString::fromStdString(*text));
}

}  // namespace symcalc::gui
