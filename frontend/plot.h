// plot(f, x = a..b) and plot(f, x = a..b, y = c..d). Evaluating a call only
// checks the axis ranges and answers with the plot node itself; the
// worksheet draws that node as a 501 by 501 square, sampling f at 501 points.
#pragma once

#include <vector>

#include "symcalc/engine.h"

namespace symcalc::gui {

// Registers "plot" (2 or 3 arguments) with the running engine.
void RegisterPlot();

// The engine calls this with the evaluated arguments (the third may be null).
Value* PlotHandler(Value* const* args, Value* out);

inline constexpr int kPlotSamples = 501;

// "name = a..b", as the axes of a plot are given.
bool IsAxisRange(const Value* v);
// A plot node, as evaluating a plot call leaves it.
bool IsPlot(const Value* v);

// What goes into a plot's square, in picture coordinates. Everything is
// already clamped to a band around the square; the painter clips to it.
struct PlotSketch {
  struct Line {  // drawn without its end point
    int x, y, w, h;
  };
  struct Segment {  // both ends drawn
    int x1, y1, x2, y2;
  };
  struct Point {
    int x, y;
  };
  std::vector<Line> axes;            // black: the two axes, then the ticks
  std::vector<Point> pixels;         // the curve's samples inside the y range
  std::vector<Segment> segments;     // joining consecutive real samples
};

// Samples the node's function with its variable bound only for the sampling:
// a user's variable of the same name keeps its value. An empty sketch means
// the square stays white (a bad or empty range, no real sample to scale by,
// or a cancel request that stopped the sampling).
PlotSketch SketchPlot(const Value* node, int left, int top);

}  // namespace symcalc::gui
