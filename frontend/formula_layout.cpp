#include "formula_layout.h"

#include <algorithm>

namespace symcalc::gui {
namespace {

using Pos = std::int64_t;

int Extent(Pos v) { return static_cast<int>(std::clamp<Pos>(v, -kMaxExtent, kMaxExtent)); }

// Canvas coordinates: far outside any picture, but never wrapped around.
int Coord(Pos v) {
  constexpr Pos kLimit = Pos{1} << 30;
  return static_cast<int>(std::clamp<Pos>(v, -kLimit, kLimit));
}

std::string_view TextOf(const Value* v) { return TextValueOf(v); }

bool IsTextLeaf(ValueType t) {
  return t == ValueType::Boolean || t == ValueType::Symbol || t == ValueType::String ||
         t == ValueType::Variable || t == ValueType::MathSymbol;
}

// Booleans, symbols, strings, variables and the named math symbols.
std::string LeafText(const Value* v) {
  switch (TypeOf(v)) {
    case ValueType::Boolean:
      return RawBoolean(v) ? "true" : "false";
    case ValueType::Symbol:
      return "'" + std::string(TextOf(v)) + "'";
    case ValueType::String:
      return "\"" + std::string(TextOf(v)) + "\"";
    case ValueType::Variable:
      return std::string(TextOf(v));
    default:
      // pi keeps its name: shown as "undefined" it would read as another value.
      return RawMathSymbol(v) == 3 ? "pi" : "undefined";
  }
}

constexpr int kInfinity = 1;
constexpr int kMinusInfinity = 2;

bool IsInfinityGlyph(const Value* v) {
  return TypeOf(v) == ValueType::MathSymbol &&
         (RawMathSymbol(v) == kInfinity || RawMathSymbol(v) == kMinusInfinity);
}

std::string ErrorText(const Value* v) { return "<Error> " + ErrorMessage(RawErrorCode(v)); }

std::vector<const Value*> Arguments(const Value* v) {
  std::vector<const Value*> args;
  for (int i = 0; i < 4; ++i)
    if (const Value* a = FunctionArgument(v, i)) args.push_back(a);
  return args;
}

bool IsPlot(const Value* v) { return FunctionEntryName(v) == "plot"; }

std::string_view OperatorText(ValueType t, const Value* node) {
  switch (t) {
    case ValueType::And:
      return " and ";
    case ValueType::Or:
      return " or ";
    case ValueType::Xor:
      return " xor ";
    default:
      return node ? TypeNameOf(node) : std::string_view();
  }
}

}  // namespace

std::string NumberText(const Value* v) { return PrintValue(v); }

void PlaceBracket(FormulaCanvas& c, Bracket kind, int x, int top, int hgt) {
  switch (kind) {
    case Bracket::LeftRound:
      c.Line(x + 3, top + 1, 2, -2);
      c.Line(x + 2, top + 2, 0, 2);
      c.Line(x + 1, top + 4, 0, 3);
      if (hgt > 14) c.Line(x, top + 7, 0, hgt - 14);
      c.Line(x + 1, top + hgt - 7, 0, 3);
      c.Line(x + 2, top + hgt - 4, 0, 2);
      c.Line(x + 3, top + hgt - 2, 2, 2);
      break;
    case Bracket::RightRound:
      c.Line(x + 1, top + 1, 2, 2);
      c.Line(x + 2, top + 2, 0, 2);
      c.Line(x + 3, top + 4, 0, 3);
      if (hgt > 14) c.Line(x + 4, top + 7, 0, hgt - 14);
      c.Line(x + 3, top + hgt - 7, 0, 3);
      c.Line(x + 2, top + hgt - 4, 0, 2);
      c.Line(x + 1, top + hgt - 2, 2, -2);
      break;
    case Bracket::LeftSquare:
      c.Line(x, top + 1, 4, 0);
      c.Line(x, top + 1, 0, hgt - 2);
      c.Line(x, top + hgt - 2, 4, 0);
      break;
    case Bracket::RightSquare:
      c.Line(x + 1, top + 1, 4, 0);
      c.Line(x + 4, top + 1, 0, hgt - 2);
      c.Line(x + 1, top + hgt - 2, 4, 0);
      break;
    case Bracket::LeftBrace:
    case Bracket::RightBrace: {
      const int big = hgt >= 25 ? 1 : 0;
      const int m = top + hgt / 2;
      const bool left = kind == Bracket::LeftBrace;
      c.Pixel(left ? x - big + 1 : x + big + 3, m);
      if (big) {
        c.Pixel(left ? x + 1 : x + 3, m - 1);
        c.Pixel(left ? x + 1 : x + 3, m + 1);
      }
      c.Segment(x + 2, top + 3, x + 2, m - big - 1);
      c.Segment(x + 2, m + big + 1, x + 2, top + hgt - 4);
      if (left) {
        c.Line(x + 3, top + 2, 1, -1);
        c.Line(x + 3, top + hgt - 3, 1, 1);
      } else {
        c.Line(x + 1, top + 2, -1, -1);
        c.Line(x + 1, top + hgt - 3, -1, 1);
      }
      break;
    }
  }
}

void PlaceInfinity(FormulaCanvas& c, int x, int y) {
  c.Line(x + 1, y - 1, 0, 4);
  c.Line(x + 2, y - 2, 2, 0);
  c.Line(x + 2, y + 3, 2, 0);
  c.Pixel(x + 4, y - 1);
  c.Pixel(x + 4, y + 2);
  c.Line(x + 5, y, 0, 2);
  c.Pixel(x + 6, y - 1);
  c.Pixel(x + 6, y + 2);
  c.Line(x + 7, y - 2, 3, 0);
  c.Line(x + 7, y + 3, 3, 0);
  c.Line(x + 10, y - 1, 0, 4);
}

// The parts of an operator node (or a made-up product or power) as it is drawn:
// its operands with their bracket kinds and the operator between them.
struct FormulaLayout::Shape {
  ValueType type;
  Term left;
  Term right;
  OperandShapes shapes;
  FormulaBox lb;
  FormulaBox rb;
  int rightLevel = 1;
  std::string_view opText;
  int opOffset = 0;
  Pos opAdvance = 0;
  Pos leftWidth = 0;
  Pos rightWidth = 0;
};

FormulaLayout::FormulaLayout(const FormulaMetrics& metrics) : metrics_(metrics) {}

FormulaLayout::~FormulaLayout() = default;

int FormulaLayout::Level(int level) const {
  return std::clamp(level, 1, std::max(1, metrics_.DeepestLevel()));
}

FormulaBox FormulaLayout::Layout(const Value* value, int level) {
  return Box(Term::Of(value), level);
}

void FormulaLayout::Draw(FormulaCanvas& canvas, const Value* value, int x, int y, int level) {
  Place(canvas, Term::Of(value), x, y, level);
}

FormulaBox FormulaLayout::Box(Term term, int level) {
  if (!term.value && !term.piece) return {};
  level = Level(level);
  const Key key{term.Identity(), level};
  if (const auto it = boxes_.find(key); it != boxes_.end()) return it->second;
  const FormulaBox box = Measure(term, level);
  ++computed_;
  boxes_.emplace(key, box);
  return box;
}

const Fraction* FormulaLayout::FractionOf(const Value* v) { return fractions_.Of(v); }

FormulaBox FormulaLayout::Measure(Term term, int level) {
  if (term.piece) return OperatorBox(term, level);
  const Value* v = term.value;
  const ValueType type = TypeOf(v);
  switch (type) {
    case ValueType::Qword:
    case ValueType::Double:
      return NumberBox(v, level);
    case ValueType::Complex:
      return ComplexBox(v, level);
    case ValueType::Error:
      return ErrorBox(v, level);
    case ValueType::Set:
      return SetBox(v, level);
    case ValueType::Array:
      return ArrayBox(v, level);
    case ValueType::Function:
      return FunctionBox(v, level);
    default:
      break;
  }
  if (IsInfinityGlyph(v)) {
    const int half = metrics_.Half(level);
    const int minus = RawMathSymbol(v) == kMinusInfinity ? metrics_.MinusWidth(level) : 0;
    return {kInfinityWidth + minus, half, half};
  }
  if (IsTextLeaf(type)) return TextBox(level, LeafText(v));
  if (const Fraction* f = FractionOf(v)) return FractionBox(*f, level);
  if (Precedence(term) > 0) return OperatorBox(term, level);
  return {};
}

bool FormulaLayout::Hidden(const FormulaCanvas& c, const FormulaBox& box, Pos x, Pos y) const {
  const CanvasArea area = c.Area();
  return x >= area.right || x + box.width <= area.left || y - box.ascent >= area.bottom ||
         y + box.descent <= area.top;
}

void FormulaLayout::Place(FormulaCanvas& c, Term term, Pos x, Pos y, int level) {
  if (!term.value && !term.piece) return;
  level = Level(level);
  if (Hidden(c, Box(term, level), x, y)) return;
  if (term.piece) return PlaceOperator(c, term, x, y, level);
  const Value* v = term.value;
  const ValueType type = TypeOf(v);
  switch (type) {
    case ValueType::Qword:
    case ValueType::Double:
      return PlaceNumber(c, v, x, y, level);
    case ValueType::Complex:
      return PlaceComplex(c, v, x, y, level);
    case ValueType::Error:
      return PlaceError(c, v, x, y, level);
    case ValueType::Set:
      return PlaceSet(c, v, x, y, level);
    case ValueType::Array:
      return PlaceArray(c, v, x, y, level);
    case ValueType::Function:
      return PlaceFunction(c, v, x, y, level);
    default:
      break;
  }
  if (IsInfinityGlyph(v)) {
    if (RawMathSymbol(v) == kMinusInfinity) {
      PlaceMinus(c, x, y, level);
      x += metrics_.MinusWidth(level);
    }
    return PlaceInfinity(c, Coord(x), Coord(y));
  }
  if (IsTextLeaf(type)) return PlaceText(c, x, y, level, LeafText(v));
  if (const Fraction* f = FractionOf(v)) return PlaceFraction(c, *f, x, y, level);
  if (Precedence(term) > 0) PlaceOperator(c, term, x, y, level);
}

void FormulaLayout::PlaceText(FormulaCanvas& c, Pos x, Pos y, int level, std::string_view text) {
  c.Text(Coord(x), Coord(y - metrics_.Half(level)), level, text);
}

void FormulaLayout::PlaceMinus(FormulaCanvas& c, Pos x, Pos y, int level) {
  c.Line(Coord(x), Coord(y), metrics_.MinusWidth(level) - 2, 0);
}

void FormulaLayout::PlaceBracketAt(FormulaCanvas& c, Bracket kind, Pos x, Pos top, Pos height) {
  PlaceBracket(c, kind, Coord(x), Coord(top), Extent(height));
}

FormulaBox FormulaLayout::TextBox(int level, std::string_view text) {
  const int half = metrics_.Half(level);
  return {metrics_.TextWidth(level, text), half, half};
}

// ---- numbers ---------------------------------------------------------------

// A negative number is a minus line followed by the digits of its magnitude,
// which is its printed text without the sign (exact even for the most
// negative qword, whose magnitude has no qword).
FormulaBox FormulaLayout::NumberBox(const Value* v, int level) {
  const std::string text = NumberText(v);
  const int half = metrics_.Half(level);
  if (IsBelowZero(Term::Of(v)) && !text.empty() && text.front() == '-')
    return {Extent(Pos{metrics_.MinusWidth(level)} +
                   metrics_.TextWidth(level, std::string_view(text).substr(1))),
            half, half};
  return {metrics_.TextWidth(level, text), half, half};
}

void FormulaLayout::PlaceNumber(FormulaCanvas& c, const Value* v, Pos x, Pos y, int level) {
  const std::string text = NumberText(v);
  if (IsBelowZero(Term::Of(v)) && !text.empty() && text.front() == '-') {
    PlaceMinus(c, x, y, level);
    PlaceText(c, x + metrics_.MinusWidth(level), y, level, std::string_view(text).substr(1));
  } else {
    PlaceText(c, x, y, level, text);
  }
}

FormulaBox FormulaLayout::ComplexBox(const Value* v, int level) {
  const FormulaBox re = Box(Term::Of(LeftOperand(v)), level);
  const FormulaBox im = Box(Term::Of(RightOperand(v)), level);
  return {Extent(Pos{metrics_.TextWidth(level, "#c, ")} + re.width + im.width +
                 2 * kBracketWidth),
          std::max(re.ascent, im.ascent), std::max(re.descent, im.descent)};
}

void FormulaLayout::PlaceComplex(FormulaCanvas& c, const Value* v, Pos x, Pos y, int level) {
  const Term re = Term::Of(LeftOperand(v));
  const Term im = Term::Of(RightOperand(v));
  const FormulaBox box = Box(Term::Of(v), level);
  PlaceText(c, x, y, level, "#c");
  x += metrics_.TextWidth(level, "#c");
  PlaceBracketAt(c, Bracket::LeftRound, x, y - box.ascent, box.Height());
  x += kBracketWidth;
  Place(c, re, x, y, level);
  x += Box(re, level).width;
  PlaceText(c, x, y, level, ", ");
  x += metrics_.TextWidth(level, ", ");
  Place(c, im, x, y, level);
  x += Box(im, level).width;
  PlaceBracketAt(c, Bracket::RightRound, x, y - box.ascent, box.Height());
}

// ---- errors, sets, arrays, function nodes -----------------------------------

FormulaBox FormulaLayout::ErrorBox(const Value* v, int level) {
  FormulaBox box = TextBox(level, ErrorText(v));
  if (const Value* operand = ErrorOperand(v)) {
    const FormulaBox ob = Box(Term::Of(operand), level);
    box.width = Extent(Pos{box.width} + metrics_.TextWidth(level, " ") + ob.width);
    box.ascent = std::max(box.ascent, ob.ascent);
    box.descent = std::max(box.descent, ob.descent);
  }
  return box;
}

void FormulaLayout::PlaceError(FormulaCanvas& c, const Value* v, Pos x, Pos y, int level) {
  const std::string text = ErrorText(v);
  PlaceText(c, x, y, level, text);
  if (const Value* operand = ErrorOperand(v))
    Place(c, Term::Of(operand), x + metrics_.TextWidth(level, text) + metrics_.TextWidth(level, " "),
          y, level);
}

FormulaBox FormulaLayout::SetBox(const Value* v, int level) {
  const int half = metrics_.Half(level);
  const Pos comma = metrics_.TextWidth(level, ", ");
  Pos width = 2 * kBracketWidth;
  FormulaBox box{0, half, half};
  std::int64_t n = 0;
  const std::int64_t count = SetCount(v);
  for (const Value* e = SetFirst(v); e && n < count; e = SetNext(e), ++n) {
    const FormulaBox eb = Box(Term::Of(e), level);
    width += eb.width + (n > 0 ? comma : 0);
    box.ascent = std::max(box.ascent, eb.ascent);
    box.descent = std::max(box.descent, eb.descent);
  }
  if (n == 0) width += kBracketWidth;
  box.width = Extent(width);
  return box;
}

void FormulaLayout::PlaceSet(FormulaCanvas& c, const Value* v, Pos x, Pos y, int level) {
  const FormulaBox box = Box(Term::Of(v), level);
  const Pos top = y - box.ascent;
  const CanvasArea area = c.Area();
  PlaceBracketAt(c, Bracket::LeftBrace, x, top, box.Height());
  x += kBracketWidth;
  const std::int64_t count = SetCount(v);
  if (count == 0) x += kBracketWidth;
  std::int64_t n = 0;
  for (const Value* e = SetFirst(v); e && n < count; e = SetNext(e), ++n) {
    if (x >= area.right) return;  // the rest, closing brace included, is out of sight
    Place(c, Term::Of(e), x, y, level);
    x += Box(Term::Of(e), level).width;
    if (n + 1 < count) {
      PlaceText(c, x, y, level, ", ");
      x += metrics_.TextWidth(level, ", ");
    }
  }
  PlaceBracketAt(c, Bracket::RightBrace, x, top, box.Height());
}

namespace {

struct Grid {
  std::vector<Pos> columnWidth;
  std::vector<Pos> rowAscent;
  std::vector<Pos> rowDescent;
  Pos height = 0;
  Pos ascent = 0;
};

// Columns are as wide as their widest cell, rows as tall as their tallest;
// the centre line is the middle row's, or 2 pixels above the middle gap.
template <typename BoxOf>
Grid MeasureGrid(const Value* v, BoxOf boxOf) {
  const int w = ArrayWidth(v);
  const int h = ArrayHeight(v);
  Grid g;
  g.columnWidth.assign(static_cast<std::size_t>(w), 0);
  g.rowAscent.assign(static_cast<std::size_t>(h), 0);
  g.rowDescent.assign(static_cast<std::size_t>(h), 0);
  for (int r = 0; r < h; ++r)
    for (int col = 0; col < w; ++col) {
      const Value* cell = ArrayCell(v, r * w + col);
      if (!cell) continue;
      const FormulaBox b = boxOf(cell);
      auto& cw = g.columnWidth[static_cast<std::size_t>(col)];
      auto& ra = g.rowAscent[static_cast<std::size_t>(r)];
      auto& rd = g.rowDescent[static_cast<std::size_t>(r)];
      cw = std::max<Pos>(cw, b.width);
      ra = std::max<Pos>(ra, b.ascent);
      rd = std::max<Pos>(rd, b.descent);
    }
  Pos top = 0;
  for (int r = 0; r < h; ++r) {
    const auto i = static_cast<std::size_t>(r);
    if (h % 2 == 1 && r == (h - 1) / 2) g.ascent = top + g.rowAscent[i];
    if (h % 2 == 0 && r == h / 2) g.ascent = top - 2;
    top += g.rowAscent[i] + g.rowDescent[i] + 5;
  }
  g.height = h > 0 ? top - 5 : 0;
  return g;
}

}  // namespace

FormulaBox FormulaLayout::ArrayBox(const Value* v, int level) {
  const Grid g = MeasureGrid(v, [&](const Value* cell) { return Box(Term::Of(cell), level); });
  Pos width = 0;
  for (const Pos cw : g.columnWidth) width += cw + 2 * kBracketWidth;
  return {Extent(width), Extent(g.ascent), Extent(g.height - g.ascent)};
}

void FormulaLayout::PlaceArray(FormulaCanvas& c, const Value* v, Pos x, Pos y, int level) {
  const Grid g = MeasureGrid(v, [&](const Value* cell) { return Box(Term::Of(cell), level); });
  const int w = ArrayWidth(v);
  const int h = ArrayHeight(v);
  const Pos top = y - g.ascent;
  const CanvasArea area = c.Area();
  PlaceBracketAt(c, Bracket::LeftSquare, x, top, g.height);
  std::vector<Pos> columnStart(static_cast<std::size_t>(w) + 1);
  columnStart[0] = x + kBracketWidth;
  for (int col = 0; col < w; ++col)
    columnStart[static_cast<std::size_t>(col) + 1] =
        columnStart[static_cast<std::size_t>(col)] + g.columnWidth[static_cast<std::size_t>(col)] +
        2 * kBracketWidth;
  Pos rowTop = top;
  for (int r = 0; r < h && rowTop < area.bottom; ++r) {
    const auto ri = static_cast<std::size_t>(r);
    const Pos rowBottom = rowTop + g.rowAscent[ri] + g.rowDescent[ri];
    if (rowBottom > area.top) {
      for (int col = 0; col < w; ++col) {
        const auto ci = static_cast<std::size_t>(col);
        if (columnStart[ci] >= area.right) break;
        const Value* cell = ArrayCell(v, r * w + col);
        if (!cell) continue;
        const FormulaBox b = Box(Term::Of(cell), level);
        Place(c, Term::Of(cell), columnStart[ci] + (g.columnWidth[ci] - b.width) / 2,
              rowTop + g.rowAscent[ri], level);
      }
    }
    rowTop = rowBottom + 5;
  }
  if (w > 0)
    PlaceBracketAt(c, Bracket::RightSquare,
                   columnStart[static_cast<std::size_t>(w)] - 2 * kBracketWidth, top, g.height);
}

FormulaBox FormulaLayout::FunctionBox(const Value* v, int level) {
  if (IsPlot(v)) return {kPlotSide, kPlotAscent, kPlotSide - kPlotAscent};
  const int half = metrics_.Half(level);
  const std::vector<const Value*> args = Arguments(v);
  Pos width = Pos{metrics_.TextWidth(level, FunctionEntryName(v))} + 2 * kBracketWidth;
  FormulaBox box{0, half, half};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const FormulaBox ab = Box(Term::Of(args[i]), level);
    width += ab.width + (i > 0 ? metrics_.TextWidth(level, ", ") : 0);
    box.ascent = std::max(box.ascent, ab.ascent);
    box.descent = std::max(box.descent, ab.descent);
  }
  box.width = Extent(width);
  return box;
}

