#include "clipboard/clipboard_formats.h"

#include <QBuffer>
#include <QMimeData>

namespace symcalc::gui {
namespace {

const QString kPrompt = QStringLiteral("> ");

// An image the size it is shown: a picture drawn at a higher pixel ratio
// keeps its size on the page.
QString HtmlImage(const QImage& image, const QString& alt) {
  const qreal ratio = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
  return QStringLiteral("<img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\" alt=\"%4\">")
      .arg(QString::fromLatin1(PngOf(image).toBase64()))
      .arg(qRound(image.width() / ratio))
      .arg(qRound(image.height() / ratio))
      .arg(alt.toHtmlEscaped());
}

}  // namespace

QByteArray PngOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QMimeData* ResultsMimeData(const CopiedResults& copied) {
  auto* mime = new QMimeData;
  if (copied.text)
    mime->setText(*copied.text);
  else if (copied.latex)
    mime->setText(*copied.latex);
  if (copied.latex)
    for (const QString& type : kLatexMimeTypes) mime->setData(type, copied.latex->toUtf8());
  if (!copied.image.isNull()) {
    mime->setImageData(copied.image);
    mime->setData(kPngMimeType, PngOf(copied.image));
  }
  return mime;
}

QMimeData* WorksheetMimeData(const std::vector<SheetLine>& lines) {
  QString text;
  QString html = QStringLiteral("<html><body>\n");
  for (const SheetLine& line : lines) {
    text += kPrompt + line.input + '\n';
    if (!line.results.isEmpty()) text += line.results + '\n';
    html += QStringLiteral("<p><code>%1</code></p>\n").arg((kPrompt + line.input).toHtmlEscaped());
    if (!line.picture.isNull())
      html += QStringLiteral("<p>%1</p>\n").arg(HtmlImage(line.picture, line.results));
  }
  html += QStringLiteral("</body></html>\n");
  auto* mime = new QMimeData;
  mime->setText(text);
  mime->setHtml(html);
  return mime;
}

QString InputsText(const std::vector<QString>& inputs) {
  QString text;
  for (const QString& input : inputs)
    if (!input.trimmed().isEmpty()) text += input + '\n';
  return text;
}

}  // namespace symcalc::gui
