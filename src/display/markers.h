#pragma once

#include <vector>

namespace orvane::display {

struct DisplayPoint {
  int x, y;
  friend bool operator==(const DisplayPoint&, const DisplayPoint&) = default;
};

// The outline of a star's search square in display pixels: centre (cx, cy) =
// floor(v / s + 0.5) of the star's frame position (x, y), half side r = floor(span / s + 0.5).
// The sides are walked bottom row cy + r, top row cy - r, left column cx - r, right column
// cx + r, each for t = -r .. +r along the side, so every corner appears twice. Points that no
// picture can hold (outside 0 .. 5500 in either direction) are left out, which keeps a huge
// span from walking billions of pixels; a negative half side gives no points.
std::vector<DisplayPoint> search_square(double x, double y, double span, int scale);

}  // namespace orvane::display
