#include "processing/limb_correction.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "processing/row_frames.h"
#include "support/scripted_user_interface.h"

namespace orvane::processing {
namespace {

using test::Row;

TEST(LimbCorrection, LevelsEachRowAtItsSumOverWidthLessOne) {
  // Uniform 100 over 11 columns: S = 1100, m = 1100 / 10 = 110. x + 1 over 11 columns is its
  // own fit: S = 66, m = 6.6 gives 7. A row of zeros fits 0 everywhere: its pixels stay and,
  // being 0, count in neither extreme.
  const Row uniform(11, 100), zeros(11, 0);
  auto frame = test::frame_of({uniform, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, zeros});
  test::ScriptedUserInterface ui;
  const RowsOutcome outcome = limb_darkening_correct(*frame, ui);
  EXPECT_EQ(test::rows_of(*frame), (std::vector<Row>{Row(11, 110), Row(11, 7), zeros}));
  EXPECT_EQ(std::pair(frame->max_value, frame->min_value), std::pair(110, 7));
  EXPECT_EQ(outcome.pixels_left, 11);
  EXPECT_EQ(ui.progress_lines.front(), "Limb Darkening Correction: ");

  // Five columns are too few for the fit: the row stays.
  frame = test::frame_of({{1, 2, 3, 4, 5}});
  EXPECT_EQ(limb_darkening_correct(*frame, ui).rows_left, 1);
  EXPECT_EQ(test::rows_of(*frame), (std::vector<Row>{{1, 2, 3, 4, 5}}));
}

}  // namespace
}  // namespace orvane::processing