void FormulaLayout::PlaceFunction(FormulaCanvas& c, const Value* v, Pos x, Pos y, int level) {
  if (IsPlot(v)) return c.Plot(v, Coord(x), Coord(y - kPlotAscent));
  const FormulaBox box = Box(Term::Of(v), level);
  const std::string_view name = FunctionEntryName(v);
  PlaceText(c, x, y, level, name);
  x += metrics_.TextWidth(level, name);
  PlaceBracketAt(c, Bracket::LeftRound, x, y - box.ascent, box.Height());
  x += kBracketWidth;
  const std::vector<const Value*> args = Arguments(v);
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) {
      PlaceText(c, x, y, level, ", ");
      x += metrics_.TextWidth(level, ", ");
    }
    Place(c, Term::Of(args[i]), x, y, level);
    x += Box(Term::Of(args[i]), level).width;
  }
  PlaceBracketAt(c, Bracket::RightRound, x, y - box.ascent, box.Height());
}

// ---- operators ---------------------------------------------------------------

FormulaLayout::Shape FormulaLayout::OperatorShape(Term node, int level) {
  Shape s;
  s.type = node.Type();
  s.left = node.Left();
  s.right = node.Right();
  s.rightLevel = s.type == ValueType::Power ? level + 1 : level;
  s.lb = Box(s.left, level);
  s.rb = Box(s.right, s.rightLevel);
  s.shapes = ShapeOperands(node);

  const int mw = metrics_.MinusWidth(level);
  s.leftWidth = s.shapes.left == LeftOperandShape::Parenthesised
                    ? Pos{s.lb.width} + 2 * kBracketWidth
                : s.shapes.left == LeftOperandShape::MinusSign ? Pos{mw} - 1
                                                               : Pos{s.lb.width};
  s.rightWidth = s.shapes.right == RightOperandShape::Parenthesised
                     ? Pos{s.rb.width} + 2 * kBracketWidth
                     : Pos{s.rb.width};
  switch (s.type) {
    case ValueType::Times:
      s.opAdvance = 3;
      break;
    case ValueType::Power:
      break;
    case ValueType::And:
    case ValueType::Or:
    case ValueType::Xor:
      s.opText = OperatorText(s.type, node.value);
      s.opAdvance = metrics_.TextWidth(level, s.opText);
      break;
    default:
      if (s.shapes.right == RightOperandShape::OwnMinus) {
        s.opAdvance = 4;
      } else {
        s.opText = OperatorText(s.type, node.value);
        s.opOffset = 3;
        s.opAdvance = Pos{metrics_.TextWidth(level, s.opText)} + 6;
      }
      break;
  }
  return s;
}

