// Two-dimensional formulas: measuring a value into boxes and placing its
// pieces. Nothing here paints; the placing goes to a FormulaCanvas, so the
// geometry can be checked without a window, given font metrics.
//
// A formula is positioned by its left edge x and its centre line y. Levels
// start at 1 for a result and grow by one for each exponent; each level has
// its font, and levels past the deepest font share it.
//
// Layout only reads the value's structure: it never simplifies, substitutes a
// variable or changes the value. Fractions are regrouped into a numerator and
// a denominator made for display only.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formula_terms.h"
#include "symcalc/engine.h"

namespace symcalc::gui {

struct FormulaBox {
  int width = 0;
  int ascent = 0;   // above the centre line
  int descent = 0;  // below it
  int Height() const { return ascent + descent; }
  friend bool operator==(const FormulaBox&, const FormulaBox&) = default;
};

// No box grows beyond this in any direction; a few of them still add up
// without overflow, and it is far beyond any picture.
inline constexpr int kMaxExtent = 1 << 28;

class FormulaMetrics {
 public:
  virtual ~FormulaMetrics() = default;
  // Levels past this one use its font.
  virtual int DeepestLevel() const = 0;
  // Half the height of " ": text is drawn with its top this far above the centre line.
  virtual int Half(int level) const = 0;
  // Width of "_": a minus sign is a line mw - 2 long.
  virtual int MinusWidth(int level) const = 0;
  virtual int TextWidth(int level, std::string_view utf8) const = 0;
};

struct CanvasArea {
  std::int64_t left = -(std::int64_t{1} << 40);
  std::int64_t top = -(std::int64_t{1} << 40);
  std::int64_t right = std::int64_t{1} << 40;   // exclusive
  std::int64_t bottom = std::int64_t{1} << 40;  // exclusive
};

class FormulaCanvas {
 public:
  virtual ~FormulaCanvas() = default;
  virtual void Text(int x, int top, int level, std::string_view utf8) = 0;
  // From (x, y) towards (x + w, y + h), without the end point.
  virtual void Line(int x, int y, int w, int h) = 0;
  // From (x1, y1) to (x2, y2), both ends included.
  virtual void Segment(int x1, int y1, int x2, int y2) = 0;
  virtual void Pixel(int x, int y) = 0;
  // A plot node's 501 by 501 square with its top-left corner at (left, top).
  virtual void Plot(const Value* node, int left, int top) = 0;
  // Parts of a formula wholly outside this area are not placed at all.
  virtual CanvasArea Area() const { return {}; }
};

// Bracket glyphs; bit 0 marks the left one.
enum class Bracket { LeftRound = 5, RightRound = 6, LeftSquare = 9, RightSquare = 10,
                     LeftBrace = 17, RightBrace = 18 };
inline constexpr int kBracketWidth = 5;
inline constexpr int kInfinityWidth = 12;
inline constexpr int kPlotSide = 501;
inline constexpr int kPlotAscent = 250;

void PlaceBracket(FormulaCanvas& canvas, Bracket kind, int x, int top, int height);
void PlaceInfinity(FormulaCanvas& canvas, int x, int y);

// One rendering: boxes are computed once per (node, level) and kept until the
// object goes, so measuring a result and then drawing it costs one pass over
// the value. The values measured must stay alive and unchanged meanwhile.
class FormulaLayout {
 public:
  explicit FormulaLayout(const FormulaMetrics& metrics);
  ~FormulaLayout();
  FormulaLayout(const FormulaLayout&) = delete;
  FormulaLayout& operator=(const FormulaLayout&) = delete;

  FormulaBox Layout(const Value* value, int level);
  // Places `value` with its left edge at x and its centre line at y.
  void Draw(FormulaCanvas& canvas, const Value* value, int x, int y, int level);

  // How often a box was computed rather than found: one per (node, level).
  std::size_t BoxesComputed() const { return computed_; }

 private:
  struct Key {
    const void* node;
    int level;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      return std::hash<const void*>()(k.node) * 31u + static_cast<std::size_t>(k.level);
    }
  };
  struct Shape;

  int Level(int level) const;
  FormulaBox Box(Term term, int level);
  FormulaBox Measure(Term term, int level);
  void Place(FormulaCanvas& canvas, Term term, std::int64_t x, std::int64_t y, int level);

  FormulaBox TextBox(int level, std::string_view text);
  FormulaBox NumberBox(const Value* v, int level);
  void PlaceNumber(FormulaCanvas& c, const Value* v, std::int64_t x, std::int64_t y, int level);
  FormulaBox ComplexBox(const Value* v, int level);
  void PlaceComplex(FormulaCanvas& c, const Value* v, std::int64_t x, std::int64_t y, int level);
  FormulaBox ErrorBox(const Value* v, int level);
  void PlaceError(FormulaCanvas& c, const Value* v, std::int64_t x, std::int64_t y, int level);
  FormulaBox SetBox(const Value* v, int level);
  void PlaceSet(FormulaCanvas& c, const Value* v, std::int64_t x, std::int64_t y, int level);
  FormulaBox ArrayBox(const Value* v, int level);
  void PlaceArray(FormulaCanvas& c, const Value* v, std::int64_t x, std::int64_t y, int level);
  FormulaBox FunctionBox(const Value* v, int level);
  void PlaceFunction(FormulaCanvas& c, const Value* v, std::int64_t x, std::int64_t y,
                     int level);
  Shape OperatorShape(Term node, int level);
  FormulaBox OperatorBox(Term node, int level);
  void PlaceOperator(FormulaCanvas& c, Term node, std::int64_t x, std::int64_t y, int level);
  FormulaBox FractionBox(const Fraction& f, int level);
  void PlaceFraction(FormulaCanvas& c, const Fraction& f, std::int64_t x, std::int64_t y,
                     int level);

  // The regrouped fraction of a value drawn as one, or null.
  const Fraction* FractionOf(const Value* v);
  void PlaceText(FormulaCanvas& c, std::int64_t x, std::int64_t y, int level,
                 std::string_view text);
  void PlaceMinus(FormulaCanvas& c, std::int64_t x, std::int64_t y, int level);
  void PlaceBracketAt(FormulaCanvas& c, Bracket kind, std::int64_t x, std::int64_t top,
                      std::int64_t height);
  bool Hidden(const FormulaCanvas& c, const FormulaBox& box, std::int64_t x,
              std::int64_t y) const;

  const FormulaMetrics& metrics_;
  std::unordered_map<Key, FormulaBox, KeyHash> boxes_;
  FractionRegrouper fractions_;
  std::size_t computed_ = 0;
};

// The text of a number leaf as the engine prints it.
std::string NumberText(const Value* v);

}  // namespace symcalc::gui
