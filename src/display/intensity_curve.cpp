#include "display/intensity_curve.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace orvane::display {
namespace {

// floor((v - min_value) / max_value x 256 + 0.5) + offset, 64-bit so that a level far off the
// chart (a stale pixel, a tiny max_value) cannot wrap round; NaN counts as level 0.
std::int64_t level_of(double value, const core::ImageFrame& frame, int offset) {
  double level = 0;
  if (frame.max_value != 0) {
    level = std::floor((value - frame.min_value) / frame.max_value * 256 + 0.5);
  }
  if (!(level == level)) level = 0;
  level = std::clamp(level, -4294967296.0, 4294967296.0);
  return static_cast<std::int64_t>(level) + offset;
}

int chart_y(std::int64_t level) {
  return core::clamp_to_i32(255 - level);
}

int drawn_width(const core::ImageFrame& frame) {
  return std::clamp(frame.width, 0, core::ImageFrame::kMaxSide);
}

}  // namespace

int curve_level(std::int32_t value, const core::ImageFrame& frame, int curve_offset) {
  return core::clamp_to_i32(level_of(value, frame, curve_offset));
}

std::vector<CurveSegment> intensity_curve_segments(const core::ImageFrame& frame, int row,
                                                   int curve_offset) {
  std::vector<CurveSegment> segments;
  if (row < 0 || row >= core::ImageFrame::kMaxSide) return segments;
  const std::int32_t* pixels = frame.pixels.row(row);
  const int width = drawn_width(frame);
  for (int i = 1; i < width; ++i) {
    segments.push_back({i - 1, chart_y(level_of(pixels[i - 1], frame, curve_offset)), i,
                        chart_y(level_of(pixels[i], frame, curve_offset))});
  }
  return segments;
}

std::vector<CurveSegment> fit_curve_segments(const core::ImageFrame& frame,
                                             const core::Polynomial& fit, int curve_offset) {
  const auto y_at = [&](int x) {
    return 255 - int(std::clamp<std::int64_t>(level_of(fit(x), frame, curve_offset), 0, 255));
  };
  std::vector<CurveSegment> segments;
  const int width = drawn_width(frame);
  for (int i = 1; i < width; ++i) segments.push_back({i - 1, y_at(i - 1), i, y_at(i)});
  return segments;
}

}  // namespace orvane::display
