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

// Values spread over low .. high with no pattern a block could hide. With stale_every, every
// stale_every-th pixel lies just outside that span instead, alternately below and above.
void fill(ImageFrame& f, int w, int h, std::int64_t low, std::int64_t high, int stale_every = 0) {
  f.width = w;
  f.height = h;
  std::uint32_t seed = 12345;
  for (int i = 0; i < w * h; ++i) {
    seed = seed * 1664525u + 1013904223u;
    std::int64_t v = low + seed % (high - low + 1);
    if (stale_every > 0 && i % stale_every == 0)
      v = (i / stale_every) % 2 ? high + 1 + seed % 1000 : low - 1 - seed % 1000;
    f.pixels.at(i % w, i / w) = std::int32_t(v);
  }
}

TEST(Render, EachDisplayPixelShowsTheLastPixelOfItsBlock) {
  struct Case {
    const char* name;
    int w, h, scale;
  };
  const Case cases[] = {{"5 x 3 at 1", 5, 3, 1},
                        {"4 x 4 at 2", 4, 4, 2},
                        {"5 x 5 at 2", 5, 5, 2},
                        {"7 x 5 at 4", 7, 5, 4},
                        {"9 x 2 at 4", 9, 2, 4}};
  for (const Case& c : cases) {
    ImageFrame f;
    fill(f, c.w, c.h, 200, 799);
    f.min_value = 200;
    f.max_value = 800;
    DisplayState state{.range = 400, .background = 300, .display_scale = c.scale};
    expect_same_picture(render(f, state), naive_render(f, state), c.name);
  }

  ImageFrame f;
  fill(f, 5, 5, 0, 255);
  DisplayState state{.range = 256, .background = 0, .display_scale = 2};  // grey = value
  const RgbImage picture = render(f, state);
  ASSERT_EQ(picture.width, 3);  // ceil(5 / 2)
  EXPECT_EQ(picture.at(0, 0), grey(f.pixels.at(1, 1)));
  EXPECT_EQ(picture.at(1, 1), grey(f.pixels.at(3, 3)));
  EXPECT_EQ(picture.at(2, 0), grey(f.pixels.at(4, 1)));  // last column shows frame column 4
  EXPECT_EQ(picture.at(2, 2), grey(f.pixels.at(4, 4)));
}

TEST(Render, LookUpAndFormulaGiveTheSamePicture) {
  struct Case {
    const char* name;
    std::int32_t min_value, max_value;
  };
  // 67 x 61 = 4087 pixels (2278 at scale 2): a span of 1001 values is drawn through a table,
  // one of 4e9 by the formula. Every 37th pixel lies outside min..max, as stale pixels or the
  // values of 60000 and more that a dusky reading leaves out of max_value do. The odd sizes
  // leave columns and rows beyond the blocks drawn together.
  const Case cases[] = {
      {"table, stale values above and below", 0, 1000},
      {"table, dusky values above max", 59000, 59999},
      {"formula, 4e9 values", -2000000000, 2000000000},
  };
  for (const Case& c : cases) {
    ImageFrame f;
    fill(f, 67, 61, c.min_value, c.max_value, 37);
    f.min_value = c.min_value;
    f.max_value = c.max_value;
    f.dusky_mode = true;
    for (const int scale : {1, 2, 4}) {
      DisplayState state{.range = (c.max_value / 2 - c.min_value / 2) / 3,
                         .background = c.min_value / 2 + c.max_value / 2,
                         .display_scale = scale};
      expect_same_picture(render(f, state), naive_render(f, state), c.name);
    }
  }
}

TEST(Render, ReusedPictureIsRedrawnWhole) {
  ImageFrame big;
  fill(big, 40, 30, 0, 199);
  ImageFrame small;
  fill(small, 7, 5, 0, 99);
  for (ImageFrame* f : {&big, &small}) {
    f->min_value = 0;
    f->max_value = 100;
  }
  DisplayState state{.range = 100, .background = 0};
  RgbImage picture = render(big, state);
  render(small, state, picture);
  expect_same_picture(picture, naive_render(small, state), "smaller frame into a used picture");
  render(big, state, picture);
  expect_same_picture(picture, naive_render(big, state), "larger frame into a used picture");
}

