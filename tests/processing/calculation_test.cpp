#include "processing/calculation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "processing/row_frames.h"
#include "support/scripted_user_interface.h"

namespace orvane::processing {
namespace {

using test::Row;

TEST(Calculation, AddsOrMultipliesEveryPixelAndKeepsTheReadSwitch) {
  const struct {
    const char* name;
    CalcOperation operation;
    double operand;
    Row after;
    std::pair<int, int> extremes;
  } cases[] = {
      {"add 100.0; 2147483600 + 100 is limited",
       CalcOperation::kAdd,
       100.0,
       {105, 107, 100, 2147483647},
       {2147483647, 100}},
      {"multiply by 100.0",
       CalcOperation::kMultiply,
       100.0,
       {500, 700, 0, 2147483647},
       {2147483647, 0}},
      {"multiply by 0.5: 2.5 gives 2, 3.5 gives 4",
       CalcOperation::kMultiply,
       0.5,
       {2, 4, 0, 1073741800},
       {1073741800, 0}},
  };
  for (const auto& c : cases) {
    auto frame = test::frame_of({{5, 7, 0, 2147483600}});
    calculate(*frame, c.operation, c.operand);
    EXPECT_EQ(test::rows_of(*frame).front(), c.after) << c.name;
    EXPECT_EQ(std::pair(frame->max_value, frame->min_value), c.extremes) << c.name;
  }

  auto frame = test::frame_of({{1}});
  set_read_calculation(*frame, CalcOperation::kMultiply, 2.5, true);
  EXPECT_EQ(std::pair(frame->read_calc_mode, frame->read_calc_operand), std::pair(1, 2.5));
  set_read_calculation(*frame, CalcOperation::kMultiply, 2.5, false);
  EXPECT_EQ(std::pair(frame->read_calc_mode, frame->read_calc_operand), std::pair(0, 0.0));
}

TEST(Calculation, InclinationLevelsRowsByTheirStraightLine) {
  // 10 20 30 40: a = 10, b = 10, c = 30. -10 0 10: a = 10, b = -10, c = 5, and the line is 0 at
  // x = 1, where the pixel stays.
  const struct {
    const char* name;
    Row before, after;
    bool done;
    RowsOutcome counts;
  } cases[] = {
      {"a steady gradient", {10, 20, 30, 40}, {30, 30, 30, 30}, true, {0, 0}},
      {"a constant row", {7, 7, 7}, {7, 7, 7}, true, {0, 0}},
      {"the line through 0", {-10, 0, 10}, {5, 0, 5}, true, {0, 1}},
      {"one column", {9}, {9}, false, {1, 0}},
  };
  for (const auto& c : cases) {
    auto frame = test::frame_of({c.before});
    Row backup(5501, -1);
    RowsOutcome outcome;
    EXPECT_EQ(inclination_compensate(*frame, 0, backup.data(), outcome), c.done) << c.name;
    EXPECT_EQ(test::rows_of(*frame).front(), c.after) << c.name;
    EXPECT_EQ(std::pair(outcome.rows_left, outcome.pixels_left),
              std::pair(c.counts.rows_left, c.counts.pixels_left))
        << c.name;
    backup.resize(c.before.size());
    if (c.done) {
      EXPECT_EQ(backup, c.before) << c.name;
    }
  }

  // All lines, stopped at the second: the first row is done, the second stays.
  auto frame = test::frame_of({{10, 20, 30, 40}, {40, 30, 20, 10}});
  test::ScriptedUserInterface ui;
  ui.cancel_at_progress = 2;
  const RowsOutcome outcome = inclination_compensate_all(*frame, ui);
  EXPECT_EQ(test::rows_of(*frame), (std::vector<Row>{{30, 30, 30, 30}, {40, 30, 20, 10}}));
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_EQ(ui.progress_lines,
            (std::vector<std::string>{"Calculation: Line : 0", "Calculation: Line : 1"}));
  EXPECT_EQ(std::pair(frame->max_value, frame->min_value), std::pair(40, 10));
}

}  // namespace
}  // namespace orvane::processing
