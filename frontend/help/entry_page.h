// One entry of the reference, as the F1 window shows it: its usage, what it
// does, its examples drawn as the worksheet draws results, each with a
// button that pastes it into the worksheet, and links to related entries.
#pragma once

#include <QImage>
#include <QScrollArea>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fonts.h"
#include "reference.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace symcalc::gui::help {

class EntryPage : public QScrollArea {
  Q_OBJECT

 public:
  EntryPage(const WorksheetFonts& fonts, QWidget* parent = nullptr);

  // Null shows the overview that goes with the index.
  void Show(const HelpEntry* entry);
  const HelpEntry* Shown() const { return entry_; }

  struct ExampleRow {
    QLabel* picture = nullptr;  // empty until the engine has drawn it
    QPushButton* paste = nullptr;
    QScrollArea* strip = nullptr;  // holds the picture
  };
  const std::vector<ExampleRow>& Examples() const { return rows_; }

 signals:
  void pasteRequested(const QString& line);
  void entryRequested(const QString& name);

 private:
  void AddExample(QVBoxLayout* layout, const Example& example);
  void Draw(const std::string& line, const ExampleRow& row);

  std::shared_ptr<const WorksheetFonts> fonts_;
  const HelpEntry* entry_ = nullptr;
  std::vector<ExampleRow> rows_;
  // Pictures already drawn, by example line; an entry shown again is not
  // drawn again.
  std::map<std::string, QImage> drawn_;
  // Counts the pages shown, so a picture that arrives late lands only on the
  // page that asked for it.
  int generation_ = 0;
};

}  // namespace symcalc::gui::help
