#include "display/rotation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace orvane::display {
namespace {

using orvane::core::ImageFrame;

// Turned by 180 degrees, the pixels read row by row come out in reverse order:
// 1 2 3 / 4 5 6 / 7 8 9 becomes 9 8 7 / 6 5 4 / 3 2 1, the middle 5 staying.
TEST(Rotation, TurnsTheFrameBy180Degrees) {
  for (const auto& [w, h] : {std::pair{3, 3}, std::pair{4, 2}, std::pair{5, 1}, std::pair{1, 1}}) {
    ImageFrame f;
    f.width = w;
    f.height = h;
    for (int i = 0; i < w * h; ++i) f.pixels.at(i % w, i / w) = 1 + i;
    f.pixels.at(w, 0) = 77;  // the store's spare column is not part of the picture
    f.undo_pixels.at(0, 0) = 42;
    rotate_180(f);
    for (int i = 0; i < w * h; ++i)
      EXPECT_EQ(f.pixels.at(i % w, i / w), w * h - i) << w << " x " << h << ", pixel " << i;
    EXPECT_EQ(f.pixels.at(w, 0), 77);
    EXPECT_EQ(f.undo_pixels.at(0, 0), 42);
  }
}

}  // namespace
}  // namespace orvane::display
