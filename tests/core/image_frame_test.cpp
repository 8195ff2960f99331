#include "core/image_frame.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace orvane::core {
namespace {

// Sets a width x height image, row by row.
void set_image(ImageFrame& frame, int width, int height, const std::vector<std::int32_t>& values) {
  frame.width = width;
  frame.height = height;
  for (int i = 0; i < width * height; ++i) frame.pixels.at(i % width, i / width) = values[i];
}

TEST(Statistics, Line) {
  ImageFrame frame;
  EXPECT_EQ(statistics_show(frame), "max 0 / min 0 / ave 0");

  // Max and min are the stored ones; (-1 - 4) / 2 = -2.5 rounds up to -2.
  set_image(frame, 2, 1, {-1, -4});
  frame.max_value = 99, frame.min_value = -7;
  EXPECT_EQ(statistics_show(frame), "max 99 / min-7 / ave-2");
  // Sums beyond 32 bits: (2147483647 + 2147483645) / 2 = 2147483646.
  set_image(frame, 2, 1, {2147483647, 2147483645});
  EXPECT_EQ(statistics_show(frame), "max 99 / min-7 / ave 2147483646");
}

TEST(Extremes, LeaveOutZerosAndTheStaleArea) {
  ImageFrame frame;
  frame.pixels.at(2, 0) = 500;  // beyond the width: stale
  set_image(frame, 2, 2, {0, -4, 9, 0});
  EXPECT_EQ(extremes_without_zeros(frame), std::pair(9, -4));
  set_image(frame, 2, 2, {0, 0, 0, 0});
  EXPECT_EQ(extremes_without_zeros(frame), std::pair(-1, 2147483647));
}

TEST(Undo, RestoresPixelsAndExtremesOfTheImageOnly) {
  ImageFrame frame;
  // A stale 1000 at (3, 3) from an earlier 4 x 4 image lies outside the current 2 x 2 one.
  frame.pixels.at(3, 3) = 1000;
  set_image(frame, 2, 2, {0, 5, -3, 7});
  undo_take(frame);
  set_image(frame, 2, 2, {9, 9, 9, 9});
  frame.pixels.at(5000, 5000) = 1;

  const UndoOutcome outcome = undo_restore(frame);
  const std::vector<std::int32_t> restored = {frame.pixels.at(0, 0), frame.pixels.at(1, 0),
                                              frame.pixels.at(0, 1), frame.pixels.at(1, 1),
                                              frame.pixels.at(3, 3), frame.pixels.at(5000, 5000)};
  // The whole store comes back, the stale 1000 too.
  EXPECT_EQ(restored, (std::vector<std::int32_t>{0, 5, -3, 7, 1000, 0}));
  // The zero takes no part in the extremes; the stale 1000 neither. (0 + 5 - 3 + 7) / 4 = 2.25.
  EXPECT_EQ(std::pair(frame.max_value, frame.min_value), std::pair(7, -3));
  EXPECT_EQ(outcome.statistics, "max 7 / min-3 / ave 2");
  EXPECT_FALSE(frame.undo_available);

  // An all-zero image has no extremes.
  set_image(frame, 2, 2, {0, 0, 0, 0});
  undo_take(frame);
  EXPECT_EQ(undo_restore(frame).statistics, "max-1 / min 2147483647 / ave 0");
}

}  // namespace
}  // namespace orvane::core
