// The two small things that appear under the line being typed: the list of
// completions and the hint about the call the cursor is in. Both are children
// of the worksheet's window and never take the keyboard focus, so typing goes
// on in the line.
#pragma once

#include <QLabel>
#include <QListWidget>

#include <functional>
#include <vector>

#include "completion.h"

class QLineEdit;

namespace symcalc::gui::help {

class CompletionPopup : public QListWidget {
 public:
  // `accept` runs when a row is clicked.
  CompletionPopup(QWidget* window, std::function<void(const Candidate&)> accept);

  // Shows the candidates, the first one highlighted, below `line` (or above
  // it where the window ends), `below` pixels under the line's bottom.
  void Offer(std::vector<Candidate> candidates, const QLineEdit& line, int nameStart, int below);
  const std::vector<Candidate>& Offered() const { return candidates_; }
  const Candidate* Highlighted() const;
  // One row up (-1) or down (+1), stopping at the ends.
  void Step(int rows);

 private:
  std::vector<Candidate> candidates_;
};

// A tooltip-coloured label for rich text.
QLabel* MakeHintLabel(QWidget* window);

// Places `overlay` in its window under `line`, `below` pixels under the
// line's bottom, starting at the character `column`; it moves above the line
// when it would leave the window at the bottom, and left at the right.
void PlaceUnder(QWidget& overlay, const QLineEdit& line, int column, int below);

// Places `overlay` on `line`'s own row, a little after the end of its text,
// where it hides no result.
void PlaceBeside(QWidget& overlay, const QLineEdit& line);

}  // namespace symcalc::gui::help
