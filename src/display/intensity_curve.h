#pragma once

#include <cstdint>
#include <vector>

#include "core/image_frame.h"
#include "core/polynomial.h"

namespace orvane::display {

// A straight line of the intensity-curve chart in chart units: x from 0 to width + 0.1, y from
// 0 at the top down to curve_scale (level 0 lies at y = 255).
struct CurveSegment {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool operator==(const CurveSegment&) const = default;
};

// The level of a value on the chart: floor((v - min_value) / max_value x 256 + 0.5) +
// curve_offset. The level divides by max_value itself, not by the span. With a max_value of 0
// every value lies at level 0 (plus the offset): the curve is a flat line at the chart's
// level-0 line rather than a division by zero.
int curve_level(std::int32_t value, const core::ImageFrame& frame, int curve_offset);

// The black curve of frame row `row`: (i - 1, 255 - level(i - 1)) to (i, 255 - level(i)) for
// i = 1 .. width - 1. Nothing for a row outside the store (0..5500) or a frame narrower than 2.
std::vector<CurveSegment> intensity_curve_segments(const core::ImageFrame& frame, int row,
                                                   int curve_offset);

// The yellow fitted curve over it, the fit's values at x - 1 and x on the same level scale
// (Int(v + 0.5), the floor) with each level limited to 0..255.
std::vector<CurveSegment> fit_curve_segments(const core::ImageFrame& frame,
                                             const core::Polynomial& fit, int curve_offset);

}  // namespace orvane::display
