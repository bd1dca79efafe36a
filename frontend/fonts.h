// The four worksheet fonts: 0 for prompts and input lines, 1 to 3 for the
// formula levels (deeper levels share font 3).
#pragma once

#include <QFont>

#include <array>

namespace symcalc::gui {

struct WorksheetFonts {
  std::array<QFont, 4> font;
  // Height of " " in font 0: the height of every prompt and input line.
  int lineHeight = 0;

  // Level 1 is the top of a formula; exponents go one level deeper.
  const QFont& ForLevel(int level) const;
};

// Point sizes are turned into pixel sizes once, at the screen's logical
// resolution, so that text measured for layout and text painted into an
// off-screen image come out the same size whatever device paints them.
WorksheetFonts LoadWorksheetFonts(qreal logicalDpi);

}  // namespace symcalc::gui
