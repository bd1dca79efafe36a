// The worksheet: a scrollable column of entries, each an input line with the
// picture of its results beneath it. New entries are only ever appended.
// Lines are evaluated on the engine's thread, one at a time; meanwhile the
// worksheet shows that it is busy and goes on taking keys.
#pragma once

#include <QPointer>
#include <QScrollArea>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "entry.h"
#include "fonts.h"
#include "line_evaluator.h"
#include "shortcuts.h"

class QLineEdit;

namespace symcalc::gui {

class ResultTools;
struct EvaluatedLine;
struct LineNotes;
namespace help {
class InputHelp;
}

inline constexpr int kInitialInnerWidth = 779;
inline constexpr int kScrollStep = 25;

class Worksheet : public QScrollArea {
  Q_OBJECT

 public:
  // An engine must be running (engine_thread.h). The worksheet owns the values
  // it shows and hands them back to the engine's thread when it goes.
  explicit Worksheet(const WorksheetFonts& fonts, QWidget* parent = nullptr);
  ~Worksheet() override;

  void HandleShortcut(ShortcutEvent event);
  // Hands the entry whose input field has the focus to the engine; false when
  // none has, or while a line is still running.
  bool EvaluateActiveEntry();
  // Evaluates the entry's line as it reads now, as Return in its field would:
  // at once, or while a line runs, after it and every line asked for before.
  // entryEvaluated reports when its picture shows. Esc drops the lines still
  // waiting.
  void EvaluateEntry(int index);
  // Hands a job to the engine (RunOnEngine); the busy cursor shows until its
  // answer is in. `done` runs only while the worksheet exists.
  void Post(std::function<void()> job, std::function<void()> done);

  int EntryCount() const { return static_cast<int>(entries_.size()); }
  const Entry& EntryAt(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
  // The entry whose input field has the keyboard focus, or -1.
  int ActiveEntry() const;
  // The entry being evaluated, or -1.
  int RunningEntry() const { return running_; }
  int InnerWidth() const;
  int InnerHeight() const;
  const WorksheetFonts& Fonts() const { return fonts_; }
  // Belongs to the engine's thread; others may read it only while no engine
  // work is pending.
  const LineEvaluator& Evaluator() const { return *evaluator_; }
  // Completion, hints and F1 in the input lines.
  help::InputHelp& Help() const { return *help_; }
  ResultTools& Tools() const { return *tools_; }

 signals:
  // "end" or "quit" was evaluated.
  void quitRequested();
  // The entry's line was evaluated (or interrupted) and its picture shows.
  void entryEvaluated(int index);
  // Esc: the running line and every job posted so far are asked to stop, and
  // the lines waiting their turn are dropped.
  void interruptRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AppendEntry(bool takeFocus);
  void Evaluate(int index, std::string line);
  void Finish(int index, const EvaluatedLine& answer, LineNotes notes);
  void Interrupt();
  void WidenTo(int width);
  void SetInnerSize(int width, int height);
  void FocusEntry(int index);
  void PasteLastResult();
  void PasteInto(QLineEdit* field);

  WorksheetFonts fonts_;
  QWidget* content_;
  std::vector<Entry> entries_;
  std::shared_ptr<LineEvaluator> evaluator_;
  ResultTools* tools_;  // copying and pasting results, error marks and tips
  int running_ = -1;
  // Lines asked for while another ran, in order, each as it read when asked.
  std::deque<std::pair<int, std::string>> waiting_;
  int jobsPending_ = 0;
  // Ctrl+M pressed while a line runs: the field waits for the line's result.
  QPointer<QLineEdit> pasteAfterRun_;
  help::InputHelp* help_ = nullptr;
};

}  // namespace symcalc::gui
