// The errors among a line's results, found where the engine runs and handed
// to the window as plain data: where each one lies in the picture, what its
// tooltip says, and where its offending text stands in the input line.
#pragma once

#include <QString>

#include <string_view>
#include <vector>

#include "formula_layout.h"
#include "symcalc/engine.h"

namespace symcalc::gui {

// A run of characters of an input line, in the line's UTF-16 positions.
struct TextSpan {
  int start = 0;
  int length = 0;
  friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

struct ErrorNote {
  int top = 0;  // the error's band across the picture
  int height = 0;
  QString tip;
  bool located = false;  // the offending text was found in the line
  TextSpan span;
};

struct LineNotes {
  QString line;  // the text that was evaluated
  std::vector<ErrorNote> errors;
};

// `boxes` are the results' boxes as the picture stacks them. Reads the values
// and asks the engine, so it runs where the engine runs.
LineNotes NoteLineErrors(std::string_view line, const std::vector<Value*>& results,
                         const std::vector<FormulaBox>& boxes);

// Where the offending text of an error stands in one piece of a line, which
// the engine read lower-cased: a name is looked for as a whole word first.
// Byte positions in `piece`; npos when it is not there.
std::size_t FindOffendingText(std::string_view loweredPiece, std::string_view text);

}  // namespace symcalc::gui
