#include "display/rotation.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace orvane::display {

// Same result as swapping pixel (x, y) with (w-1-x, h-1-y) walking from both ends of the
// frame towards its middle: row y is exchanged, reversed, with row h-1-y, and the middle row of
// an odd height is reversed in place (its middle pixel stays).
void rotate_180(orvane::core::ImageFrame& frame) {
  using orvane::core::ImageFrame;
  const int w = std::min(frame.width, ImageFrame::kMaxSide);
  const int h = std::min(frame.height, ImageFrame::kMaxSide);
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h / 2; ++y) {
    std::int32_t* top = frame.pixels.row(y);
    std::int32_t* bottom = frame.pixels.row(h - 1 - y);
    for (int x = 0; x < w; ++x) std::swap(top[x], bottom[w - 1 - x]);
  }
  if (h % 2 == 1) {
    std::int32_t* middle = frame.pixels.row(h / 2);
    std::reverse(middle, middle + w);
  }
}

}  // namespace orvane::display
