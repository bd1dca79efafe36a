// What the worksheet puts on the clipboard, as one entry with several
// formats, so that each program pasting takes the one it understands: a
// text editor the text, a word processor the picture or the HTML, a LaTeX
// editor the LaTeX.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QMimeData;

namespace symcalc::gui {

inline const QString kPngMimeType = QStringLiteral("image/png");
// Both names are in use for LaTeX source.
inline const QStringList kLatexMimeTypes = {QStringLiteral("text/x-latex"),
                                            QStringLiteral("application/x-latex")};

struct CopiedResults {
  std::optional<QString> text;   // the text form, one value per line
  std::optional<QString> latex;  // one formula per line
  QImage image;                  // the picture, as wide as its results; null for none
};

// Plain text is the text form when there is one, else the LaTeX.
QMimeData* ResultsMimeData(const CopiedResults& copied);

struct SheetLine {
  QString input;
  QString results;  // the text form, one value per line
  QImage picture;   // null when the line shows none
};

// The lines as plain text (each input after a prompt, its results under it)
// and as HTML with the pictures inline.
QMimeData* WorksheetMimeData(const std::vector<SheetLine>& lines);

// The inputs that are not blank, one per line: text that pasted back into the
// worksheet evaluates them again.
QString InputsText(const std::vector<QString>& inputs);

QByteArray PngOf(const QImage& image);

}  // namespace symcalc::gui
