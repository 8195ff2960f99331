#pragma once

#include <string>

#include "core/result.h"
#include "lightcurve/light_curve_data.h"

// The ranges of the two light-curve charts: found from the records, or typed into the axis
// window ("Light Curve X-Y Axis").
namespace orvane::lightcurve {

enum class ChartKind {
  kCheck,     // C-K, the upper chart
  kVariable,  // V-C, the lower chart, with the hour labels; clicks pick its points
};

struct AxisSettings {
  // Minima start at 99 and maxima at -99, so the first record sets both.
  double hour_min = 99;
  double hour_max = -99;
  double check_min = 99;  // C-K in magnitudes
  double check_max = -99;
  double var_min = 99;  // V-C in magnitudes
  double var_max = -99;
  double check_step = 0.5;  // grid step in tenths of a magnitude
  double var_step = 0.5;
  bool hand_scale = false;  // ranges typed in the axis window

  double min(ChartKind kind) const { return kind == ChartKind::kCheck ? check_min : var_min; }
  double max(ChartKind kind) const { return kind == ChartKind::kCheck ? check_max : var_max; }
  double step(ChartKind kind) const { return kind == ChartKind::kCheck ? check_step : var_step; }
};

// The ranges of all held records (marks do not matter) with steps of 0.5 tenth: the settings
// right after loading, and the copy that "Auto scale" restores.
AxisSettings auto_axes(const LightCurveData& data);

// The axes a chart is drawn with: whole hours, magnitudes in tenths.
struct ChartAxes {
  double hour_start = 0;  // Int(hour minimum)
  double hour_end = 0;    // Int(hour maximum) + 1
  double low = 0;         // Int(10 x minimum)
  double high = 0;        // Int(10 x maximum) + 1, without the + 1 for hand ranges
};
ChartAxes chart_axes(const AxisSettings& settings, ChartKind kind);

// The eight boxes of the axis window: hour from/to, C-K from/to, V-C from/to, C-K step, V-C step
// (steps in magnitudes).
struct AxisWindowTexts {
  std::string hour_from, hour_to;
  std::string check_from, check_to;
  std::string var_from, var_to;
  std::string check_step, var_step;
};

// What the boxes show when the axis window opens.
AxisWindowTexts axis_window_texts(const AxisSettings& settings);

// OK of the axis window: the hand ranges read from the boxes. A step of 0 or less, or a "to" not
// above its "from", is refused with a message and the settings stay as they were.
core::Result<AxisSettings> axis_window_ok(const AxisWindowTexts& texts);

}  // namespace orvane::lightcurve
