#include "lightcurve/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/number_text.h"

namespace orvane::lightcurve {
namespace {

// The plot area inside the picture: 90 % of each side, 5 % margins.
struct PlotArea {
  double left, top, width, height;
};

PlotArea plot_area(int width, int height) {
  return {core::floor_half_up(0.05 * width), core::floor_half_up(0.05 * height),
          core::floor_half_up(0.9 * width), core::floor_half_up(0.9 * height)};
}

// Int(v) as a pixel position; values far outside any picture are held at a distance that
// still lies outside it.
int pixel(double v) {
  constexpr double kFar = 1e8;
  if (std::isnan(v)) return kNoPosition;
  return static_cast<int>(std::clamp(std::floor(v), -kFar, kFar));
}

// A span of 0 (a hand range narrower than one tenth or one hour) puts everything at the start
// instead of dividing by zero.
double usable_span(double span) {
  return span == 0 ? 1 : span;
}

double offset(double value, double start, double span, double length) {
  return core::floor_half_up((value - start) / usable_span(span) * length);
}

ChartPrimitive line(int x1, int y1, int x2, int y2) {
  return {ChartPrimitive::Kind::kLine, x1, y1, x2, y2, kChartBlack, 1, {}};
}

ChartPrimitive text(int x, int y, std::string s, std::uint32_t colour = kChartBlack) {
  return {ChartPrimitive::Kind::kText, x, y, 0, 0, colour, 1, std::move(s)};
}

// A magnitude label: v tenths as magnitudes, without the binary noise a step sum leaves.
std::string magnitude_label(double tenths) {
  return core::str(std::round(tenths / 10 * 1e9) / 1e9);
}

void add_magnitude_grid(ChartDrawing& d, const PlotArea& a, const ChartAxes& axes, double step) {
  if (!(step > 0) || !std::isfinite(axes.low) || !std::isfinite(axes.high)) return;
  const double span = axes.high - axes.low;
  for (int k = 0; k < kMaxGridLines; ++k) {
    const double v = axes.low + k * step;
    if (!(v <= axes.high)) break;
    const int y = pixel(a.top + offset(v, axes.low, span, a.height));
    d.primitives.push_back(line(pixel(a.left), y, pixel(a.left + a.width), y));
    d.primitives.push_back(text(5, y - 5, magnitude_label(v)));
  }
}

void add_hour_grid(ChartDrawing& d, const PlotArea& a, const ChartAxes& axes, bool labels) {
  if (!std::isfinite(axes.hour_start) || !std::isfinite(axes.hour_end)) return;
  const double span = axes.hour_end - axes.hour_start;
  for (int k = 0; k < kMaxGridLines; ++k) {
    const double h = axes.hour_start + k;
    if (!(h <= axes.hour_end)) break;
    const int x = pixel(a.left + offset(h, axes.hour_start, span, a.width));
    d.primitives.push_back(line(x, pixel(a.top), x, pixel(a.top + a.height)));
    if (labels) d.primitives.push_back(text(x, d.height - 25, core::str(h)));
  }
}

void add_points(ChartDrawing& d, const LightCurveData& data, const PlotArea& a,
                const ChartAxes& axes, ChartKind kind) {
  const double hour_span = axes.hour_end - axes.hour_start;
  const double span = axes.high - axes.low;
  d.points.assign(data.records.size(), ChartPoint{});
  for (std::size_t i = 0; i < data.records.size(); ++i) {
    const Record& r = data.records[i];
    if (!r.in_use()) continue;
    const double difference = kind == ChartKind::kCheck ? r.check_minus_comp() : r.var_minus_comp();
    const ChartPoint p{pixel(a.left + offset(r.hour, axes.hour_start, hour_span, a.width)),
                       pixel(a.top + offset(10 * difference, axes.low, span, a.height))};
    if (p.x == kNoPosition && p.y == kNoPosition) continue;
    d.points[i] = p;
    d.primitives.push_back({ChartPrimitive::Kind::kPoint, p.x, p.y, 0, 0, kChartGreen, 3, {}});
  }
}

}  // namespace

ChartDrawing chart_drawing(const LightCurveData& data, const AxisSettings& settings, ChartKind kind,
                           int width, int height) {
  ChartDrawing d;
  d.width = width;
  d.height = height;
  d.primitives.push_back({ChartPrimitive::Kind::kFill, 0, 0, width, height, kChartWhite, 1, {}});
  d.primitives.push_back(text(width - 25, 5, kind == ChartKind::kCheck ? "C-K" : "V-C", kChartRed));
  const PlotArea area = plot_area(width, height);
  const ChartAxes axes = chart_axes(settings, kind);
  add_magnitude_grid(d, area, axes, settings.step(kind));
  add_hour_grid(d, area, axes, kind == ChartKind::kVariable);
  add_points(d, data, area, axes, kind);
  return d;
}

std::optional<std::size_t> hit_record(const std::vector<ChartPoint>& points, int x, int y) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    const ChartPoint& p = points[i];
    if (p.x == kNoPosition && p.y == kNoPosition) continue;
    if (std::llabs(static_cast<long long>(p.x) - x) <= 1 &&
        std::llabs(static_cast<long long>(p.y) - y) <= 1) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace orvane::lightcurve
