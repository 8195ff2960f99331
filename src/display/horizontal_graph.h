#pragma once

#include <vector>

#include "core/image_frame.h"
#include "display/markers.h"

namespace orvane::display {

// The points per graph: the bow column and 25 columns on either side.
inline constexpr int kGraphPoints = 51;

// The "horizontal graph" of row `row` around column `column`: start = column - 25, moved right
// to 0 and then left so that start + 50 does not pass width (never below 0 again). Point k of
// column i = start + k lies at (k, floor((270 - g + level) x zoom)) with g = floor((v - min) /
// (max - min) x 256), no rounding term; g is 0 when max equals min. Columns outside the store
// (0 .. 5500) and a row outside it give no points.
std::vector<DisplayPoint> horizontal_graph_points(const core::ImageFrame& frame, int column,
                                                  int row, double zoom, int level);

}  // namespace orvane::display
