#include "display/render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "display/grey_level.h"

namespace orvane::display {
namespace {

using orvane::core::ImageFrame;

// The picture as drawing every frame pixel in row order into block (x / s, y / s) leaves it.
RgbImage naive_render(const ImageFrame& f, const DisplayState& state) {
  const int s = state.display_scale;
  RgbImage picture((f.width + s - 1) / s, (f.height + s - 1) / s);
  for (int y = 0; y < f.height; ++y)
    for (int x = 0; x < f.width; ++x)
      picture.set(x / s, y / s, grey(grey_level(f.pixels.at(x, y), state)));
  return picture;
}

void expect_same_picture(const RgbImage& actual, const RgbImage& expected,
                         const std::string& name) {
  ASSERT_EQ(actual.width, expected.width) << name;
  ASSERT_EQ(actual.height, expected.height) << name;
  for (int y = 0; y < actual.height; ++y)
    for (int x = 0; x < actual.width; ++x)
      ASSERT_EQ(actual.at(x, y), expected.at(x, y)) << name << " at (" << x << ", " << y << ")";
}

// Values spread over low .. high with no pattern a block could hide, but every stale_every-th
// pixel lies just outside that span instead, alternately below and above.
void fill(ImageFrame& f, int w, int h, std::int64_t low, std::int64_t high, int stale_every) {
  f.width = w;
  f.height = h;
  std::uint32_t seed = 12345;
  for (int i = 0; i < w * h; ++i) {
    seed = seed * 1664525u + 1013904223u;
    std::int64_t v = low + seed % (high - low + 1);
    if (i % stale_every == 0)
      v = (i / stale_every) % 2 ? high + 1 + seed % 1000 : low - 1 - seed % 1000;
    f.pixels.at(i % w, i / w) = std::int32_t(v);
  }
}

// A w x h frame whose pixel (x, y) holds 10 x + y; range 256 from 0 draws value v as grey v.
void fill_tens(ImageFrame& f, int w, int h) {
  f.width = w;
  f.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) f.pixels.at(x, y) = 10 * x + y;
}

TEST(Render, LookUpAndFormulaGiveTheSamePicture) {
  // 67 x 61 = 4087 pixels (2278 at scale 2): a span of 1001 values is drawn through a table,
  // one of 4e9 by the formula. Every 37th pixel lies outside min..max, as stale pixels or the
  // values of 60000 and more that a dusky reading leaves out of max_value do. The odd sizes
  // leave columns and rows beyond the blocks drawn together. One picture is reused throughout,
  // smaller after larger and larger after smaller, and must be redrawn whole each time.
  const struct {
    const char* name;
    std::int32_t min_value, max_value;
  } cases[] = {
      {"table, stale values above and below", 0, 1000},
      {"table, dusky values above max", 59000, 59999},
      {"formula, 4e9 values", -2000000000, 2000000000},
  };
  RgbImage picture;
  for (const auto& c : cases) {
    ImageFrame f;
    fill(f, 67, 61, c.min_value, c.max_value, 37);
    f.min_value = c.min_value;
    f.max_value = c.max_value;
    f.dusky_mode = true;
    for (const int scale : {1, 2, 4}) {
      DisplayState state{.range = (c.max_value / 2 - c.min_value / 2) / 3,
                         .background = c.min_value / 2 + c.max_value / 2,
                         .display_scale = scale};
      render(f, state, picture);
      expect_same_picture(picture, naive_render(f, state), c.name);
    }
  }
}

TEST(Render, ProfileLineIsPaintedAndErased) {
  ImageFrame f;
  fill_tens(f, 6, 4);
  DisplayState state{.range = 256, .background = 0, .display_scale = 2, .line_mode = 1};
  RgbImage picture = render(f, state);
  // Row 4 / 2 = 2 at display row floor(2 / 2 + 0.5) = 1; columns x = 0..6 land on display
  // columns 0, 1, 1, 2, 2, 3, 3, the last outside the 3-wide picture.
  EXPECT_EQ(state.line_row, 2);
  for (int dx = 0; dx < 3; ++dx) {
    EXPECT_EQ(picture.at(dx, 1), kProfileGreen);
    EXPECT_EQ(picture.at(dx, 0), grey(10 * (2 * dx + 1) + 1));
  }
  // Erasing draws frame pixels 0..6 of row 2 over the same places in order, so display column
  // 1 ends with pixel 2 and column 2 with pixel 4 (not the 1 and 3 the render showed).
  erase_profile_line(picture, f, state, 2);
  EXPECT_EQ(picture.at(0, 1), grey(2));
  EXPECT_EQ(picture.at(1, 1), grey(22));
  EXPECT_EQ(picture.at(2, 1), grey(42));
  // Rows outside the store are left alone.
  erase_profile_line(picture, f, state, -1);
  erase_profile_line(picture, f, state, 5501);
  EXPECT_EQ(picture.at(1, 1), grey(22));

  // At the full width, column 5501 would lie beyond the store's last element and is skipped.
  f.width = f.height = 5501;
  f.pixels.at(5500, 5500) = 200;
  state.display_scale = 4;
  RgbImage full(display_extent(5501, 4), display_extent(5501, 4));  // 1376 x 1376
  erase_profile_line(full, f, state, 5500);
  EXPECT_EQ(full.at(1375, 1375), grey(200));  // floor(5500 / 4 + 0.5) = 1375
}

TEST(Render, PixelRedrawSamplesTheFirstPixelOfTheBlock) {
  ImageFrame f;
  fill_tens(f, 6, 6);
  f.pixels.at(12, 12) = 99;  // beyond the frame: only the store's stale area
  DisplayState state{.range = 256, .background = 0, .display_scale = 2};
  EXPECT_EQ(pixel_redraw_colour(f, state, 6, 6), grey(99));  // dx = width still redraws
  EXPECT_EQ(pixel_redraw_colour(f, state, 7, 0), std::nullopt);
  EXPECT_EQ(pixel_redraw_colour(f, state, -1, 0), std::nullopt);

  RgbImage picture = render(f, state);
  EXPECT_EQ(picture.at(1, 1), grey(33));  // the render shows the block's last pixel
  pixel_redraw(picture, f, state, 1, 1);
  EXPECT_EQ(picture.at(1, 1), grey(22));  // frame pixel (2, 2)
  pixel_redraw(picture, f, state, 6, 6);  // outside the 3 x 3 picture: dropped

  // dx = 2751 is within a width of 5000, but frame pixel 5502 would lie beyond the store.
  f.width = 5000;
  EXPECT_EQ(pixel_redraw_colour(f, state, 2751, 0), std::nullopt);
  EXPECT_EQ(pixel_redraw_colour(f, state, 2750, 0), grey(0));
}

TEST(Render, EmptyFrameGivesAnEmptyPicture) {
  ImageFrame empty;
  DisplayState state{.line_mode = 1};
  const RgbImage picture = render(empty, state);
  EXPECT_EQ(picture.width * picture.height, 0);
  EXPECT_EQ(state.line_row, 0);
}

}  // namespace
}  // namespace orvane::display
