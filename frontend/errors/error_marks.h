// Marks in an input field under the text an error complains about: a red
// wavy underline, drawn by the field itself with its own text positions and
// scrolling, while the text stays exactly as typed.
#pragma once

#include <vector>

#include "errors/error_notes.h"

class QLineEdit;

namespace symcalc::gui {

// Replaces the field's marks by these; spans beyond the text are cut off.
void MarkSpans(QLineEdit* field, const std::vector<TextSpan>& spans);
void ClearMarks(QLineEdit* field);

}  // namespace symcalc::gui
