#include "errors/error_marks.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextCharFormat>

#include <algorithm>

namespace symcalc::gui {
namespace {

// A line field draws extra formats only as those of a composition in
// progress: an input-method event without text carries them, placed relative
// to the cursor, and leaves the text and the cursor as they are.
void SendFormats(QLineEdit* field, const QList<QInputMethodEvent::Attribute>& formats) {
  QInputMethodEvent event(QString(), formats);
  QCoreApplication::sendEvent(field, &event);
}

}  // namespace

void MarkSpans(QLineEdit* field, const std::vector<TextSpan>& spans) {
  QTextCharFormat wave;
  wave.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  wave.setUnderlineColor(Qt::red);
  const int cursor = field->cursorPosition();
  const int size = static_cast<int>(field->text().size());
  QList<QInputMethodEvent::Attribute> formats;
  for (const TextSpan& span : spans) {
    const int start = std::clamp(span.start, 0, size);
    const int length = std::clamp(span.length, 0, size - start);
    if (length > 0)
      formats.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, start - cursor,
                                                  length, wave));
  }
  SendFormats(field, formats);
}

void ClearMarks(QLineEdit* field) { SendFormats(field, {}); }

}  // namespace symcalc::gui
