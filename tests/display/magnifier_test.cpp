#include "display/magnifier.h"

#include <gtest/gtest.h>

#include "display/rgb_image.h"

namespace orvane::display {
namespace {

using orvane::core::ImageFrame;

// An 8 x 6 frame whose pixel (x, y) holds 10 * y + x; range 256 from 0 draws value v as grey v.
void fill(ImageFrame& f) {
  f.width = 8;
  f.height = 6;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) f.pixels.at(x, y) = 10 * y + x;
}

TEST(Magnifier, ShowsTheFramePixelsAroundTheMouse) {
  ImageFrame f;
  fill(f);
  const DisplayState state{.range = 256, .background = 0};

  // Mouse on (3, 3): cells 0..6 stand for columns and rows -7..-1 and stay empty.
  const MagnifierCells cells = magnifier_cells(f, state, 3, 3);
  EXPECT_EQ(cells[10][10], grey(33));
  EXPECT_EQ(cells[12][11], grey(54));  // pixel (4, 5)
  for (int l = 0; l < 21; ++l)
    for (int k = 0; k < 21; ++k)
      if (k < 7 || l < 7) {
        EXPECT_FALSE(cells[l][k].has_value()) << k << ", " << l;
      }

  // Mouse on the last column 7: column 8 (the store's spare column) is shown, 9.. are not;
  // rows up to the height 6 are shown.
  f.pixels.at(8, 2) = 99;
  const MagnifierCells edge = magnifier_cells(f, state, 7, 2);
  EXPECT_EQ(edge[10][11], grey(99));
  EXPECT_EQ(edge[14][11], grey(0));  // pixel (8, 6)
  EXPECT_FALSE(edge[10][12].has_value());
  EXPECT_FALSE(edge[15][10].has_value());

  // Beyond 0..width the magnifier does not follow and shows nothing.
  EXPECT_TRUE(magnifier_follows(f, 8, 6));
  EXPECT_FALSE(magnifier_follows(f, 9, 0));
  EXPECT_FALSE(magnifier_follows(f, 0, -1));
  for (const auto& row : magnifier_cells(f, state, 9, 0))
    for (const auto& cell : row) EXPECT_FALSE(cell.has_value());

  ImageFrame full;
  full.width = full.height = 5501;
  full.pixels.at(5500, 5500) = 7;
  // Column and row 5501 are within 0..width but beyond the store.
  const MagnifierCells corner = magnifier_cells(full, {.range = 256}, 5500, 5500);
  EXPECT_EQ(corner[10][10], grey(7));
  EXPECT_FALSE(corner[10][11].has_value());
  EXPECT_FALSE(corner[11][10].has_value());
}

}  // namespace
}  // namespace orvane::display
