#include "photometry/star_measurement.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "photometry/photometry_run.h"
#include "test_frames.h"

namespace orvane::photometry {
namespace {

// Circle `radius` with a sky ring inner..outer; a ring of 5..4 has no pixels and gives sky 0.
PhotometrySettings circle(double radius, double inner = 5, double outer = 4) {
  PhotometrySettings s;
  s.aperture_size = radius;
  s.sky_inner = inner;
  s.sky_outer = outer;
  return s;
}

const SlotPositions kAllAt20 = stars_at({20, 20}, {20, 20}, {20, 20}).entries;

TEST(CircleAperture, HoldsThePixelsWithinTheRoundedDistance) {
  // d = floor(sqrt(dx^2 + dy^2) + 0.5): (1,1) 1.41 -> 1, (2,0) 2, (2,1) 2.24 -> 2, (2,2)
  // 2.83 -> 3, (3,1) 3.16 -> 3, (3,2) 3.61 -> 4. R = 1 is the 3 x 3 block (9); R = 2 adds
  // (+-2,0), (0,+-2) and the 8 like (2,1): 21; R = 3 adds the 4 like (2,2), (+-3,0), (0,+-3) and
  // the 8 like (3,1): 37. A single pixel of 100 at the offset is in the sum or not.
  const struct {
    const char* name;
    double radius;
    Position offset;
    int sum, pixels;
  } cases[] = {
      {"R = 1 holds the diagonal (1,1)", 1, {1, 1}, 100, 9},
      {"R = 1 drops (2,0)", 1, {2, 0}, 0, 9},
      {"R = 2 keeps (2,1)", 2, {2, 1}, 100, 21},
      {"R = 2 drops (2,2)", 2, {2, 2}, 0, 21},
      {"R = 3 keeps (3,1)", 3, {3, 1}, 100, 37},
      {"R = 3 drops (3,2)", 3, {3, 2}, 0, 37},
  };
  for (const auto& c : cases) {
    auto frame = flat_frame(41, 41, 0);
    frame->pixels.at(20 + c.offset.x, 20 + c.offset.y) = 100;
    const ApertureSums sums = measure_apertures(*frame, circle(c.radius), kAllAt20);
    EXPECT_EQ(sums.whole[kComparison], c.sum) << c.name;
    EXPECT_EQ(sums.pixels[kComparison], c.pixels) << c.name;
  }
}

TEST(SkyMedian, MiddleOrLowerMiddleValueTimesTheStarPixels) {
  // 100 at (20, 20), its eight neighbours 1..8, the rest 0: the R = 1 star sums 100 + 36.
  auto frame = flat_frame(41, 41, 0);
  frame->pixels.at(20, 20) = 100;
  for (int i = 0, value = 1; i < 9; ++i)
    if (i != 4) frame->pixels.at(19 + i % 3, 19 + i / 3) = value++;
  const struct {
    const char* name;
    double inner, outer;
    int ring_pixels, sky;
  } cases[] = {
      // 1..8, 100 sorted: entry floor(9 / 2 + 0.5) = 5 is 5; 5 x 9.
      {"ring 0..1, 9 pixels: the middle", 0, 1, 9, 45},
      // 1..8: entry floor(8 / 2 + 0.5) = 4 is 4, the lower middle; 4 x 9.
      {"ring 1..1, 8 pixels: the lower middle", 1, 1, 8, 36},
      {"ring 5..4, no pixels: 0", 5, 4, 0, 0},
  };
  for (const auto& c : cases) {
    const ApertureSums sums = measure_apertures(*frame, circle(1, c.inner, c.outer), kAllAt20);
    EXPECT_EQ(sums.whole[kVariable], 136) << c.name;
    EXPECT_EQ(sums.pixels[kVariableSky], c.ring_pixels) << c.name;
    EXPECT_EQ(sums.whole[kVariableSky], c.sky) << c.name;
  }
}

TEST(SquareAperture, SizeFourIsAFiveByFiveBoxWithTwentyFiveTimesTheMedian) {
  // Background 10; +1000 at offset (2,2) is in the box x-2..x+2, +5000 at (3,0) is not.
  auto frame = flat_frame(41, 41, 10);
  frame->pixels.at(22, 22) += 1000;
  frame->pixels.at(23, 20) += 5000;
  PhotometrySettings s = circle(4, 10, 20);
  s.aperture_shape = 1;
  const ApertureSums sums = measure_apertures(*frame, s, kAllAt20);
  EXPECT_EQ(sums.whole[kCheck], 25 * 10 + 1000);
  // Outlines r = 5..10 hold 8r pixels each, 8 x 45 = 360, all 10: sky 25 x 10.
  EXPECT_EQ(sums.pixels[kCheckSky], 360);
  EXPECT_EQ(sums.whole[kCheckSky], 250);
}

TEST(ApertureAtFrameEdges, CirclesReadTheEdgePixelSquaresCountInsidePixels) {
  // 4 x 3 frame, pixel (x, y) = 10y + x + 1:  1  2  3  4 / 11 12 13 14 / 21 22 23 24.
  auto frame = flat_frame(4, 3, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) frame->pixels.at(x, y) = 10 * y + x + 1;
  const auto at = stars_at({0, 0}, {3, 2}, {0, 2}).entries;
  const struct {
    const char* name;
    int shape, slot, sum, pixels;
  } cases[] = {
      // Columns -1, 0, 1 read 0, 0, 1, rows likewise: (1+1+2) x 2 + (11+11+12).
      {"circle at the top left", 0, kComparison, 42, 9},
      // Columns 2, 3, 4 read 2, 3, 3, rows 1, 2, 2: (13+14+14) + (23+24+24) x 2.
      {"circle at the bottom right", 0, kVariable, 183, 9},
      // Columns 0, 0, 1, rows 1, 2, 2: (11+11+12) + (21+21+22) x 2.
      {"circle at the bottom left", 0, kCheck, 162, 9},
      {"square at the top left: 1+2+11+12", 1, kComparison, 26, 4},
      {"square at the bottom right: 13+14+23+24", 1, kVariable, 74, 4},
      {"square at the bottom left: 11+12+21+22", 1, kCheck, 66, 4},
  };
  for (const auto& c : cases) {
    // Circle R = 1; square side 2, a 3 x 3 box; square sky on the r = 1 outline.
    PhotometrySettings s = circle(c.shape == 0 ? 1 : 2, 2, 2);
    s.aperture_shape = c.shape;
    const ApertureSums sums = measure_apertures(*frame, s, at);
    EXPECT_EQ(sums.whole[c.slot], c.sum) << c.name;
    EXPECT_EQ(sums.pixels[c.slot], c.pixels) << c.name;
    // The outline round (0, 0) inside the frame is 2, 11, 12: median 11 x the 4 pixels summed.
    if (c.shape == 1 && c.slot == kComparison) {
      EXPECT_EQ(sums.whole[kComparisonSky], 44);
    }
  }
}

TEST(PeakSearch, MovesEachStarToTheLargestBoxAndItsSkyWithIt) {
  // Span 3; the variable (30, 30) and the check (8, 30) lie on flat ground and stay.
  const struct {
    const char* name;
    int background;
    std::vector<std::pair<Position, int>> bright;
    double size;
    Position stored, found;
  } cases[] = {
      {"ties: smaller x wins, then smaller y",
       0,
       {{{14, 10}, 50}, {{12, 15}, 50}, {{12, 11}, 50}},
       1,
       {13, 13},
       {12, 11}},
      // Every 3 x 3 box round the one bright pixel holds it: the first, (19, 19), wins.
      {"3 x 3 boxes tie on one pixel", 0, {{{20, 20}, 50}}, 3, {20, 20}, {19, 19}},
      {"flat frame keeps the stored position", 10, {}, 3, {20, 20}, {20, 20}},
      {"negative sums: the largest wins", -100, {{{22, 18}, -5}}, 1, {20, 20}, {22, 18}},
      {"beyond the span is not seen", 0, {{{24, 20}, 50}}, 1, {20, 20}, {20, 20}},
  };
  PhotometrySettings s;
  s.search_span = 3;
  for (const auto& c : cases) {
    auto frame = flat_frame(40, 40, c.background);
    for (const auto& [at, value] : c.bright) frame->pixels.at(at.x, at.y) = value;
    s.aperture_size = c.size;
    const SlotPositions found = peak_search(*frame, s, stars_at(c.stored, {30, 30}, {8, 30}));
    EXPECT_EQ(found[kComparison], c.found) << c.name;
    EXPECT_EQ(found[kComparisonSky], (Position{c.found.x + 20, c.found.y})) << c.name;
    EXPECT_EQ(found[kVariable], (Position{30, 30})) << c.name;
    EXPECT_EQ(found[kCheckSky], (Position{28, 30})) << c.name;
  }
}

TEST(PeakSearch, MoveFollowsADriftingStarPeakCastSearchesTheClickedPlace) {
  // Four frames on background 10, the stars (2000 on the centre, 400 on each neighbour, so the
  // box on the centre is the largest) 3 px right and 1 px down per frame. With a span of 5
  // "Peak cast & Move position" finds each from the last frame's place; "Peak cast" searches
  // from the first place every time: the same twice in frame 1, lost 9 px away in frame 3.
  const Position start[] = {{20, 20}, {45, 25}, {30, 40}};
  PhotometrySettings s;
  s.search_span = 5;
  PositionTable move = stars_at(start[0], start[1], start[2]);
  for (int k = 0; k < 4; ++k) {
    auto frame = flat_frame(80, 60, 10);
    for (const Position& p : start)
      for (int i = 0; i < 9; ++i)
        frame->pixels.at(p.x + 3 * k - 1 + i % 3, p.y + k - 1 + i / 3) += i == 4 ? 2000 : 400;
    s.position_mode = 2;
    const RunResult run = measurement_run(*frame, s, move, move.entries);
    for (int star = 0; star < 3; ++star) {
      const Position truth{start[star].x + 3 * k, start[star].y + k};
      EXPECT_EQ(run.positions[kStarSlots[star]], truth) << "frame " << k << " star " << star;
      EXPECT_EQ(move[kStarSlots[star]], truth) << "frame " << k << " star " << star;
    }
    if (k % 2 == 0) continue;
    s.position_mode = 1;
    PositionTable peak = stars_at(start[0], start[1], start[2]);
    const Position expected = k == 3 ? start[0] : Position{start[0].x + 3, start[0].y + 1};
    for (int again = 0; again < 2; ++again)
      EXPECT_EQ(measurement_run(*frame, s, peak, peak.entries).positions[kComparison], expected);
    EXPECT_EQ(peak[kComparison], start[0]);
  }
}

}  // namespace
}  // namespace orvane::photometry
