#include "reference_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "entry_page.h"
#include "qt_text.h"

namespace symcalc::gui::help {
namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr int kWidth = 780;
constexpr int kHeight = 560;
constexpr int kIndexWidth = 240;

const HelpEntry* EntryOf(const QTreeWidgetItem* item) {
  return item ? static_cast<const HelpEntry*>(item->data(0, kEntryRole).value<const void*>())
              : nullptr;
}

bool Matches(const HelpEntry& entry, const QString& text) {
  if (ToQString(entry.name).contains(text, Qt::CaseInsensitive)) return true;
  for (std::string_view alias : entry.aliases)
    if (ToQString(alias).contains(text, Qt::CaseInsensitive)) return true;
  return ToQString(entry.description).contains(text, Qt::CaseInsensitive);
}

}  // namespace

ReferenceWindow::ReferenceWindow(const WorksheetFonts& fonts, QWidget* owner)
    : QWidget(owner, Qt::Window),
      search_(new QLineEdit),
      index_(new QTreeWidget),
      page_(new EntryPage(fonts)) {
  setWindowTitle(QString::fromLatin1(kReferenceTitle));
  resize(kWidth, kHeight);

  search_->setPlaceholderText(QStringLiteral("Search names and descriptions"));
  search_->setClearButtonEnabled(true);
  index_->setHeaderHidden(true);
  std::vector<QTreeWidgetItem*> topics(kTopicCount, nullptr);
  for (const HelpEntry& entry : Reference()) {
    QTreeWidgetItem*& topic = topics[static_cast<std::size_t>(entry.topic)];
    if (!topic) topic = new QTreeWidgetItem(index_, {ToQString(TopicTitle(entry.topic))});
    auto* item = new QTreeWidgetItem(topic, {ToQString(entry.name)});
    item->setData(0, kEntryRole, QVariant::fromValue(static_cast<const void*>(&entry)));
  }
  index_->expandAll();

  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(search_);
  leftLayout->addWidget(index_);
  auto* splitter = new QSplitter;
  splitter->addWidget(left);
  splitter->addWidget(page_);
  splitter->setSizes({kIndexWidth, kWidth - kIndexWidth});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter);

  connect(search_, &QLineEdit::textChanged, this, &ReferenceWindow::Filter);
  // Return in the search field opens the first entry found.
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    const QStringList names = ListedNames();
    if (!names.isEmpty()) ShowEntry(FindEntry(names.front().toStdString()));
  });
  connect(index_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) {
            const HelpEntry* entry = EntryOf(item);
            if (entry && entry != page_->Shown()) page_->Show(entry);
          });
  connect(page_, &EntryPage::entryRequested, this,
          [this](const QString& name) { ShowEntry(FindEntry(name.toStdString())); });
  connect(page_, &EntryPage::pasteRequested, this, &ReferenceWindow::pasteRequested);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void ReferenceWindow::OpenAt(const HelpEntry* entry) {
  search_->clear();
  if (entry) {
    ShowEntry(entry);
  } else {
    index_->setCurrentItem(nullptr);
    page_->Show(nullptr);
  }
  show();
  raise();
  activateWindow();
  if (entry) index_->setFocus();
  else search_->setFocus();
}

const HelpEntry* ReferenceWindow::Shown() const { return page_->Shown(); }

QStringList ReferenceWindow::ListedNames() const {
  QStringList names;
  for (int t = 0; t < index_->topLevelItemCount(); ++t) {
    const QTreeWidgetItem* topic = index_->topLevelItem(t);
    if (topic->isHidden()) continue;
    for (int i = 0; i < topic->childCount(); ++i)
      if (!topic->child(i)->isHidden()) names << topic->child(i)->text(0);
  }
  return names;
}

void ReferenceWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  emit closed();
}

void ReferenceWindow::Filter(const QString& text) {
  const QString wanted = text.trimmed();
  for (int t = 0; t < index_->topLevelItemCount(); ++t) {
    QTreeWidgetItem* topic = index_->topLevelItem(t);
    bool any = false;
    for (int i = 0; i < topic->childCount(); ++i) {
      QTreeWidgetItem* item = topic->child(i);
      const bool shown = wanted.isEmpty() || Matches(*EntryOf(item), wanted);
      item->setHidden(!shown);
      any = any || shown;
    }
    topic->setHidden(!any);
  }
}

void ReferenceWindow::ShowEntry(const HelpEntry* entry) {
  if (!entry) return;
  if (entry != page_->Shown()) page_->Show(entry);
  if (QTreeWidgetItem* item = ItemOf(entry)) {
    index_->setCurrentItem(item);
    index_->scrollToItem(item);
  }
}

QTreeWidgetItem* ReferenceWindow::ItemOf(const HelpEntry* entry) const {
  for (int t = 0; t < index_->topLevelItemCount(); ++t) {
    QTreeWidgetItem* topic = index_->topLevelItem(t);
    for (int i = 0; i < topic->childCount(); ++i)
      if (EntryOf(topic->child(i)) == entry) return topic->child(i);
  }
  return nullptr;
}

}  // namespace symcalc::gui::help
