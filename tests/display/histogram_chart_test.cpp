#include "display/histogram_chart.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

using orvane::core::ImageFrame;

// A one-row frame of the values, with the extremes given.
const ImageFrame& frame_of(ImageFrame& f, std::vector<std::int32_t> values, std::int32_t min,
                           std::int32_t max) {
  f.width = int(values.size());
  f.height = 1;
  for (int x = 0; x < f.width; ++x) f.pixels.at(x, 0) = values[std::size_t(x)];
  f.min_value = min;
  f.max_value = max;
  return f;
}

TEST(HistogramChart, BinsOfTheWholeSpanAndOfTheWindow) {
  ImageFrame f;
  // 0..300: 150 in bin 150, 300 limited to bin 299, 0 in bin 0.
  const Histogram whole = whole_span_chart(frame_of(f, {0, 150, 300, 300}, 0, 300));
  EXPECT_EQ(whole[0], 1);
  EXPECT_EQ(whole[150], 1);
  EXPECT_EQ(whole[299], 2);
  EXPECT_EQ(chart_height(whole), 3);
  // Background 100, range 300: 101 in bin 1; 100 (bin 0) and 400 (bin 300) are left out.
  const Histogram window = window_chart(frame_of(f, {100, 101, 400, 250}, 100, 400), 100, 300);
  EXPECT_EQ(window[1], 1);
  EXPECT_EQ(window[150], 1);
  EXPECT_EQ(window[0] + window[300], 0);
  EXPECT_EQ(chart_height(window_chart(frame_of(f, {5}, 5, 5), 5, 0)), 1);  // empty, no division
}

TEST(HistogramChart, LeftClickKeepsTheTopOtherClicksMoveIt) {
  ImageFrame f;
  frame_of(f, {1000, 4000}, 1000, 4000);
  ContrastEdit edit{.background = 2000, .range = 1000};
  click_background(edit, chart_value(f, edit, 150), 150);
  EXPECT_EQ(edit.background, 2500);
  EXPECT_EQ(edit.range, 500);  // the top stays at 3000
  click_top(edit, chart_value(f, edit, 300), 300);
  EXPECT_EQ(edit.range, 4000 - 2500);
  edit.zoomed = true;  // background 2500 + 1500 * 100 / 300
  EXPECT_EQ(chart_value(f, edit, 100), 3000);
}

}  // namespace
}  // namespace orvane::display
