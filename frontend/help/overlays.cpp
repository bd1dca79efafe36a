#include "overlays.h"

#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace symcalc::gui::help {
namespace {

constexpr int kVisibleRows = 8;
constexpr int kMaximumPopupWidth = 420;
// A line edit without a frame still keeps this much room before its text.
constexpr int kTextMargin = 2;
constexpr int kGapAfterText = 12;

int TextWidth(const QLineEdit& line, int column) {
  return kTextMargin + line.fontMetrics().horizontalAdvance(line.text().left(column));
}

}  // namespace

CompletionPopup::CompletionPopup(QWidget* window, std::function<void(const Candidate&)> accept)
    : QListWidget(window) {
  setFocusPolicy(Qt::NoFocus);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUniformItemSizes(true);
  hide();
  connect(this, &QListWidget::itemClicked, this, [this, accept](QListWidgetItem* item) {
    const int index = row(item);
    if (index >= 0 && index < static_cast<int>(candidates_.size())) accept(candidates_[index]);
  });
}

void CompletionPopup::Offer(std::vector<Candidate> candidates, const QLineEdit& line,
                            int nameStart, int below) {
  candidates_ = std::move(candidates);
  clear();
  int widest = 0;
  for (const Candidate& candidate : candidates_) {
    addItem(candidate.label);
    widest = std::max(widest, fontMetrics().horizontalAdvance(candidate.label));
  }
  setCurrentRow(0);
  const int rows = std::min(kVisibleRows, count());
  const int rowHeight = std::max(sizeHintForRow(0), 1);
  const int scrollBar = count() > kVisibleRows ? verticalScrollBar()->sizeHint().width() : 0;
  resize(std::min(kMaximumPopupWidth, widest + 16 + scrollBar), rows * rowHeight + 2 * frameWidth());
  PlaceUnder(*this, line, nameStart, below);
  show();
  raise();
}

const Candidate* CompletionPopup::Highlighted() const {
  const int index = currentRow();
  if (!isVisible() || index < 0 || index >= static_cast<int>(candidates_.size())) return nullptr;
  return &candidates_[index];
}

void CompletionPopup::Step(int rows) {
  setCurrentRow(std::clamp(currentRow() + rows, 0, count() - 1));
}

QLabel* MakeHintLabel(QWidget* window) {
  auto* label = new QLabel(window);
  label->setTextFormat(Qt::RichText);
  label->setFocusPolicy(Qt::NoFocus);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setForegroundRole(QPalette::ToolTipText);
  label->setBackgroundRole(QPalette::ToolTipBase);
  label->setAutoFillBackground(true);
  label->setFrameShape(QFrame::Box);
  label->setMargin(1);
  label->hide();
  return label;
}

void PlaceUnder(QWidget& overlay, const QLineEdit& line, int column, int below) {
  const QWidget* window = overlay.parentWidget();
  const QPoint origin = line.mapTo(window, QPoint(0, 0));
  int x = origin.x() + TextWidth(line, column);
  int y = origin.y() + line.height() + below;
  if (y + overlay.height() > window->height()) y = origin.y() - below - overlay.height();
  x = std::clamp(x, 0, std::max(0, window->width() - overlay.width()));
  overlay.move(x, std::max(0, y));
}

void PlaceBeside(QWidget& overlay, const QLineEdit& line) {
  const QWidget* window = overlay.parentWidget();
  const QPoint origin = line.mapTo(window, QPoint(0, 0));
  const int x = origin.x() + TextWidth(line, static_cast<int>(line.text().size())) + kGapAfterText;
  const int y = origin.y() + (line.height() - overlay.height()) / 2;
  overlay.move(std::clamp(x, 0, std::max(0, window->width() - overlay.width())), std::max(0, y));
}

}  // namespace symcalc::gui::help
