#include "result_tools.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QToolTip>

#include "clipboard/clipboard_formats.h"
#include "clipboard/line_paste.h"
#include "clipboard/result_store.h"
#include "clipboard/result_texts.h"
#include "engine_access.h"
#include "errors/error_marks.h"
#include "picture_size.h"
#include "worksheet.h"

namespace symcalc::gui {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Only the clipboard: the primary selection keeps what the user selected.
void Publish(QMimeData* mime) {
  QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
}

}  // namespace

ResultTools::ResultTools(Worksheet& sheet)
    : QObject(&sheet),
      sheet_(sheet),
      store_(std::make_shared<ResultStore>()),
      feeder_(new LineFeeder(sheet)) {
  auto* copy = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &sheet);
  copy->setContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QShortcut::activated, this, [this] {
    CopyResults(sheet_.ActiveEntry(), CopyFormats{.text = true, .latex = true, .image = true});
  });
}

// The kept values go where the engine runs, after every job already asked
// for, and are released there.
ResultTools::~ResultTools() {
  RunOnEngine(nullptr, [store = std::move(store_)]() mutable { store.reset(); });
}

void ResultTools::EntryAdded(int index) {
  if (index >= static_cast<int>(entries_.size()))
    entries_.resize(static_cast<std::size_t>(index) + 1);
  QLineEdit* input = sheet_.EntryAt(index).input;
  owners_[input] = index;
  input->installEventFilter(this);
  connect(input, &QLineEdit::textChanged, this,
          [this, index](const QString& text) { TextChanged(index, text); });
  // Deferred: the field is still inside its own paste when it reports.
  connect(input, &QLineEdit::textEdited, this, [this, index](const QString& text) {
    if (HasLineBreak(text))
      QMetaObject::invokeMethod(this, [this, index] { TakePastedLines(index); },
                                Qt::QueuedConnection);
  });
}

ResultTools::NoteTaker ResultTools::AfterEvaluation(int index) const {
  return [store = store_, index](std::string_view line, const std::vector<Value*>& results,
                                 const std::vector<FormulaBox>& boxes) {
    store->Keep(index, results);
    LineNotes notes = NoteLineErrors(line, results, boxes);
    // An Esc during the search may have cut an offending text short, and a
    // piece of it can stand elsewhere in the line: better no mark than a
    // wrong one.
    if (CancelPending())
      for (ErrorNote& note : notes.errors) note.located = false;
    return notes;
  };
}

void ResultTools::ShowEvaluation(int index, LineNotes notes, int drawnWidth) {
  const Entry& entry = sheet_.EntryAt(index);
  EntryState& state = entries_.at(static_cast<std::size_t>(index));
  state.drawnWidth = drawnWidth;
  if (entry.picture && !owners_.count(entry.picture)) {
    owners_[entry.picture] = index;
    entry.picture->installEventFilter(this);
  }
  state.errors = std::move(notes.errors);
  std::vector<TextSpan> marks;
  // An input edited meanwhile no longer holds the text the errors point into.
  if (notes.line == entry.input->text())
    for (const ErrorNote& note : state.errors)
      if (note.located) marks.push_back(note.span);
  // A line without marks before or after is left alone, composition included.
  if (marks.empty() && state.marked.empty()) return;
  state.marked = std::move(marks);
  MarkSpans(entry.input, state.marked);
}

std::vector<TextSpan> ResultTools::MarkedSpans(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return {};
  return entries_[static_cast<std::size_t>(index)].marked;
}

void ResultTools::TextChanged(int index, const QString& text) {
  EntryState& state = entries_.at(static_cast<std::size_t>(index));
  if (!HasLineBreak(text)) state.settled = text;
  if (!state.marked.empty()) {
    state.marked.clear();
    ClearMarks(sheet_.EntryAt(index).input);
  }
}

void ResultTools::TakePastedLines(int index) {
  QLineEdit* input = sheet_.EntryAt(index).input;
  const QString text = input->text();
  if (!HasLineBreak(text)) return;
  const bool lastAndEmpty = index == sheet_.EntryCount() - 1 &&
                            entries_.at(static_cast<std::size_t>(index)).settled.isEmpty();
  if (lastAndEmpty)
    feeder_->Feed(PastedLines(text));
  else
    input->setText(JoinedLines(text));
}

// The picture as the entry shows it, at the pixel ratio it was drawn, but only
// as wide as its results: the white that fills the worksheet to its width
// would be most of a picture pasted elsewhere.
QImage ResultTools::CopiedPicture(int index) const {
  const Entry& entry = sheet_.EntryAt(index);
  if (PictureHeight(entry) == 0) return {};
  return NarrowedPicture(entry.picture->pixmap().toImage(),
                         entries_.at(static_cast<std::size_t>(index)).drawnWidth);
}

int ResultTools::IndexOf(const QObject* widget) const {
  const auto it = owners_.find(widget);
  return it == owners_.end() ? -1 : it->second;
}

