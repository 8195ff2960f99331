#include "processing/noise_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/number_text.h"
#include "processing/polynomial_fit.h"
#include "processing/row_frames.h"
#include "support/scripted_user_interface.h"

namespace orvane::processing {
namespace {

using test::Row;

constexpr std::int32_t kMax = 2147483647, kMin = -kMax - 1;

struct FilterCase {
  const char* name;
  NoiseFilter filter;
  std::vector<Row> before, after;
};

void expect_rows(const std::vector<FilterCase>& cases) {
  for (const auto& c : cases) {
    auto frame = test::frame_of(c.before);
    test::ScriptedUserInterface ui;
    const RowsOutcome outcome = apply_noise_filter(*frame, c.filter, ui);
    EXPECT_EQ(test::rows_of(*frame), c.after) << c.name;
    EXPECT_EQ(outcome.rows_left, 0) << c.name;
  }
}

TEST(NoiseFilters, AveragesRewriteRowsAsTheMenuSays) {
  expect_rows({
      {"3 point: a linear row stays",
       NoiseFilter::kThreePoint,
       {{10, 20, 30, 40, 50}},
       {{10, 20, 30, 40, 50}}},
      {"3 point: each mean read from the copy; end columns kept",
       NoiseFilter::kThreePoint,
       {{0, 0, 3, 0, 0}},
       {{0, 1, 1, 1, 0}}},
      // Values of 2^28 and more are summed in 64 bits: 2 x 2147483647 + 2147483644 = 3 x
      // 2147483646.
      {"3 point: sums beyond 32 bits",
       NoiseFilter::kThreePoint,
       {{kMax, kMax, kMax - 2, kMax, kMax}},
       {{kMax, kMax - 1, kMax - 1, kMax - 1, kMax}}},
      // 5 x 2147483647 - 3 = 5 x 2147483646 + 2.
      {"5 point: sums beyond 32 bits",
       NoiseFilter::kFivePoint,
       {{kMax - 3, kMax, kMax, kMax, kMax}},
       {{kMax - 3, kMax, kMax - 1, kMax, kMax}}},
      // Middle three of kMin, kMin, kMax, kMax, kMax: (kMax + kMax + kMin) / 3 = 715827882.
      {"shade average: sums beyond 32 bits",
       NoiseFilter::kShadeAverage,
       {{0, kMax, 0}, {kMax, kMin, kMin}, {0, kMax, 0}},
       {{0, kMax, 0}, {kMax, 715827882, kMin}, {0, kMax, 0}}},
      {"5 point: 8 / 5 = 1.6 and 9 / 5 = 1.8 give 2; two end columns kept",
       NoiseFilter::kFivePoint,
       {{8, 0, 0, 0, 0, 0, 9}},
       {{8, 0, 2, 0, 2, 0, 9}}},
      // t = round(600 / 3 x 1.5) = 300 < 400.
      // 10 < round(210 / 3 x 0.5) = 35.
      // Thresholds on a half: round(3.5) = 4 keeps 4, round(4.5) = 4 drops 5; round(1.5) = 2
      // drops 1 as cool, round(2.5) = 2 keeps 2.
      // 90 becomes 10; then 20 is hot against the corrected 10 (from the copy's 90 it is not).
      // The plus holds 4, 8, 9, 5, 1: the corners of 1000 are not in it.
      {"shade average: (4 + 5 + 8) / 3 = 5.67 gives 6; edges kept",
       NoiseFilter::kShadeAverage,
       {{1000, 4, 1000}, {5, 9, 1}, {1000, 8, 1000}},
       {{1000, 4, 1000}, {5, 6, 1}, {1000, 8, 1000}}},
      {"shade median: 5; edges kept",
       NoiseFilter::kShadeMedian,
       {{1000, 4, 1000}, {5, 9, 1}, {1000, 8, 1000}},
       {{1000, 4, 1000}, {5, 5, 1}, {1000, 8, 1000}}},
      {"shade average: a single bright pixel is removed",
       NoiseFilter::kShadeAverage,
       {{10, 10, 10}, {10, 900, 10}, {10, 10, 10}},
       {{10, 10, 10}, {10, 10, 10}, {10, 10, 10}}},
      {"shade median: a single bright pixel is removed",
       NoiseFilter::kShadeMedian,
       {{10, 10, 10}, {10, 900, 10}, {10, 10, 10}},
       {{10, 10, 10}, {10, 10, 10}, {10, 10, 10}}},
      // For 7 points the residual of the best quintic is the 6th difference 1 -6 15 -20 15 -6 1;
      // 100 plus ten times it is fitted by the constant 100.
  });
}

TEST(NoiseFilters, HotCoolAndFifthFunctionRewriteRowsAsTheMenuSays) {
  expect_rows({
      {"hot/cool: the largest value between two smallest",
       NoiseFilter::kHotCool,
       {{kMin, kMax, kMin}},
       {{kMin, kMin, kMin}}},
      {"hot/cool: a hot 400 becomes 100",
       NoiseFilter::kHotCool,
       {{100, 100, 400, 100, 100}},
       {{100, 100, 100, 100, 100}}},
      {"hot/cool: a cool 10 becomes 100",
       NoiseFilter::kHotCool,
       {{100, 10, 100}},
       {{100, 100, 100}}},
      {"hot/cool: halves to even, 2.5 gives 2 and 3.5 gives 4",
       NoiseFilter::kHotCool,
       {{2, 9, 3}, {3, 9, 4}},
       {{2, 2, 3}, {3, 4, 4}}},
      {"hot/cool: thresholds round halves to even",
       NoiseFilter::kHotCool,
       {{1, 4, 2}, {1, 5, 3}, {4, 1, 4}, {6, 2, 7}},
       {{1, 4, 2}, {1, 2, 3}, {4, 4, 4}, {6, 2, 7}}},
      {"hot/cool: works in place", NoiseFilter::kHotCool, {{0, 90, 20, 0}}, {{0, 10, 5, 0}}},
      {"5th function: the row becomes its fit",
       NoiseFilter::kFifthFunction,
       {{110, 40, 250, -100, 250, 40, 110}},
       {{100, 100, 100, 100, 100, 100, 100}}},
  });
}

TEST(NoiseFilters, ReportRowsAndStopWhenAsked) {
  auto frame = test::frame_of({{0, 0, 3, 0, 0}, {0, 0, 3, 0, 0}});
  test::ScriptedUserInterface ui;
  ui.cancel_at_progress = 2;
  const RowsOutcome outcome = apply_noise_filter(*frame, NoiseFilter::kThreePoint, ui);
  EXPECT_EQ(test::rows_of(*frame), (std::vector<Row>{{0, 1, 1, 1, 0}, {0, 0, 3, 0, 0}}));
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(ui.progress_lines.front(), "3 point average: ");
  EXPECT_EQ(ui.progress_counts.back().total, 2u);
  EXPECT_EQ(noise_filter_question(NoiseFilter::kThreePoint), "3 point average, Start");

  // Five columns are too few for a degree-5 fit: both rows stay, and the run says so.
  frame = test::frame_of({{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}});
  test::ScriptedUserInterface quiet;
  const RowsOutcome short_rows = apply_noise_filter(*frame, NoiseFilter::kFifthFunction, quiet);
  EXPECT_EQ(test::rows_of(*frame), (std::vector<Row>{{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}}));
  EXPECT_EQ(rows_left_message(short_rows),
            "2 rows were left unchanged: no fit could be made for them");
}

// 2048 x 1100 is more than one batch of rows, each spread over the cores: every row comes out
// as a row-by-row reckoning gives it.
TEST(NoiseFilters, LargeFramesComeOutAsRowByRow) {
  std::vector<Row> rows(1100, Row(2048));
  for (int y = 0; y < 1100; ++y) {
    for (int x = 0; x < 2048; ++x) rows[y][x] = (x * 7919 + y * 104729) % 5000;
  }
  for (const NoiseFilter filter : {NoiseFilter::kThreePoint, NoiseFilter::kFifthFunction}) {
    auto frame = test::frame_of(rows);
    test::ScriptedUserInterface ui;
    apply_noise_filter(*frame, filter, ui);
    for (int y = 0; y < 1100; y += 7) {
      const Row& r = rows[y];
      const auto fit = function_approximate(r.data(), 2048, 5);
      for (int x = 1; x < 2047; ++x) {
        const std::int32_t expected = filter == NoiseFilter::kThreePoint
                                          ? core::round_to_i32((r[x - 1] + r[x] + r[x + 1]) / 3.0)
                                          : core::round_to_i32((*fit)(x));
        ASSERT_EQ(frame->pixels.at(x, y), expected) << int(filter) << " at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
}  // namespace orvane::processing
