// Everything the worksheet does with a line's results besides drawing them:
// the menus and the key that copy them to the clipboard, lines pasted back
// in, and where an error lies, marked in the input and explained on the
// picture. Every engine call is a job on the engine's thread, posted in turn
// with the worksheet's lines, and a result's text is only made when the user
// asks for it.
#pragma once

#include <QImage>
#include <QObject>

#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "errors/error_notes.h"

class QHelpEvent;
class QPoint;

namespace symcalc::gui {

class LineFeeder;
class ResultStore;
class Worksheet;

struct CopyFormats {
  bool text = false;
  bool latex = false;
  bool image = false;
};

class ResultTools : public QObject {
  Q_OBJECT

 public:
  explicit ResultTools(Worksheet& sheet);
  ~ResultTools() override;

  // Hooks of the worksheet. A new entry:
  void EntryAdded(int index);
  // What the job that evaluates the entry's line does with its values once
  // they are measured, on the engine's thread: keeps copies of them for the
  // copy actions and finds their errors. It holds the kept values, so it goes
  // into the job, whose captures are let go of where the engine runs, and
  // never into a `done`.
  using NoteTaker = std::function<LineNotes(std::string_view line,
                                            const std::vector<Value*>& results,
                                            const std::vector<FormulaBox>& boxes)>;
  NoteTaker AfterEvaluation(int index) const;
  // On the window thread, once the entry's picture shows; `drawnWidth` is
  // how far in from the left its picture has anything drawn.
  void ShowEvaluation(int index, LineNotes notes, int drawnWidth);

  // The actions of the menus and of Ctrl+Shift+C. A text that Esc cut short
  // is not copied: the clipboard keeps what it held.
  void CopyResults(int index, CopyFormats formats);
  void CopyAllInputs();
  void CopyWorksheet();

  // What the entry's input field has marked, until it is edited.
  std::vector<TextSpan> MarkedSpans(int index) const;

 signals:
  // The clipboard now holds what a copy action asked for.
  void copied();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct EntryState {
    QString settled;  // the input's text as it was before a paste of several lines
    int drawnWidth = 0;
    std::vector<ErrorNote> errors;
    std::vector<TextSpan> marked;
  };

  int IndexOf(const QObject* widget) const;
  QImage CopiedPicture(int index) const;
  void ShowInputMenu(int index, const QPoint& where);
  void ShowPictureMenu(int index, const QPoint& where);
  void ShowTip(int index, const QHelpEvent& event);
  void TextChanged(int index, const QString& text);
  void TakePastedLines(int index);

  Worksheet& sheet_;
  std::shared_ptr<ResultStore> store_;
  LineFeeder* feeder_;
  std::vector<EntryState> entries_;
  std::unordered_map<const QObject*, int> owners_;  // input fields and pictures
};

}  // namespace symcalc::gui
