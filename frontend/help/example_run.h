// Running an example of the reference: in a fresh engine of its own, so that
// it shows what it shows to everybody, and so that its definitions never
// reach the user's session.
#pragma once

#include <QImage>

#include <string>
#include <string_view>

#include "fonts.h"

namespace symcalc::gui::help {

struct ExampleOutcome {
  std::string text;  // the values' text forms joined by "; "
  QImage picture;    // the values as the worksheet draws them; null without fonts
  // Esc stopped the work: what there is may be incomplete.
  bool interrupted = false;
};

// Engine thread only. Evaluates `line` as a worksheet line in a scratch
// engine (with plot registered as the worksheet has it) and leaves the
// running engine exactly as it was.
ExampleOutcome RunExample(std::string_view line, const WorksheetFonts* fonts);

}  // namespace symcalc::gui::help
