#include "entry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <limits>

namespace symcalc::gui {
namespace {

void PaintWhite(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::white);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

Entry MakeEntry(QWidget* parent, const QFont& font, int y, int width, int lineHeight) {
  Entry entry;
  entry.prompt = new QLabel(QString::fromLatin1(kPrompt), parent);
  entry.prompt->setFont(font);
  PaintWhite(entry.prompt);
  entry.prompt->setGeometry(0, y, kPromptWidth, lineHeight);

  entry.input = new QLineEdit(parent);
  entry.input->setFont(font);
  entry.input->setFrame(false);
  // The default limit of 32767 characters would silently cut a long result
  // pasted with Ctrl+M.
  entry.input->setMaxLength(std::numeric_limits<int>::max());
  entry.input->setGeometry(kPromptWidth, y, width - kPromptWidth, lineHeight);

  entry.prompt->show();
  entry.input->show();
  return entry;
}

void AddPicture(Entry& entry, QWidget* parent, int y, const QImage& image, int width) {
  entry.picture = new QLabel(parent);
  entry.picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PaintWhite(entry.picture);
  entry.picture->move(0, y);
  SetPicture(entry, image, width);
  entry.picture->show();
}

int PictureHeight(const Entry& entry) {
  if (!entry.picture || entry.picture->pixmap().isNull()) return 0;
  return entry.picture->height();
}

void SetPicture(Entry& entry, const QImage& image, int width) {
  if (image.isNull()) {
    entry.picture->clear();
    entry.picture->resize(0, 0);
    return;
  }
  entry.picture->setPixmap(QPixmap::fromImage(image));
  entry.picture->resize(std::max(width, image.width()), image.height());
}

void MoveEntry(Entry& entry, int dy) {
  for (QWidget* widget : {static_cast<QWidget*>(entry.prompt), static_cast<QWidget*>(entry.input),
                          static_cast<QWidget*>(entry.picture)}) {
    if (widget) widget->move(widget->x(), widget->y() + dy);
  }
}

void MarkRunning(Entry& entry, bool running) {
  entry.prompt->setText(QString::fromLatin1(running ? kRunningPrompt : kPrompt));
}

void SetEntryWidth(Entry& entry, int width) {
  entry.input->resize(width - kPromptWidth, entry.input->height());
  if (PictureHeight(entry) > 0) entry.picture->resize(width, entry.picture->height());
}

}  // namespace symcalc::gui