bool ResultTools::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ContextMenu && event->type() != QEvent::ToolTip)
    return QObject::eventFilter(watched, event);
  const int index = IndexOf(watched);
  if (index < 0) return QObject::eventFilter(watched, event);
  const bool onInput = watched == sheet_.EntryAt(index).input;
  if (event->type() == QEvent::ContextMenu) {
    const QPoint where = static_cast<QContextMenuEvent*>(event)->globalPos();
    if (onInput)
      ShowInputMenu(index, where);
    else
      ShowPictureMenu(index, where);
    return true;
  }
  if (onInput) return QObject::eventFilter(watched, event);
  ShowTip(index, *static_cast<QHelpEvent*>(event));
  return true;
}

void ResultTools::ShowInputMenu(int index, const QPoint& where) {
  QMenu* menu = sheet_.EntryAt(index).input->createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addSeparator();
  menu->addAction(tr("Copy all inputs"), this, &ResultTools::CopyAllInputs);
  menu->addAction(tr("Copy worksheet"), this, &ResultTools::CopyWorksheet);
  menu->popup(where);
}

void ResultTools::ShowPictureMenu(int index, const QPoint& where) {
  if (PictureHeight(sheet_.EntryAt(index)) == 0) return;
  auto* menu = new QMenu(sheet_.EntryAt(index).picture);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(tr("Copy as text"), this,
                  [this, index] { CopyResults(index, CopyFormats{.text = true}); });
  menu->addAction(tr("Copy as LaTeX"), this,
                  [this, index] { CopyResults(index, CopyFormats{.latex = true}); });
  menu->addAction(tr("Copy as image"), this,
                  [this, index] { CopyResults(index, CopyFormats{.image = true}); });
  menu->popup(where);
}

void ResultTools::ShowTip(int index, const QHelpEvent& event) {
  QLabel* picture = sheet_.EntryAt(index).picture;
  // The picture's own tip says whether it is cut off: true anywhere on it,
  // so it goes under an error's tip as well.
  const QString cut = picture->toolTip();
  for (const ErrorNote& note : entries_.at(static_cast<std::size_t>(index)).errors) {
    if (event.pos().y() < note.top || event.pos().y() >= note.top + note.height) continue;
    // The tip stays while the pointer is over the same error.
    QToolTip::showText(event.globalPos(), cut.isEmpty() ? note.tip : note.tip + u'\n' + cut,
                       picture, QRect(0, note.top, picture->width(), note.height));
    return;
  }
  if (cut.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(event.globalPos(), cut, picture);
}

void ResultTools::CopyResults(int index, CopyFormats formats) {
  if (index < 0 || index >= sheet_.EntryCount() || PictureHeight(sheet_.EntryAt(index)) == 0)
    return;
  struct Texts {
    std::string text;
    std::string latex;
    bool cut = false;
  };
  auto texts = std::make_shared<Texts>();
  // Through the worksheet, in turn with its lines: a value's text can take
  // long enough to print to need the busy cursor, and Esc.
  sheet_.Post(
      [store = store_, index, formats, texts] {
        const std::vector<Value*>& values = store->Of(index);
        if (formats.text) texts->text = ResultsText(values);
        if (formats.latex) texts->latex = ResultsLatex(values);
        texts->cut = (formats.text || formats.latex) && CancelPending();
      },
      [this, index, formats, texts] {
        if (texts->cut) return;
        CopiedResults copied;
        if (formats.text) copied.text = FromUtf8(texts->text);
        if (formats.latex) copied.latex = FromUtf8(texts->latex);
        if (formats.image) copied.image = CopiedPicture(index);
        Publish(ResultsMimeData(copied));
        emit this->copied();
      });
}

void ResultTools::CopyAllInputs() {
  std::vector<QString> inputs;
  for (int i = 0; i < sheet_.EntryCount(); ++i) inputs.push_back(sheet_.EntryAt(i).input->text());
  auto* mime = new QMimeData;
  mime->setText(InputsText(inputs));
  Publish(mime);
  emit copied();
}

void ResultTools::CopyWorksheet() {
  const int count = sheet_.EntryCount();
  auto texts = std::make_shared<std::vector<std::string>>(static_cast<std::size_t>(count));
  auto cut = std::make_shared<bool>(false);
  sheet_.Post(
      [store = store_, texts, cut] {
        for (std::size_t i = 0; i < texts->size() && !CancelPending(); ++i)
          (*texts)[i] = ResultsText(store->Of(static_cast<int>(i)));
        *cut = CancelPending();
      },
      [this, texts, cut] {
        if (*cut) return;
        std::vector<SheetLine> lines;
        for (int i = 0; i < sheet_.EntryCount() && i < static_cast<int>(texts->size()); ++i) {
          const Entry& entry = sheet_.EntryAt(i);
          SheetLine line{entry.input->text(), FromUtf8((*texts)[static_cast<std::size_t>(i)]),
                         CopiedPicture(i)};
          if (!line.input.trimmed().isEmpty() || !line.results.isEmpty())
            lines.push_back(std::move(line));
        }
        Publish(WorksheetMimeData(lines));
        emit copied();
      });
}

}  // namespace symcalc::gui
