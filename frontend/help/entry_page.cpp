#include "entry_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <functional>

#include "engine_access.h"
#include "example_run.h"
#include "qt_text.h"

namespace symcalc::gui::help {
namespace {

// An example's picture, in a strip of its own that scrolls sideways when the
// picture is wider than the page; a double click pastes the example.
class ExamplePicture : public QLabel {
 public:
  ExamplePicture(std::function<void()> activated, QWidget* parent)
      : QLabel(parent), activated_(std::move(activated)) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setToolTip(QStringLiteral("Double-click to paste the example into the worksheet"));
  }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    activated_();
    event->accept();
  }

 private:
  std::function<void()> activated_;
};

QScrollArea* Strip(QLabel* picture, QWidget* parent) {
  auto* strip = new QScrollArea(parent);
  strip->setFrameShape(QFrame::NoFrame);
  strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  strip->setWidget(picture);
  strip->setFixedHeight(0);
  return strip;
}

void ShowPicture(const EntryPage::ExampleRow& row, const QImage& image) {
  row.picture->setPixmap(QPixmap::fromImage(image));
  row.picture->adjustSize();
  row.strip->setFixedHeight(image.height() + row.strip->horizontalScrollBar()->sizeHint().height());
}

QLabel* WrappedText(const QString& html, QWidget* parent) {
  auto* label = new QLabel(html, parent);
  label->setWordWrap(true);
  label->setTextFormat(Qt::RichText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
  return label;
}

QString Monospace(const QString& text) {
  return QStringLiteral("<code>%1</code>").arg(text.toHtmlEscaped());
}

}  // namespace

EntryPage::EntryPage(const WorksheetFonts& fonts, QWidget* parent)
    : QScrollArea(parent), fonts_(std::make_shared<const WorksheetFonts>(fonts)) {
  setWidgetResizable(true);
  Show(nullptr);
}

void EntryPage::Show(const HelpEntry* entry) {
  entry_ = entry;
  ++generation_;
  rows_.clear();
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  if (!entry) {
    layout->addWidget(WrappedText(
        QStringLiteral("<h2>symcalc reference</h2><p>Choose an entry in the index, or type in "
                       "the search field to find names and descriptions.</p><p>In a worksheet "
                       "line, F1 opens the entry of the name the cursor is on; Tab completes a "
                       "name after two letters; Esc closes this window.</p>"),
        page));
  } else {
    layout->addWidget(WrappedText(QStringLiteral("<h2>%1</h2>").arg(ToQString(entry->name).toHtmlEscaped()), page));
    layout->addWidget(WrappedText(Monospace(ToQString(entry->usage)), page));
    layout->addWidget(WrappedText(ToQString(entry->description).toHtmlEscaped(), page));
    if (!entry->examples.empty())
      layout->addWidget(WrappedText(QStringLiteral("<b>Examples</b>"), page));
    for (const Example& example : entry->examples) AddExample(layout, example);
    if (!entry->seeAlso.empty()) {
      QStringList links;
      for (std::string_view name : entry->seeAlso) {
        const QString text = ToQString(name).toHtmlEscaped();
        links << QStringLiteral("<a href=\"%1\">%1</a>").arg(text);
      }
      QLabel* seeAlso = WrappedText(QStringLiteral("See also: ") + links.join(QStringLiteral(", ")), page);
      connect(seeAlso, &QLabel::linkActivated, this, &EntryPage::entryRequested);
      layout->addWidget(seeAlso);
    }
  }
  layout->addStretch(1);
  setWidget(page);  // the previous page goes with its widgets
}

void EntryPage::AddExample(QVBoxLayout* layout, const Example& example) {
  QWidget* page = layout->parentWidget();
  const QString line = ToQString(example.line);
  auto* row = new QHBoxLayout;
  row->addWidget(WrappedText(Monospace(line), page), 1);
  auto* paste = new QPushButton(QStringLiteral("Paste"), page);
  paste->setToolTip(QStringLiteral("Put this line into the worksheet"));
  connect(paste, &QPushButton::clicked, this, [this, line] { emit pasteRequested(line); });
  row->addWidget(paste, 0, Qt::AlignTop);
  layout->addLayout(row);
  auto* picture = new ExamplePicture([this, line] { emit pasteRequested(line); }, page);
  QScrollArea* strip = Strip(picture, page);
  layout->addWidget(strip);
  rows_.push_back({picture, paste, strip});
  Draw(std::string(example.line), rows_.back());
}

void EntryPage::Draw(const std::string& line, const ExampleRow& row) {
  if (const auto found = drawn_.find(line); found != drawn_.end()) {
    ShowPicture(row, found->second);
    return;
  }
  auto drawn = std::make_shared<ExampleOutcome>();
  const std::shared_ptr<const WorksheetFonts> fonts = fonts_;
  const int generation = generation_;
  RunOnEngine(
      this, [line, fonts, drawn] { *drawn = RunExample(line, fonts.get()); },
      [this, line, drawn, generation, row] {
        // An example that Esc cut short is drawn again the next time.
        if (drawn->interrupted) return;
        drawn_[line] = drawn->picture;
        if (generation == generation_) ShowPicture(row, drawn->picture);
      });
}

}  // namespace symcalc::gui::help
