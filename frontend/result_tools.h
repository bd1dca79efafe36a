// Everything the worksheet does with a line's results besides drawing them:
// the menus and the key that copy them to the clipboard, lines pasted back
// in, and where an error lies, marked in the input and explained on the
// picture. Every engine call goes through RunOnEngine, and a result's text is
// only made when the user asks for it.
#pragma once

#include <QObject>

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
  // Where the engine runs, in the job that evaluated the entry's line: keeps
  // copies of its values and finds its errors.
  LineNotes AfterEvaluation(int index, std::string_view line, const std::vector<Value*>& results,
                            const std::vector<FormulaBox>& boxes);
  // On the window thread, once the entry's picture shows.
  void ShowEvaluation(int index, LineNotes notes);

  // The actions of the menus and of Ctrl+Shift+C.
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
    std::vector<ErrorNote> errors;
    std::vector<TextSpan> marked;
  };

  int IndexOf(const QObject* widget) const;
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
