// The F1 window: an index of the reference grouped by topic, a search field
// that narrows it to the entries whose names or descriptions match, and the
// chosen entry. It is not modal: the worksheet goes on working beside it.
#pragma once

#include <QWidget>

#include "fonts.h"
#include "reference.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace symcalc::gui::help {

class EntryPage;

inline constexpr const char* kReferenceTitle = "symcalc reference";

class ReferenceWindow : public QWidget {
  Q_OBJECT

 public:
  ReferenceWindow(const WorksheetFonts& fonts, QWidget* owner);

  // Shows the window (raised and active) at the entry, or at the index.
  void OpenAt(const HelpEntry* entry);

  const HelpEntry* Shown() const;
  QLineEdit* Search() const { return search_; }
  EntryPage* Page() const { return page_; }
  // The names the index lists under the current search, in order.
  QStringList ListedNames() const;

 signals:
  void pasteRequested(const QString& line);
  void closed();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Filter(const QString& text);
  void ShowEntry(const HelpEntry* entry);
  QTreeWidgetItem* ItemOf(const HelpEntry* entry) const;

  QLineEdit* search_;
  QTreeWidget* index_;
  EntryPage* page_;
};

}  // namespace symcalc::gui::help
