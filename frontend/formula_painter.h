// Painting formulas into a picture with QPainter: the worksheet fonts measure
// the text, and every stroke is set pixel by pixel without antialiasing, so
// the pictures are exact.
#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QRect>

#include <array>
#include <memory>

#include "fonts.h"
#include "formula_layout.h"

class QPainter;

namespace symcalc::gui {

// Levels 1 to 3 are fonts 1 to 3; deeper levels share font 3.
class FontMetricsOfLevels : public FormulaMetrics {
 public:
  explicit FontMetricsOfLevels(const WorksheetFonts& fonts);
  int DeepestLevel() const override { return 3; }
  int Half(int level) const override;
  int MinusWidth(int level) const override;
  int TextWidth(int level, std::string_view utf8) const override;
  int Ascent(int level) const;

 private:
  const QFontMetrics& Of(int level) const;
  std::array<QFontMetrics, 3> metrics_;
  std::array<int, 3> half_{};
  std::array<int, 3> minus_{};
};

class PainterCanvas : public FormulaCanvas {
 public:
  // Draws inside `area` only; parts of formulas wholly outside it are skipped.
  PainterCanvas(QPainter& painter, const WorksheetFonts& fonts, const FontMetricsOfLevels& metrics,
                QRect area);
  void Text(int x, int top, int level, std::string_view utf8) override;
  void Line(int x, int y, int w, int h) override;
  void Segment(int x1, int y1, int x2, int y2) override;
  void Pixel(int x, int y) override;
  void Plot(const Value* node, int left, int top) override;
  CanvasArea Area() const override;

 private:
  void Stroke(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool withEnd);
  void Fill(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);

  QPainter& painter_;
  const WorksheetFonts& fonts_;
  const FontMetricsOfLevels& metrics_;
  QRect area_;
  QRect clip_;
  QColor colour_ = Qt::black;
};

inline const QColor kCurveColour{192, 0, 0};

// Measures and draws the results of one picture; every node is measured once
// however often the drawing asks for its box.
class FormulaPainter {
 public:
  explicit FormulaPainter(const WorksheetFonts& fonts);
  FormulaBox Layout(const Value* value, int level) { return layout_.Layout(value, level); }
  // Draws with the painter's device as the area worth drawing.
  void Draw(QPainter& painter, const Value* value, int x, int y, int level);
  const FormulaLayout& Boxes() const { return layout_; }

 private:
  WorksheetFonts fonts_;
  FontMetricsOfLevels metrics_;
  FormulaLayout layout_;
};

}  // namespace symcalc::gui
