#include "display/magnifier.h"

#include "display/grey_level.h"
#include "display/rgb_image.h"

namespace orvane::display {

bool magnifier_follows(const orvane::core::ImageFrame& frame, int x, int y) {
  return x >= 0 && x <= frame.width && y >= 0 && y <= frame.height;
}

MagnifierCells magnifier_cells(const orvane::core::ImageFrame& frame, const DisplayState& state,
                               int x, int y) {
  constexpr int kLastIndex = orvane::core::ImageFrame::kMaxSide - 1;
  constexpr int kHalf = kMagnifierCells / 2;
  MagnifierCells cells{};
  if (!magnifier_follows(frame, x, y)) return cells;
  for (int l = 0; l < kMagnifierCells; ++l) {
    const int j = y - kHalf + l;
    // Column `width` and row `height` are shown too (the store's spare column and row), but
    // never beyond the store.
    if (j < 0 || j > frame.height || j > kLastIndex) continue;
    for (int k = 0; k < kMagnifierCells; ++k) {
      const int i = x - kHalf + k;
      if (i < 0 || i > frame.width || i > kLastIndex) continue;
      cells[l][k] = grey(grey_level(frame.pixels.at(i, j), state));
    }
  }
  return cells;
}

}  // namespace orvane::display
