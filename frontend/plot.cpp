#include "plot.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace symcalc::gui {
namespace {

constexpr int kSpan = kPlotSamples - 1;  // 500 steps across the square
constexpr int kTicks = 21;
constexpr int kTickStep = 25;
constexpr double kImaginaryNoise = 1e-7;
// Coordinates are clamped this far around the square before they are
// rounded: a curve that shoots off keeps its direction, and nothing
// overflows an int.
constexpr double kBand = 2.0 * kPlotSamples;

bool IsRealNumber(const Value* v) {
  const ValueType t = TypeOf(v);
  return t == ValueType::Qword || t == ValueType::Double || t == ValueType::Ratio;
}

// The double of a real number, when it is a finite one.
std::optional<double> FiniteDouble(const Value* v) {
  if (!IsRealNumber(v)) return std::nullopt;
  const Held f(CallBuiltin("float", v));
  if (TypeOf(f.get()) != ValueType::Double) return std::nullopt;
  const double d = RawDouble(f.get());
  if (!std::isfinite(d)) return std::nullopt;
  return d;
}

// A sample counts when it is a real number; a complex one whose imaginary
// part is rounding noise counts as its real part. Infinite and NaN doubles
// have no place on the square and break the curve like any other gap.
std::optional<double> RealSample(const Value* v) {
  if (TypeOf(v) == ValueType::Complex) {
    const std::optional<double> im = FiniteDouble(RightOperand(v));
    if (!im || !(std::fabs(*im) < kImaginaryNoise)) return std::nullopt;
    v = LeftOperand(v);
  }
  return FiniteDouble(v);
}

using Samples = std::vector<std::optional<double>>;

// f at x = a + (b - a) * u/500 for u = 0..500, in the engine's arithmetic, so
// exact bounds give exact samples. The sample is bound in front of any
// binding of the same name and taken away again before the next one.
Samples Sample(const Value* f, std::string_view name, const Value* a, const Value* b) {
  Samples samples(kPlotSamples);
  const Held low(CopyValue(a));
  const Held span(Subtract(b, low.get()));
  for (int u = 0; u <= kSpan; ++u) {
    // Each sample is a whole evaluation of f: a request to stop is heard
    // between them as well as inside.
    if (CancelPending()) break;
    const Held fraction(MakeRatio(u, kSpan));
    const Held step(Multiply(span.get(), fraction.get()));
    const Held x(Add(low.get(), step.get()));
    PushTemporaryBinding(name, x.get());
    const Held value(Simplify(f));
    PopTemporaryBinding();
    samples[static_cast<std::size_t>(u)] = RealSample(value.get());
  }
  return samples;
}

// Nearest integer, halves to even, after clamping into the band.
int Round(double v, double low, double high) {
  if (std::isnan(v)) v = low;
  return static_cast<int>(std::nearbyint(std::clamp(v, low, high)));
}

}  // namespace

bool IsAxisRange(const Value* v) {
  return v && TypeOf(v) == ValueType::Equal && TypeOf(RightOperand(v)) == ValueType::Range;
}

bool IsPlot(const Value* v) {
  return TypeOf(v) == ValueType::Function && FunctionEntryName(v) == "plot";
}

void RegisterPlot() { RegisterExternalFunction(PlotHandler, "plot", 3, 1); }

Value* PlotHandler(Value* const* args, Value* out) {
  const Value* f = args[0];
  const Value* xspec = args[1];
  const Value* yspec = args[2];
  if (!f || !xspec) return MakeError(ErrorCode::NotARangeOrOperator, f ? f : xspec, out);
  if (TypeOf(f) == ValueType::Error) return CopyValue(f, out);
  if (TypeOf(xspec) == ValueType::Error) return CopyValue(xspec, out);
  if (yspec && TypeOf(yspec) == ValueType::Error) return CopyValue(yspec, out);
  if (!IsAxisRange(xspec)) return MakeError(ErrorCode::NotARangeOrOperator, xspec, out);
  if (yspec && !IsAxisRange(yspec)) return MakeError(ErrorCode::NotARangeOrOperator, yspec, out);
  return MakeExternalApplication(PlotHandler, f, xspec, yspec, nullptr, out);
}

