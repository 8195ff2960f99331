#include "photometry/photometry_run.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_frames.h"

namespace orvane::photometry {
namespace {

// Background 100 on 64 x 64, fixed positions, circle 3 (37 pixels), ring 10..20 of background
// only: the sky is 100 x 37 = 3700 and each signal is what was added: 1000, 2000 + 500, 250.
struct StarField {
  std::unique_ptr<core::ImageFrame> frame = flat_frame(64, 64, 100);
  PositionTable table = stars_at({15, 15}, {45, 15}, {15, 45});
  StarField() {
    frame->pixels.at(15, 15) += 1000;
    frame->pixels.at(45, 15) += 2000;
    frame->pixels.at(46, 15) += 500;
    frame->pixels.at(15, 45) += 250;
  }
};

TEST(Magnitudes, TwentyMinusTheFactorTimesLogOfTheSignalRounded) {
  StarField field;
  const double signals[] = {1000, 2500, 250};
  PhotometrySettings s;
  s.position_mode = 0;
  for (int digits : {2, 3}) {
    for (int sum_mode : {0, 1}) {
      s.digits = digits;
      s.sum_mode = sum_mode;
      const RunResult run = measurement_run(*field.frame, s, field.table, field.table.entries);
      EXPECT_FALSE(run.no_star);
      EXPECT_EQ(run.sums.whole[kComparison], 4700);
      EXPECT_EQ(run.sums.whole[kComparisonSky], 3700);
      const double scale = digits == 2 ? 100 : 1000;
      for (int star = 0; star < 3; ++star) {
        const double m = 20 - 2.511886432 * std::log10(signals[star]);
        EXPECT_DOUBLE_EQ(run.magnitudes[star].value_or(0), std::floor(m * scale + 0.5) / scale)
            << "digits " << digits << " sums " << sum_mode << " star " << star;
      }
      // log10(1000) = 3: 20 - 7.535659296 = 12.464340704.
      EXPECT_DOUBLE_EQ(*run.magnitudes[kComparisonStar], digits == 2 ? 12.46 : 12.464);
    }
  }
}

TEST(Magnitudes, AStarWithoutSignalIsNoStarTheOthersAreMeasured) {
  StarField field;
  PhotometrySettings s;
  s.position_mode = 0;
  for (int star = 0; star < 3; ++star) {
    PositionTable table = field.table;
    table[kStarSlots[star]] = {40, 45};  // background only: 3700 against a sky of 3700
    const RunResult run = measurement_run(*field.frame, s, table, table.entries);
    EXPECT_TRUE(run.no_star) << star;
    for (int other = 0; other < 3; ++other)
      EXPECT_EQ(run.magnitudes[other].has_value(), other != star) << star << " " << other;
  }
}

}  // namespace
}  // namespace orvane::photometry
