#include "display/horizontal_graph.h"

#include <gtest/gtest.h>

#include <memory>

namespace orvane::display {
namespace {

TEST(HorizontalGraph, FiftyOnePointsFromAClampedStart) {
  auto frame = std::make_unique<core::ImageFrame>();
  frame->width = 60;
  frame->height = 1;
  frame->max_value = 256;
  frame->min_value = 0;
  frame->pixels.at(10, 0) = 128;  // g = 128
  // Column 58: start 33 would end at 83 > 60, so start = 10; column 10 is point 0.
  auto points = horizontal_graph_points(*frame, 58, 0, 1.0, 0);
  ASSERT_EQ(points.size(), 51u);
  EXPECT_EQ(points[0], (DisplayPoint{0, 142}));  // 270 - 128
  EXPECT_EQ(points[1], (DisplayPoint{1, 270}));
  // floor((270 - 128 + 10) x 1.05) = floor(159.6).
  EXPECT_EQ(horizontal_graph_points(*frame, 35, 0, 1.05, 10)[0], (DisplayPoint{0, 159}));
  frame->width = 20;  // narrower than the graph: from column 0, never before it
  EXPECT_EQ(horizontal_graph_points(*frame, 10, 0, 1.0, 0)[10], (DisplayPoint{10, 142}));
}

}  // namespace
}  // namespace orvane::display
