#include "entry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <limits>

#include "keep_in_view.h"
#include "picture_size.h"

namespace symcalc::gui {
namespace {

void PaintWhite(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::white);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

Entry MakeEntry(QWidget* parent, const QFont& font, int y, int width, int lineHeight, int number) {
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
  entry.input->setAccessibleName(QStringLiteral("input line %1").arg(number));
  FocusOnClick(entry.prompt, entry.input);

  entry.prompt->show();
  entry.input->show();
  return entry;
}

void AddPicture(Entry& entry, QWidget* parent, int y, const QImage& image, int width) {
  entry.picture = new QLabel(parent);
  entry.picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PaintWhite(entry.picture);
  FocusOnClick(entry.picture, entry.input);
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
  const QSize size = LogicalSize(image);
  entry.picture->resize(std::max(width, size.width()), size.height());
}

void DescribePicture(Entry& entry, int number, const QString& description) {
  entry.picture->setAccessibleName(QStringLiteral("result of line %1").arg(number));
  entry.picture->setAccessibleDescription(description);
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
  if (PictureHeight(entry) == 0) return;
  const QImage picture = entry.picture->pixmap().toImage();
  if (LogicalSize(picture).width() < width)
    entry.picture->setPixmap(QPixmap::fromImage(WidenedPicture(picture, width)));
  entry.picture->resize(width, entry.picture->height());
}

}  // namespace symcalc::gui