TEST(Render, ProfileLineIsPaintedAndErased) {
  ImageFrame f;
  f.width = 6;
  f.height = 4;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) f.pixels.at(x, y) = 10 * x + y;
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
}

TEST(Render, ErasingAtTheFullWidthStaysInTheStore) {
  ImageFrame f;
  f.width = 5501;
  f.height = 5501;
  f.pixels.at(5500, 5500) = 200;
  DisplayState state{.range = 256, .background = 0, .display_scale = 4};
  RgbImage picture(display_extent(5501, 4), display_extent(5501, 4));  // 1376 x 1376
  // Column 5501 would lie beyond the store's last element and is skipped.
  erase_profile_line(picture, f, state, 5500);
  EXPECT_EQ(picture.at(1375, 1375), grey(200));  // floor(5500 / 4 + 0.5) = 1375
}

TEST(Render, PixelRedrawSamplesTheFirstPixelOfTheBlock) {
  ImageFrame f;
  f.width = 6;
  f.height = 6;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) f.pixels.at(x, y) = 10 * x + y;
  f.pixels.at(12, 12) = 99;  // beyond the frame: only the store's stale area
  DisplayState state{.range = 256, .background = 0, .display_scale = 2};
  EXPECT_EQ(pixel_redraw_colour(f, state, 1, 1), grey(22));  // frame pixel (2, 2)
  EXPECT_EQ(pixel_redraw_colour(f, state, 6, 6), grey(99));  // dx = width still redraws
  EXPECT_EQ(pixel_redraw_colour(f, state, 7, 0), std::nullopt);
  EXPECT_EQ(pixel_redraw_colour(f, state, 0, 7), std::nullopt);
  EXPECT_EQ(pixel_redraw_colour(f, state, -1, 0), std::nullopt);

  RgbImage picture = render(f, state);
  EXPECT_EQ(picture.at(1, 1), grey(33));  // the render shows the block's last pixel
  pixel_redraw(picture, f, state, 1, 1);
  EXPECT_EQ(picture.at(1, 1), grey(22));
  pixel_redraw(picture, f, state, 6, 6);  // outside the 3 x 3 picture: dropped

  ImageFrame wide;
  wide.width = 5000;
  wide.height = 10;
  // dx = 2751 is within the width, but frame pixel 5502 would lie beyond the store.
  EXPECT_EQ(pixel_redraw_colour(wide, state, 2751, 0), std::nullopt);
  EXPECT_EQ(pixel_redraw_colour(wide, state, 2750, 0), grey(0));
}

TEST(Render, CoordinatesAndExtents) {
  EXPECT_EQ(frame_to_display(5, 2), 3);    // floor(3.0)
  EXPECT_EQ(frame_to_display(2, 2), 1);    // floor(1.5)
  EXPECT_EQ(frame_to_display(1, 4), 0);    // floor(0.75)
  EXPECT_EQ(frame_to_display(2, 4), 1);    // floor(1.0)
  EXPECT_EQ(frame_to_display(-3, 2), -1);  // floor(-1.0)
  EXPECT_EQ(display_extent(5, 2), 3);
  EXPECT_EQ(display_extent(4, 2), 2);
  EXPECT_EQ(display_extent(7, 4), 2);
  EXPECT_EQ(display_extent(0, 2), 0);
  EXPECT_EQ(display_extent(-1, 1), 0);

  ImageFrame empty;
  DisplayState state{.line_mode = 1};
  const RgbImage picture = render(empty, state);
  EXPECT_EQ(picture.width * picture.height, 0);
  EXPECT_EQ(state.line_row, 0);
}

}  // namespace
}  // namespace orvane::display