PlotSketch SketchPlot(const Value* node, int left, int top) {
  PlotSketch sketch;
  const Value* f = FunctionArgument(node, 0);
  const Value* xspec = FunctionArgument(node, 1);
  const Value* yspec = FunctionArgumentCount(node) > 2 ? FunctionArgument(node, 2) : nullptr;
  if (!f || !IsAxisRange(xspec) || (yspec && !IsAxisRange(yspec))) return sketch;
  const Value* variable = LeftOperand(xspec);
  if (TypeOf(variable) != ValueType::Variable) return sketch;
  const Value* a = LeftOperand(RightOperand(xspec));
  const Value* b = RightOperand(RightOperand(xspec));
  const std::optional<double> xmin = FiniteDouble(a);
  const std::optional<double> xmax = FiniteDouble(b);
  if (!xmin || !xmax || !(*xmin < *xmax) || !std::isfinite(*xmax - *xmin)) return sketch;

  const Samples samples = Sample(f, TextValueOf(variable), a, b);
  // Half a curve, scaled by the samples taken so far, would mislead: a
  // stopped sampling leaves the square white.
  if (CancelPending()) return sketch;
  std::optional<double> ymin;
  std::optional<double> ymax;
  if (yspec) {
    ymin = FiniteDouble(LeftOperand(RightOperand(yspec)));
    ymax = FiniteDouble(RightOperand(RightOperand(yspec)));
  } else {
    for (const std::optional<double>& v : samples) {
      if (!v) continue;
      if (!ymin || *ymin > *v) ymin = v;
      if (!ymax || *v > *ymax) ymax = v;
    }
    if (ymin && *ymin == *ymax) {
      *ymin -= 1;
      *ymax += 1;
    }
  }
  if (!ymin || !ymax || !(*ymin < *ymax) || !std::isfinite(*ymax - *ymin)) return sketch;

  const double xLow = left - kBand;
  const double xHigh = left + kSpan + kBand;
  const double yLow = top - kBand;
  const double yHigh = top + kSpan + kBand;
  const double sx = *xmin / (*xmax - *xmin) * kSpan;
  const double sy = *ymin / (*ymax - *ymin) * kSpan;
  const int yAxisX = Round(left - sx, xLow, xHigh);
  const int xAxisY = Round(top + kSpan + sy, yLow, yHigh);
  sketch.axes.push_back({yAxisX, top, 0, kSpan});
  sketch.axes.push_back({left, xAxisY, kSpan, 0});
  const int tickX = Round(left - sx - 5, xLow, xHigh);
  const int tickY = Round(top + kSpan - 5 + sy, yLow, yHigh);
  for (int k = 0; k < kTicks; ++k) {
    sketch.axes.push_back({tickX, top + kTickStep * k, 10, 0});
    sketch.axes.push_back({left + kTickStep * k, tickY, 0, 10});
  }

  bool previousReal = false;
  int previous = 0;
  for (int u = 0; u <= kSpan; ++u) {
    const std::optional<double>& v = samples[static_cast<std::size_t>(u)];
    if (!v) {
      previousReal = false;
      continue;
    }
    const double p = (*v - *ymin) / (*ymax - *ymin) * kSpan;
    const int y = Round(top + kSpan - p, yLow, yHigh);
    if (*ymin <= *v && *v <= *ymax) sketch.pixels.push_back({left + u, y});
    if (previousReal) sketch.segments.push_back({left + u - 1, previous, left + u, y});
    previous = y;
    previousReal = true;
  }
  return sketch;
}

}  // namespace symcalc::gui
