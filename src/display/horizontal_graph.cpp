#include "display/horizontal_graph.h"

#include <algorithm>
#include <cmath>

namespace orvane::display {

std::vector<DisplayPoint> horizontal_graph_points(const core::ImageFrame& frame, int column,
                                                  int row, double zoom, int level) {
  constexpr int kLast = core::ImageFrame::kMaxSide - 1;
  std::vector<DisplayPoint> points;
  if (row < 0 || row > kLast) return points;
  int start = std::max(column - 25, 0);
  if (start + kGraphPoints - 1 > frame.width) start = std::max(frame.width - 50, 0);
  const double span = double(frame.max_value) - double(frame.min_value);
  for (int k = 0; k < kGraphPoints; ++k) {
    const int i = start + k;
    if (i > kLast) break;
    const double value = frame.pixels.at(i, row);
    const double g = span != 0 ? std::floor((value - frame.min_value) / span * 256) : 0.0;
    const double y = std::floor((270 - g + level) * zoom);
    points.push_back({k, static_cast<int>(std::clamp(y, -1e6, 1e6))});
  }
  return points;
}

}  // namespace orvane::display
