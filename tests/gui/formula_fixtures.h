// Shared by the formula and plot suites: a fresh engine per test, values
// evaluated from text, a canvas that records what the layout places, and
// the worksheet fonts' metrics measured straight from the toolkit.
#pragma once

#include <QFontMetrics>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "engine_start.h"
#include "fonts.h"
#include "formula_layout.h"
#include "symcalc/engine.h"

namespace symcalc::gui::test {

struct FreeValueDeleter {
  void operator()(Value* v) const { FreeValue(v); }
};
using OwnedValue = std::unique_ptr<Value, FreeValueDeleter>;

// A fresh engine, with plot, for the length of one test.
class EngineSession {
 public:
  EngineSession() { StartEngine(); }
  ~EngineSession() { EngineShutdown(); }
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;
  OwnedValue Eval(const std::string& text) const { return OwnedValue(EvaluateText(text)); }
};

// What the worksheet fonts measure, computed here from the toolkit's metrics
// rather than through the code under test.
class FontFacts {
 public:
  FontFacts() : fonts_(LoadWorksheetFonts(96)) {}
  const WorksheetFonts& Fonts() const { return fonts_; }
  QFontMetrics Metrics(int level) const { return QFontMetrics(fonts_.ForLevel(level)); }
  int Half(int level) const {
    return Metrics(level).size(Qt::TextSingleLine, QStringLiteral(" ")).height() / 2;
  }
  int Minus(int level) const { return Metrics(level).horizontalAdvance(QStringLiteral("_")); }
  int W(int level, const QString& text) const { return Metrics(level).horizontalAdvance(text); }

 private:
  WorksheetFonts fonts_;
};

struct PlacedOp {
  enum Kind { Text, Line, Segment, Pixel, Plot } kind;
  int x = 0;
  int y = 0;  // top of a text
  int w = 0;  // segment: x2
  int h = 0;  // segment: y2
  int level = 0;
  std::string text;
};

class RecordingCanvas : public FormulaCanvas {
 public:
  void Text(int x, int top, int level, std::string_view utf8) override {
    ops.push_back({PlacedOp::Text, x, top, 0, 0, level, std::string(utf8)});
  }
  void Line(int x, int y, int w, int h) override {
    ops.push_back({PlacedOp::Line, x, y, w, h, 0, {}});
  }
  void Segment(int x1, int y1, int x2, int y2) override {
    ops.push_back({PlacedOp::Segment, x1, y1, x2, y2, 0, {}});
  }
  void Pixel(int x, int y) override { ops.push_back({PlacedOp::Pixel, x, y, 0, 0, 0, {}}); }
  void Plot(const Value*, int left, int top) override {
    ops.push_back({PlacedOp::Plot, left, top, 0, 0, 0, {}});
  }

  std::vector<const PlacedOp*> Texts() const {
    std::vector<const PlacedOp*> texts;
    for (const PlacedOp& op : ops)
      if (op.kind == PlacedOp::Text) texts.push_back(&op);
    return texts;
  }
  // The first text op with exactly this text, or null.
  const PlacedOp* FindText(const std::string& text) const {
    for (const PlacedOp& op : ops)
      if (op.kind == PlacedOp::Text && op.text == text) return &op;
    return nullptr;
  }
  bool HasLine(int x, int y, int w, int h) const {
    for (const PlacedOp& op : ops)
      if (op.kind == PlacedOp::Line && op.x == x && op.y == y && op.w == w && op.h == h)
        return true;
    return false;
  }
  // The texts in the order they were placed, joined by "|".
  std::string TextTrail() const {
    std::string trail;
    for (const PlacedOp* op : Texts()) {
      if (!trail.empty()) trail += '|';
      trail += op->text;
    }
    return trail;
  }

  std::vector<PlacedOp> ops;
};

}  // namespace symcalc::gui::test
