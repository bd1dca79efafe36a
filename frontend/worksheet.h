// The worksheet: a scrollable column of entries, each an input line with the
// picture of its results beneath it. New entries are only ever appended.
#pragma once

#include <QScrollArea>

#include <vector>

#include "entry.h"
#include "fonts.h"
#include "line_evaluator.h"
#include "shortcuts.h"

namespace symcalc::gui {

class ResultTools;

inline constexpr int kInitialInnerWidth = 779;
inline constexpr int kScrollStep = 25;

class Worksheet : public QScrollArea {
  Q_OBJECT

 public:
  // The engine must be initialised; the worksheet owns the values it shows.
  explicit Worksheet(const WorksheetFonts& fonts, QWidget* parent = nullptr);

  enum class Outcome { Continue, Quit };

  void HandleShortcut(ShortcutEvent event);
  // Evaluates the entry whose input field has the focus; Continue when none has.
  Outcome EvaluateActiveEntry();
  // Evaluates one entry as Return in its input field would.
  Outcome EvaluateEntry(int index);

  int EntryCount() const { return static_cast<int>(entries_.size()); }
  const Entry& EntryAt(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
  // The entry whose input field has the keyboard focus, or -1.
  int ActiveEntry() const;
  int InnerWidth() const;
  int InnerHeight() const;
  const WorksheetFonts& Fonts() const { return fonts_; }
  const LineEvaluator& Evaluator() const { return evaluator_; }
  ResultTools& Tools() const { return *tools_; }

 signals:
  // "end" or "quit" was evaluated.
  void quitRequested();
  // The entry's line was evaluated and its picture shows.
  void entryEvaluated(int index);

 private:
  void AppendEntry();
  Outcome Evaluate(int index);
  void WidenTo(int width);
  void SetInnerSize(int width, int height);
  void FocusEntry(int index);
  void PasteLastResult();

  WorksheetFonts fonts_;
  QWidget* content_;
  std::vector<Entry> entries_;
  LineEvaluator evaluator_;
  ResultTools* tools_;  // copying and pasting results, error marks and tips
  // Guards the engine, which is not reentrant, should anything called during
  // an evaluation deliver another Return.
  bool evaluating_ = false;
};

}  // namespace symcalc::gui
