// Text of several lines pasted into an input field. Into the last entry, when
// it was empty, each line becomes an entry of its own, evaluated in order as
// if it had been typed and Return pressed; anywhere else the lines join into
// the one line, as pieces separated by semicolons.
#pragma once

#include <QObject>
#include <QStringList>

namespace symcalc::gui {

class Worksheet;

bool HasLineBreak(const QString& text);
// The lines of the text; a final line break ends the last line rather than
// starting an empty one.
QStringList PastedLines(const QString& text);
// The lines that are not blank, joined by "; ".
QString JoinedLines(const QString& text);
// A line that would close the program when evaluated.
bool IsStopLine(const QString& line);

// Types lines into the worksheet's last entry one at a time, starting the
// next when the evaluation of the previous one has ended. Esc stops the
// feeding: the lines not yet started are dropped.
class LineFeeder : public QObject {
  Q_OBJECT

 public:
  explicit LineFeeder(Worksheet& sheet);

  // Appends to the lines still waiting. A line that would close the program
  // is not evaluated, and neither is anything after it.
  void Feed(const QStringList& lines);

 private:
  void Next();
  void Evaluated(int index);
  void Stop();

  Worksheet& sheet_;
  QStringList pending_;
  int waiting_ = -1;  // the entry being evaluated, or -1
};

}  // namespace symcalc::gui
