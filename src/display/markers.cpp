#include "display/markers.h"

#include <algorithm>
#include <cstdint>

#include "core/image_frame.h"
#include "display/render.h"

namespace orvane::display {

namespace {

constexpr std::int64_t kLastIndex = orvane::core::ImageFrame::kMaxSide - 1;

bool on_store(std::int64_t v) {
  return v >= 0 && v <= kLastIndex;
}

// Appends one side: `fixed` across it and centre + t along it for t = -r .. r, skipping points
// beyond the store. `along_x`: the side is a row (t moves x) rather than a column.
void walk_side(std::vector<DisplayPoint>& points, std::int64_t fixed, std::int64_t centre,
               std::int64_t r, bool along_x) {
  if (!on_store(fixed)) return;
  const std::int64_t first = std::max(-r, -centre);
  const std::int64_t last = std::min(r, kLastIndex - centre);
  for (std::int64_t t = first; t <= last; ++t) {
    const int moving = int(centre + t);
    points.push_back(along_x ? DisplayPoint{moving, int(fixed)} : DisplayPoint{int(fixed), moving});
  }
}

}  // namespace

std::vector<DisplayPoint> search_square(double x, double y, double span, int scale) {
  const std::int64_t cx = frame_to_display(x, scale);
  const std::int64_t cy = frame_to_display(y, scale);
  const std::int64_t r = frame_to_display(span, scale);
  std::vector<DisplayPoint> points;
  if (r < 0) return points;
  walk_side(points, cy + r, cx, r, true);   // bottom row
  walk_side(points, cy - r, cx, r, true);   // top row
  walk_side(points, cx - r, cy, r, false);  // left column
  walk_side(points, cx + r, cy, r, false);  // right column
  return points;
}

}  // namespace orvane::display
