#include "display/rotation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace orvane::display {
namespace {

using orvane::core::ImageFrame;

std::vector<int> region(const ImageFrame& f) {
  std::vector<int> values;
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x) values.push_back(f.pixels.at(x, y));
  return values;
}

void fill(ImageFrame& f, int w, int h) {
  f.width = w;
  f.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) f.pixels.at(x, y) = 1 + x + w * y;
}

TEST(Rotation, TurnsTheFrameBy180Degrees) {
  ImageFrame f;
  fill(f, 3, 3);           // 1 2 3 / 4 5 6 / 7 8 9
  f.pixels.at(3, 0) = 77;  // the store's spare column is not part of the picture
  f.undo_pixels.at(0, 0) = 42;
  rotate_180(f);
  EXPECT_EQ(region(f), (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}));  // middle 5 stays
  EXPECT_EQ(f.pixels.at(3, 0), 77);
  EXPECT_EQ(f.undo_pixels.at(0, 0), 42);
  EXPECT_EQ(f.undo_pixels.at(2, 2), 0);

  ImageFrame g;
  fill(g, 4, 2);  // 1 2 3 4 / 5 6 7 8
  rotate_180(g);
  EXPECT_EQ(region(g), (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));

  ImageFrame row;
  fill(row, 5, 1);  // a single odd row reverses about its middle pixel
  rotate_180(row);
  EXPECT_EQ(region(row), (std::vector<int>{5, 4, 3, 2, 1}));
}

TEST(Rotation, TwiceRestoresTheFrame) {
  for (const auto& [w, h] : {std::pair{7, 5}, std::pair{6, 4}, std::pair{1, 1}}) {
    ImageFrame f;
    fill(f, w, h);
    const std::vector<int> before = region(f);
    rotate_180(f);
    if (w * h > 1) EXPECT_NE(region(f), before);
    rotate_180(f);
    EXPECT_EQ(region(f), before) << w << " x " << h;
  }
}

}  // namespace
}  // namespace orvane::display
