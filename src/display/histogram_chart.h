#pragma once

// The contrast window's chart: the frame's values in bins 0..299 over the whole span or over the
// window of values the picture shows, and the clicks that choose background and top.
#include <cstdint>

#include "core/image_frame.h"
#include "display/value_counts.h"

namespace orvane::display {

inline constexpr int kChartBins = 300;  // bins 0..299 are drawn

// k = floor((v - min_value) / (max_value - min_value) * 300 + 0.5), limited to 0..299. A frame
// of a single value has an empty chart.
Histogram whole_span_chart(const orvane::core::ImageFrame& frame);

// k = floor((v - background) / range * 300 + 0.5), counted only for 0 < k < 300. A range of 0
// or less gives an empty chart.
Histogram window_chart(const orvane::core::ImageFrame& frame, std::int32_t background,
                       std::int32_t range);

// The chart's vertical scale: the largest count of bins 0..299, plus 1.
std::int64_t chart_height(const Histogram& counts);

// What the contrast window edits; the lines are the chart positions of the two black markers.
struct ContrastEdit {
  std::int32_t background = 0;
  std::int32_t range = 0;
  bool zoomed = false;  // the chart shows background .. background + range
  double background_line = 0;
  double range_line = 0;
};

// The value under chart position x (0..300) of the chart the edit shows, rounded halves to even.
std::int32_t chart_value(const orvane::core::ImageFrame& frame, const ContrastEdit& edit, double x);

// A left click at x: the background moves there and the top (background + range) stays.
void click_background(ContrastEdit& edit, std::int32_t value, double x);
// Any other click at x: the top moves there and the background stays.
void click_top(ContrastEdit& edit, std::int32_t value, double x);

}  // namespace orvane::display
