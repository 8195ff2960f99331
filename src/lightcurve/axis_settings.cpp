#include "lightcurve/axis_settings.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace orvane::lightcurve {
namespace {

void widen(double value, double& low, double& high) {
  low = std::min(low, value);
  high = std::max(high, value);
}

std::string box_text(double value) {
  return core::str_trimmed(value);
}

// The upper magnitude limit as the box shows it: one tenth above the data for found ranges,
// the typed value rounded to a tenth for hand ranges.
std::string upper_text(double max, bool hand_scale) {
  if (hand_scale) return box_text(core::floor_half_up(10 * max) / 10);
  return box_text((std::floor(10 * max) + 1) / 10);
}

}  // namespace

AxisSettings auto_axes(const LightCurveData& data) {
  AxisSettings s;
  for (const Record& r : data.records) {
    widen(r.hour, s.hour_min, s.hour_max);
    widen(r.check_minus_comp(), s.check_min, s.check_max);
    widen(r.var_minus_comp(), s.var_min, s.var_max);
  }
  return s;
}

ChartAxes chart_axes(const AxisSettings& settings, ChartKind kind) {
  ChartAxes axes;
  axes.hour_start = std::floor(settings.hour_min);
  axes.hour_end = std::floor(settings.hour_max) + 1;
  axes.low = std::floor(10 * settings.min(kind));
  axes.high = std::floor(10 * settings.max(kind)) + (settings.hand_scale ? 0 : 1);
  return axes;
}

AxisWindowTexts axis_window_texts(const AxisSettings& s) {
  AxisWindowTexts t;
  t.hour_from = box_text(std::floor(s.hour_min));
  t.hour_to = box_text(std::floor(s.hour_max) + 1);
  t.check_from = box_text(std::floor(10 * s.check_min) / 10);
  t.check_to = upper_text(s.check_max, s.hand_scale);
  t.var_from = box_text(std::floor(10 * s.var_min) / 10);
  t.var_to = upper_text(s.var_max, s.hand_scale);
  t.check_step = box_text(s.check_step / 10);
  t.var_step = box_text(s.var_step / 10);
  return t;
}

core::Result<AxisSettings> axis_window_ok(const AxisWindowTexts& t) {
  const struct {
    const char* axis;
    const std::string& from;
    const std::string& to;
  } ranges[] = {{"Hour Axis", t.hour_from, t.hour_to},
                {"C-K Axis", t.check_from, t.check_to},
                {"V-C Axis", t.var_from, t.var_to}};
  for (const auto& r : ranges) {
    // Written as !(to > from) so that a non-number is refused too.
    if (!(core::val(r.to) > core::val(r.from))) {
      return core::Error{std::string(r.axis) + ": the upper value must be above the lower value"};
    }
  }
  AxisSettings s;
  s.check_step = 10 * core::val(t.check_step);
  s.var_step = 10 * core::val(t.var_step);
  if (!(s.check_step > 0) || !(s.var_step > 0)) {
    return core::Error{"The step must be above 0"};
  }
  s.hour_min = core::val(t.hour_from);
  s.hour_max = core::val(t.hour_to) - 1;
  s.check_min = core::val(t.check_from);
  s.check_max = core::floor_half_up(10 * core::val(t.check_to)) / 10;
  s.var_min = core::val(t.var_from);
  s.var_max = core::floor_half_up(10 * core::val(t.var_to)) / 10;
  s.hand_scale = true;
  return s;
}

}  // namespace orvane::lightcurve
