#include "core/image_frame.h"

#include <gtest/gtest.h>

#include <cstdint>
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

  // (1 + 2 + 3 + 4) / 4 = 2.5, rounded up to 3; max and min are the stored ones.
  set_image(frame, 2, 2, {1, 2, 3, 4});
  frame.max_value = 4;
  frame.min_value = 1;
  EXPECT_EQ(statistics_show(frame), "max 4 / min 1 / ave 3");
  // (-1 - 4) / 2 = -2.5 rounds up to -2.
  set_image(frame, 2, 1, {-1, -4});
  frame.max_value = 99;
  frame.min_value = -7;
  EXPECT_EQ(statistics_show(frame), "max 99 / min-7 / ave-2");
  // Sums beyond 32 bits: (2147483647 + 2147483645) / 2 = 2147483646.
  set_image(frame, 2, 1, {2147483647, 2147483645});
  EXPECT_EQ(statistics_show(frame), "max 99 / min-7 / ave 2147483646");
}

TEST(Undo, RestoresPixelsAndExtremesOfTheImageOnly) {
  ImageFrame frame;
  // A stale 1000 at (3, 3) from an earlier 4 x 4 image lies outside the current 2 x 2 one.
  frame.pixels.at(3, 3) = 1000;
  set_image(frame, 2, 2, {0, 5, -3, 7});
  undo_take(frame);
  EXPECT_TRUE(frame.undo_available);
  set_image(frame, 2, 2, {9, 9, 9, 9});
  frame.pixels.at(5000, 5000) = 1;

  const UndoOutcome outcome = undo_restore(frame);
  EXPECT_EQ(frame.pixels.at(0, 0), 0);
  EXPECT_EQ(frame.pixels.at(1, 0), 5);
  EXPECT_EQ(frame.pixels.at(0, 1), -3);
  EXPECT_EQ(frame.pixels.at(1, 1), 7);
  EXPECT_EQ(frame.pixels.at(5000, 5000), 0);  // the whole store comes back
  EXPECT_EQ(frame.pixels.at(3, 3), 1000);
  // The zero takes no part; the stale 1000 neither.
  EXPECT_EQ(outcome.max_value, 7);
  EXPECT_EQ(outcome.min_value, -3);
  EXPECT_EQ(frame.max_value, 7);
  EXPECT_EQ(frame.min_value, -3);
  // (0 + 5 - 3 + 7) / 4 = 2.25 -> 2.
  EXPECT_EQ(outcome.statistics, "max 7 / min-3 / ave 2");
  EXPECT_FALSE(frame.undo_available);

  // An all-zero image has no extremes.
  set_image(frame, 2, 2, {0, 0, 0, 0});
  undo_take(frame);
  EXPECT_EQ(undo_restore(frame).statistics, "max-1 / min 2147483647 / ave 0");
}

}  // namespace
}  // namespace orvane::core
