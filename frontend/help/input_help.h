// Help while typing in the worksheet's input lines: completion of names, the
// hint about the call the cursor is in, and F1 for the reference. Every
// engine call (reading the user's names, drawing the reference's examples)
// goes through RunOnEngine.
#pragma once

#include <QObject>
#include <QPointer>

#include "fonts.h"
#include "user_names.h"

class QAbstractScrollArea;
class QLabel;
class QLineEdit;

namespace symcalc::gui::help {

class CompletionPopup;
class ReferenceWindow;
struct Candidate;

class InputHelp : public QObject {
  Q_OBJECT

 public:
  // `sheet` holds the input lines; the overlays and the reference window
  // belong to its window.
  InputHelp(QAbstractScrollArea* sheet, const WorksheetFonts& fonts);

  // Starts helping in `line`.
  void Watch(QLineEdit* line);

  // What is showing, for tests; null until first needed.
  const CompletionPopup* Popup() const { return popup_; }
  const QLabel* Hint() const { return hint_; }
  ReferenceWindow* Reference() const { return reference_; }
  const UserNames& Names() const { return names_; }
  // True while the user's names are being read from the engine.
  bool ReadingNames() const { return refreshing_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool PopupOpen() const;
  void Complete(QLineEdit* line, bool mayOpen);
  void Accept(QLineEdit* line, const Candidate& candidate);
  void ClosePopup();
  void UpdateHint(QLineEdit* line);
  void HideHint();
  void OpenReference(QLineEdit* line);
  void PasteExample(const QString& text);
  void ReturnToSheet();
  void RefreshNames();
  QWidget* Window() const;

  QAbstractScrollArea* sheet_;
  WorksheetFonts fonts_;
  CompletionPopup* popup_ = nullptr;
  QLabel* hint_ = nullptr;
  ReferenceWindow* reference_ = nullptr;
  // The line that had the focus last: F1's line, and where examples go.
  QPointer<QLineEdit> active_;
  UserNames names_;
  bool refreshing_ = false;
  bool refreshAgain_ = false;
  bool accepting_ = false;
  bool hintUnder_ = false;  // the hint sits under the line, not beside it
  // Letters were typed while the names were being read: once they arrive,
  // the list may open for them.
  bool openWhenNamesArrive_ = false;
};

}  // namespace symcalc::gui::help
