#include "clipboard/line_paste.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "worksheet.h"

namespace symcalc::gui {
namespace {

const QRegularExpression& LineBreak() {
  static const QRegularExpression pattern(QStringLiteral("\r\n|\n|\r"));
  return pattern;
}

}  // namespace

bool HasLineBreak(const QString& text) {
  return text.contains('\n') || text.contains('\r');
}

QStringList PastedLines(const QString& text) {
  QStringList lines = text.split(LineBreak());
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

QString JoinedLines(const QString& text) {
  QStringList kept;
  for (const QString& line : text.split(LineBreak()))
    if (!line.trimmed().isEmpty()) kept << line;
  return kept.join(QStringLiteral("; "));
}

// The same words, as a whole line in any case, that end the program when typed.
bool IsStopLine(const QString& line) {
  return line.compare(QStringLiteral("end"), Qt::CaseInsensitive) == 0 ||
         line.compare(QStringLiteral("quit"), Qt::CaseInsensitive) == 0;
}

LineFeeder::LineFeeder(Worksheet& sheet) : QObject(&sheet), sheet_(sheet) {
  connect(&sheet, &Worksheet::entryEvaluated, this, &LineFeeder::Evaluated);
  connect(&sheet, &Worksheet::interruptRequested, this, &LineFeeder::Stop);
}

void LineFeeder::Feed(const QStringList& lines) {
  pending_ += lines;
  Next();
}

void LineFeeder::Next() {
  if (waiting_ >= 0 || pending_.isEmpty()) return;
  const QString line = pending_.takeFirst();
  const int last = sheet_.EntryCount() - 1;
  if (IsStopLine(line)) {
    pending_.clear();
    sheet_.EntryAt(last).input->clear();
    return;
  }
  waiting_ = last;
  sheet_.EntryAt(last).input->setText(line);
  sheet_.EvaluateEntry(last);
}

// The next line waits for the event loop: the evaluation that just ended is
// still on the call stack when it reports.
void LineFeeder::Evaluated(int index) {
  if (index != waiting_) return;
  waiting_ = -1;
  QMetaObject::invokeMethod(this, &LineFeeder::Next, Qt::QueuedConnection);
}

// A line of ours that is still running reports when it stops, and the next
// paste waits for that; one that was still waiting its turn is gone.
void LineFeeder::Stop() {
  pending_.clear();
  if (waiting_ >= 0 && sheet_.RunningEntry() != waiting_) waiting_ = -1;
}

}  // namespace symcalc::gui
