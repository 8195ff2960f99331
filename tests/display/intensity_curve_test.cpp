#include "display/intensity_curve.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace orvane::display {
namespace {

using Segments = std::vector<CurveSegment>;

TEST(IntensityCurve, LevelsAndSegmentsInChartUnits) {
  auto frame = std::make_unique<core::ImageFrame>();
  frame->width = 3, frame->height = 1;
  frame->min_value = 0, frame->max_value = 1000;
  frame->pixels.at(0, 0) = 500, frame->pixels.at(1, 0) = 0, frame->pixels.at(2, 0) = 1000;
  // 500 / 1000 x 256 + 0.5 = 128.5, floor 128: plotted at 255 - 128 = 127.
  EXPECT_EQ(curve_level(500, *frame, 0), 128);
  EXPECT_EQ(intensity_curve_segments(*frame, 0, 0), (Segments{{0, 127, 1, 255}, {1, 255, 2, -1}}));
  // An offset of 10 raises the curve by 10 levels.
  EXPECT_EQ(intensity_curve_segments(*frame, 0, 10).front(), (CurveSegment{0, 117, 1, 245}));
  EXPECT_TRUE(intensity_curve_segments(*frame, 5501, 0).empty());
  EXPECT_TRUE(intensity_curve_segments(*frame, -1, 0).empty());

  // The fitted curve is limited to the chart: 2000 would be level 512, drawn at level 255.
  core::Polynomial line{2, {0, 1000, 0}};  // 1000 x
  EXPECT_EQ(fit_curve_segments(*frame, line, 0), (Segments{{0, 255, 1, 0}, {1, 0, 2, 0}}));

  frame->max_value = 0;
  EXPECT_EQ(curve_level(500, *frame, 4), 4);
}

}  // namespace
}  // namespace orvane::display
