#include "display/auto_contrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace orvane::display {
namespace {

using orvane::core::ImageFrame;

// A one-row frame with `count` pixels in each bin k = 0..300, all of the value
// min + bin_width * k, which lies exactly at the bin's centre.
void fill(ImageFrame& f, int min, int bin_width, const std::vector<std::pair<int, int>>& bins) {
  f.width = 0;
  f.height = 1;
  for (const auto& [k, count] : bins)
    for (int i = 0; i < count; ++i) f.pixels.at(f.width++, 0) = min + bin_width * k;
}

// A sky peak with a tail: h(0) = 1, h(100) = 50, h(101) = 20, h(102) = 10, h(103) = 5,
// h(300) = 1. Mode 100, f(100) = sqrt(2500 + 400 + 100) / 5 = 10.95, edge level 1.095.
// Down: f(99) = sqrt(2900) / 5, f(98) = 10, f(97) = 0 -> lower edge bin 97.
// Up: f(101) = f(102) = sqrt(3025) / 5 = 11, f(103) = sqrt(525) / 5 = 4.58,
// f(104) = sqrt(125) / 5 = 2.24, f(105) = sqrt(25) / 5 = 1.0 -> upper edge bin 105.
const std::vector<std::pair<int, int>> kSky = {{0, 1},    {100, 50}, {101, 20},
                                               {102, 10}, {103, 5},  {300, 1}};

TEST(AutoContrast, FindsTheEdgesOfTheSkyPeak) {
  const struct {
    const char* name;
    int min, bin_width;
    bool dusky;
    std::vector<std::pair<int, int>> bins;
    std::int32_t range, background;
  } cases[] = {
      // Bin width 1: background = 97, top = 105.
      {"unit bins", 0, 1, false, kSky, 8, 97},
      // min -1424, bin width 25 (max 6076): background -1424 + 97 * 25 = 1001,
      // top -1424 + 105 * 25 = 1201.
      {"wide bins", -1424, 25, false, kSky, 200, 1001},
      // Dusky: 200 * 10 = 2000; 1001 * 1.5 = 1501.5 -> even 1502.
      {"dusky", -1424, 25, true, kSky, 2000, 1502},
      // One saturated pixel puts the sky in bins 0..2: h = 40, 20, 5, mode 0,
      // f(0) = sqrt(1600 + 400 + 25) / 5 = 9, level 0.9. Nothing below bin 0 falls under the
      // level -> bin 0, background 0. Up: f(1) = f(2) = 9, f(3) = sqrt(425) / 5 = 4.12,
      // f(4) = 1.0, f(5) = 0 -> top 5 * 10 = 50.
      {"sky in bin 0", 0, 10, false, {{0, 40}, {1, 20}, {2, 5}, {300, 1}}, 50, 0},
      // Mostly at the maximum: h(300) = 50, f(300) = f(299) = f(298) = 10, f(297) = 0 ->
      // background 2970; no upper edge -> bin 300, top 3000.
      {"mostly at the maximum", 0, 10, false, {{0, 1}, {300, 50}}, 30, 2970},
  };
  for (const auto& c : cases) {
    ImageFrame f;
    fill(f, c.min, c.bin_width, c.bins);
    // Dusky readings leave values of 60000 and more out of max_value; such pixels lie
    // beyond bin 300 and are left out (counted in bin 300 they would be the mode).
    for (int i = 0; c.dusky && i < 60; ++i) f.pixels.at(f.width++, 0) = 65000;
    f.min_value = c.min;
    f.max_value = c.min + 300 * c.bin_width;
    f.dusky_mode = c.dusky;
    // Pixels outside width x height do not count either.
    for (int x = 0; x < 200; ++x) f.pixels.at(x, 1) = f.max_value;
    DisplayState state{.range = 7, .background = 3};
    auto_contrast(f, state);
    EXPECT_EQ(state.range, c.range) << c.name;
    EXPECT_EQ(state.background, c.background) << c.name;
  }
}

TEST(AutoContrast, WithoutASpreadOfValuesKeepsRangeAndBackground) {
  const struct {
    const char* name;
    std::int32_t max_value, min_value;
    DisplayState before;
    std::int32_t range, background;
  } cases[] = {
      {"max = min", 500, 500, {.range = 123, .background = 45}, 123, 45},
      {"max = min, only the lower limit 1 of the range applies", 500, 500, {.range = -5}, 1, 0},
      // Undo of an all-zero frame leaves max -1 and min 2147483647: no histogram either.
      {"after undo of zeros", -1, 2147483647, {.range = 123, .background = 45}, 123, 45},
      {"nothing loaded yet", 0, 0, {}, 1, 0},
  };
  for (const auto& c : cases) {
    ImageFrame flat;
    if (c.max_value != 0) fill(flat, 500, 0, {{0, 30}});
    flat.max_value = c.max_value;
    flat.min_value = c.min_value;
    flat.dusky_mode = true;
    DisplayState state = c.before;
    auto_contrast(flat, state);
    EXPECT_EQ(state.range, c.range) << c.name;
    EXPECT_EQ(state.background, c.background) << c.name;
  }
}

// Both ways of counting (per value, then per bin; or the formula per pixel) against the
// formula applied pixel by pixel.
TEST(AutoContrast, HistogramMatchesTheBinFormula) {
  // 70 x 70 = 4900 pixels of 0..999 with every 37th outside, in -100..-1 (bin 0) or
  // 1000..1399 (bin 300 or left out): 1000 values fit a per-value count, 1e7 do not.
  const std::pair<std::int32_t, std::int32_t> spans[] = {{0, 999}, {-5000000, 5000000}};
  for (const auto& [min_value, max_value] : spans) {
    ImageFrame f;
    f.width = f.height = 70;
    f.min_value = min_value;
    f.max_value = max_value;
    Histogram expected{};
    const double bin_width = (double(max_value) - min_value) / 300;
    for (int i = 0; i < 70 * 70; ++i) {
      int v = (i * 37 + i / 70 * 101) % 1000;
      if (i % 37 == 0) v = (i / 37) % 2 ? -1 - v % 100 : 1000 + v % 400;
      f.pixels.at(i % 70, i / 70) = v;
      const double k = std::floor((v - double(min_value)) / bin_width + 0.5);
      if (k <= 300) ++expected[k < 0 ? 0 : int(k)];
    }
    EXPECT_EQ(histogram_bins(f), expected) << min_value;
  }
}

}  // namespace
}  // namespace orvane::display
