#include "display/markers.h"
#include "display/aperture_marks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orvane::display {
namespace {

TEST(SearchSquare, WalksTheFourSidesAndLeavesOutWhatNoPictureHolds) {
  // Span 5 at scale 2, star at (100, 51): cx = floor(50 + 0.5) = 50, cy = floor(25.5 + 0.5) = 26,
  // r = floor(2.5 + 0.5) = 3; four sides of 2r + 1 = 7 points each.
  const auto points = search_square(100, 51, 5, 2);
  ASSERT_EQ(points.size(), 4u * 7u);
  for (const DisplayPoint& p : points) {
    const bool on_row = (p.y == 23 || p.y == 29) && std::abs(p.x - 50) <= 3;
    const bool on_column = (p.x == 47 || p.x == 53) && std::abs(p.y - 26) <= 3;
    EXPECT_TRUE(on_row || on_column) << p.x << ", " << p.y;
  }
  // Bottom row first, left to right; then the top row, the left and the right column.
  EXPECT_EQ(points[0], (DisplayPoint{47, 29}));
  EXPECT_EQ(points[7], (DisplayPoint{47, 23}));
  EXPECT_EQ(points[27], (DisplayPoint{53, 29}));

  // A star at the corner (empty position boxes read as 0), span 2 at scale 1: of the 4 * 5
  // points only x, y >= 0 remain: bottom row y = 2 (x 0..2), right column x = 2 (y 0..2).
  const std::vector<DisplayPoint> corner = {{0, 2}, {1, 2}, {2, 2}, {2, 0}, {2, 1}, {2, 2}};
  EXPECT_EQ(search_square(0, 0, 2, 1), corner);
  // A span of 1e9 puts every side beyond the store; a negative span has no sides.
  EXPECT_TRUE(search_square(100, 100, 1e9, 1).empty());
  EXPECT_TRUE(search_square(100, 100, -4, 1).empty());
  // Zero span: the centre, once per side.
  EXPECT_EQ(search_square(7, 9, 0, 1), std::vector<DisplayPoint>(4, DisplayPoint{7, 9}));
}

}  // namespace
}  // namespace orvane::display

namespace orvane::display {
namespace {

// Each star's marks carry its letter right of their top right corner: rings reaching 20 from
// (100, 100) put "C" at (100 + 20 + 2, 100 - 20 - 12 / 2) = (122, 74); search squares of half
// side 15 put it at (117, 79). The letters' boxes are redrawn when the marks go.
TEST(ApertureMarks, EachStarIsLabelledBesideItsMarks) {
  ApertureMarkInput input;
  input.frame_width = input.frame_height = 300;
  for (int slot : {1, 3, 5}) input.x[slot] = input.y[slot] = 50.0 * slot + 50;
  for (int sky_mode : {1, 0}) {
    input.sky_mode = sky_mode;
    const ApertureMarks marks = aperture_marks(input);
    ASSERT_EQ(marks.labels.size(), 3u);
    const int corner = sky_mode == 1 ? 122 : 117;
    EXPECT_EQ(marks.labels[0].x, corner);
    EXPECT_EQ(marks.labels[0].y, sky_mode == 1 ? 74 : 79);
    EXPECT_EQ(std::string({marks.labels[0].letter, marks.labels[1].letter, marks.labels[2].letter}),
              "CVK");
    const DisplayRect& box = marks.erase_areas.back();
    EXPECT_EQ(box.left, marks.labels[2].x);
    EXPECT_EQ(box.bottom - box.top + 1, kLabelHeight);
  }
}

}  // namespace
}  // namespace orvane::display
