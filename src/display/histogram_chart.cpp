#include "display/histogram_chart.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace orvane::display {

using orvane::core::ImageFrame;

Histogram whole_span_chart(const ImageFrame& frame) {
  if (frame.max_value <= frame.min_value) return Histogram{};
  const double min_value = frame.min_value;
  const double span = double(frame.max_value) - min_value;
  return count_bins(frame, [min_value, span](std::int32_t v) {
    const double k = std::floor((double(v) - min_value) / span * kChartBins + 0.5);
    return int(std::clamp(k, 0.0, double(kChartBins - 1)));
  });
}

Histogram window_chart(const ImageFrame& frame, std::int32_t background, std::int32_t range) {
  if (range <= 0) return Histogram{};
  const double low = background;
  const double width = range;
  return count_bins(frame, [low, width](std::int32_t v) {
    const double k = std::floor((double(v) - low) / width * kChartBins + 0.5);
    return k > 0 && k < kChartBins ? int(k) : -1;
  });
}

std::int64_t chart_height(const Histogram& counts) {
  return *std::max_element(counts.begin(), counts.begin() + kChartBins) + 1;
}

std::int32_t chart_value(const ImageFrame& frame, const ContrastEdit& edit, double x) {
  const double share = x / kChartBins;
  if (edit.zoomed) return core::round_to_i32(share * edit.range + edit.background);
  return core::round_to_i32(share * (double(frame.max_value) - frame.min_value) + frame.min_value);
}

void click_background(ContrastEdit& edit, std::int32_t value, double x) {
  const std::int64_t top = std::int64_t{edit.background} + edit.range;
  edit.background_line = x;
  edit.background = value;
  edit.range = core::clamp_to_i32(top - value);
}

void click_top(ContrastEdit& edit, std::int32_t value, double x) {
  edit.range_line = x;
  edit.range = core::clamp_to_i32(std::int64_t{value} - edit.background);
}

}  // namespace orvane::display
