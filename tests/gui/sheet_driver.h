// Drives a real worksheet window the way a user does: keys go to whichever
// widget has the keyboard focus. Key() and the helpers built on it wait until
// the engine has finished what the key asked of it, so that a test reads the
// outcome; Press() does not wait.
#pragma once

#include <QImage>
#include <QString>

#include <future>
#include <memory>

#include "engine_thread.h"
#include "main_window.h"
#include "worksheet.h"

namespace symcalc::gui::test {

class SheetDriver {
 public:
  // Starts a fresh engine on its thread and opens an active window on it.
  SheetDriver();
  // Closes the window (releasing its values) and stops the engine, first
  // interrupting whatever still runs.
  ~SheetDriver();

  bool Ready() const { return ready_; }
  MainWindow& Window() { return *window_; }
  Worksheet& Sheet() { return *window_->Sheet(); }

  QWidget* Focused() const;
  void Type(const QString& text);
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Types the line into the focused field and presses Return.
  void Enter(const QString& line);
  // Puts the line into the focused field and presses Return without waiting.
  void Start(const QString& line);
  // Selects the focused field's text and types over it.
  void Retype(const QString& line);
  // Ctrl+M in the focused field; returns the field's text afterwards.
  QString PasteLast();

  // Puts the text on the clipboard and pastes it into the focused field.
  void Paste(const QString& text);
  // The same without waiting for the engine.
  void StartPaste(const QString& text);
  // Right-clicks the widget and chooses the entry of its menu with that
  // text; false when there is no such menu or entry.
  bool ChooseFromMenu(QWidget* widget, const QString& entry);
  // Runs the event loop until the worksheet has that many entries; false
  // when no evaluation ends for ten seconds before.
  bool WaitForEntries(int count);
  // Copies one entry's results as text, as its picture's menu does.
  QString CopiedText(int entry);

  QString InputText(int entry) const;
  QImage Picture(int entry) const;
  // Height of a one-line result at level 1: half a space above and below.
  int TextResultHeight() const;
  int TextResultWidth(const QString& text) const;

 private:
  EngineThread engine_;  // made first and gone last: the window uses it
  std::unique_ptr<MainWindow> window_;
  bool ready_ = false;
};

// Keeps the engine's thread busy until released, so that what a test asks
// meanwhile has to wait its turn. While it holds, Key() would wait for it:
// use Press().
class EngineHold {
 public:
  EngineHold();
  ~EngineHold() { Release(); }
  EngineHold(const EngineHold&) = delete;
  EngineHold& operator=(const EngineHold&) = delete;
  void Release();

 private:
  std::promise<void> released_;
  bool held_ = true;
};

// Computed at once, but its parts are shared so widely that its text runs to
// more than a billion characters.
QString DeterminantWithXOnTheDiagonal();

// The clipboard's PNG decoded, in the format the pictures use.
QImage ClipboardPng();

// True when any pixel in the rectangle is darker than mid-grey.
bool HasInk(const QImage& image, const QRect& area);

// True when `part` is `whole` cut back to its first columns, all rows kept,
// and everything cut away is white.
bool IsLeftPartOf(const QImage& part, const QImage& whole);

}  // namespace symcalc::gui::test
