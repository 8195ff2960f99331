#include "photometry/photometry_run.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_frames.h"

namespace orvane::photometry {
namespace {

TEST(Magnitudes, TwentyMinusTheFactorTimesLogOfTheSignalRounded) {
  StarField field;  // fixed positions: each signal is the star's flux
  const double signals[] = {1000, 10000, 100};
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

}  // namespace
}  // namespace orvane::photometry