FormulaBox FormulaLayout::OperatorBox(Term node, int level) {
  const Shape s = OperatorShape(node, level);
  FormulaBox box;
  box.width = Extent(s.leftWidth + s.opAdvance + s.rightWidth);
  if (s.type == ValueType::Power) {
    box.ascent = Extent(Pos{s.lb.ascent} + s.rb.ascent + s.rb.descent - metrics_.Half(level));
    box.descent = s.lb.descent;
  } else {
    box.ascent = std::max(s.lb.ascent, s.rb.ascent);
    box.descent = std::max(s.lb.descent, s.rb.descent);
  }
  return box;
}

void FormulaLayout::PlaceOperator(FormulaCanvas& c, Term node, Pos x, Pos y, int level) {
  const Shape s = OperatorShape(node, level);
  if (s.shapes.left == LeftOperandShape::Parenthesised) {
    PlaceBracketAt(c, Bracket::LeftRound, x, y - s.lb.ascent, s.lb.Height());
    Place(c, s.left, x + kBracketWidth, y, level);
    PlaceBracketAt(c, Bracket::RightRound, x + kBracketWidth + s.lb.width, y - s.lb.ascent,
                   s.lb.Height());
  } else if (s.shapes.left == LeftOperandShape::MinusSign) {
    PlaceMinus(c, x, y, level);
  } else {
    Place(c, s.left, x, y, level);
  }
  x += s.leftWidth;
  if (!s.opText.empty()) PlaceText(c, x + s.opOffset, y, level, s.opText);
  x += s.opAdvance;
  // The exponent's bottom lies half a space-height below the top of the base.
  const Pos ry = s.type == ValueType::Power
                     ? y - s.lb.ascent + metrics_.Half(level) - s.rb.descent
                     : y;
  if (s.shapes.right == RightOperandShape::Parenthesised) {
    PlaceBracketAt(c, Bracket::LeftRound, x, ry - s.rb.ascent, s.rb.Height());
    Place(c, s.right, x + kBracketWidth, ry, s.rightLevel);
    PlaceBracketAt(c, Bracket::RightRound, x + kBracketWidth + s.rb.width, ry - s.rb.ascent,
                   s.rb.Height());
  } else {
    Place(c, s.right, x, ry, s.rightLevel);
  }
}

// ---- fractions ---------------------------------------------------------------

FormulaBox FormulaLayout::FractionBox(const Fraction& f, int level) {
  const FormulaBox nb = Box(f.numerator, level);
  const FormulaBox db = Box(f.denominator, level);
  const Pos minus = f.minus ? Pos{metrics_.MinusWidth(level)} + 2 : 0;
  const Pos bar = Pos{std::max(nb.width, db.width)} + 4;
  return {Extent(minus + bar), nb.Height(), db.Height()};
}

void FormulaLayout::PlaceFraction(FormulaCanvas& c, const Fraction& f, Pos x, Pos y, int level) {
  const FormulaBox nb = Box(f.numerator, level);
  const FormulaBox db = Box(f.denominator, level);
  if (f.minus) {
    PlaceMinus(c, x, y, level);
    x += metrics_.MinusWidth(level) + 2;
  }
  const Pos bar = Pos{std::max(nb.width, db.width)} + 4;
  c.Line(Coord(x), Coord(y), Extent(bar), 0);
  Place(c, f.numerator, x + (bar - nb.width) / 2, y - nb.descent, level);
  Place(c, f.denominator, x + (bar - db.width) / 2, y + db.ascent, level);
}

}  // namespace symcalc::gui
