#include "lightcurve/axis_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "sample_records.h"

namespace orvane::lightcurve {
namespace {

using test::two_records;

// The ranges and steps of the settings, the axes drawn and the eight boxes, each as one value.
auto ranges(const AxisSettings& s) {
  return std::tuple(s.hour_min, s.hour_max, s.check_min, s.check_max, s.var_min, s.var_max,
                    s.check_step, s.var_step, s.hand_scale);
}
auto axes(const AxisSettings& s, ChartKind kind) {
  const ChartAxes a = chart_axes(s, kind);
  return std::tuple(a.hour_start, a.hour_end, a.low, a.high);
}
std::vector<std::string> boxes(const AxisWindowTexts& t) {
  return {t.hour_from, t.hour_to, t.check_from, t.check_to,
          t.var_from,  t.var_to,  t.check_step, t.var_step};
}

TEST(AxisSettings, FoundRangesAndTheAxesDrawnFromThem) {
  LightCurveData data = two_records();
  data.records[1].line[0] = kDeleted;  // marks do not change the ranges found at loading
  const AxisSettings s = auto_axes(data);
  EXPECT_EQ(ranges(s), std::tuple(21.5, 26.25, -0.5, -0.25, 1.25, 1.5, 0.5, 0.5, false));
  // One hour axis from 21 to 27 across midnight; C-K from Int(-5) = -5 to Int(-2.5) + 1 = -2
  // tenths, V-C from Int(12.5) = 12 to Int(15) + 1 = 16.
  EXPECT_EQ(axes(s, ChartKind::kCheck), std::tuple(21.0, 27.0, -5.0, -2.0));
  EXPECT_EQ(axes(s, ChartKind::kVariable), std::tuple(21.0, 27.0, 12.0, 16.0));

  // Hand ranges have no extra tenth at the top: Int(-2.5) = -3 and Int(15) = 15.
  AxisSettings hand = s;
  hand.hand_scale = true;
  EXPECT_EQ(chart_axes(hand, ChartKind::kCheck).high, -3);
  EXPECT_EQ(chart_axes(hand, ChartKind::kVariable).high, 15);

  // No record: the impossible start values stay.
  const AxisSettings empty = auto_axes(LightCurveData{});
  EXPECT_EQ(std::pair(empty.hour_min, empty.var_max), std::pair(99.0, -99.0));
}

TEST(AxisSettings, AxisWindowShowsTheRangesAndOkReadsThemBack) {
  const AxisSettings found = auto_axes(two_records());
  const AxisWindowTexts texts = axis_window_texts(found);
  // Int(21.5) and Int(26.25) + 1; Int(-5) / 10 and (Int(-2.5) + 1) / 10; Int(12.5) / 10 and
  // (Int(15) + 1) / 10; steps 0.5 / 10.
  EXPECT_EQ(boxes(texts),
            (std::vector<std::string>{"21", "27", "-0.5", "-0.2", "1.2", "1.6", "0.05", "0.05"}));

  // Read back as hand ranges, the "to" hour less one; they draw the same axes as the found ones.
  auto hand = axis_window_ok(texts);
  ASSERT_TRUE(hand) << hand.error();
  EXPECT_EQ(ranges(*hand), std::tuple(21.0, 26.0, -0.5, -0.2, 1.2, 1.6, 0.5, 0.5, true));
  for (ChartKind kind : {ChartKind::kCheck, ChartKind::kVariable})
    EXPECT_EQ(axes(found, kind), axes(*hand, kind));

  // A typed "to" of 1.64 is rounded to a tenth: Int(16.4 + 0.5) / 10 = 1.6; the window shows
  // it again as 1.6.
  AxisWindowTexts typed = texts;
  typed.var_to = "1.64";
  auto rounded = axis_window_ok(typed);
  ASSERT_TRUE(rounded);
  EXPECT_EQ(rounded->var_max, 1.6);
  EXPECT_EQ(axis_window_texts(*rounded).var_to, "1.6");
}

TEST(AxisSettings, OkRefusesStepsAndRangesThatCannotBeDrawn) {
  const AxisWindowTexts good = axis_window_texts(auto_axes(two_records()));
  const struct {
    const char* name;
    std::string AxisWindowTexts::*box;
    const char* text;
    const char* message;
  } cases[] = {
      {"zero C-K step", &AxisWindowTexts::check_step, "0", "The step must be above 0"},
      {"negative V-C step", &AxisWindowTexts::var_step, "-0.1", "The step must be above 0"},
      {"hour to = from", &AxisWindowTexts::hour_to, "21",
       "Hour Axis: the upper value must be above the lower value"},
      {"C-K to below from", &AxisWindowTexts::check_to, "-0.6",
       "C-K Axis: the upper value must be above the lower value"},
      {"V-C to not a number", &AxisWindowTexts::var_to, "abc",  // reads as 0, below 1.2
       "V-C Axis: the upper value must be above the lower value"},
  };
  for (const auto& c : cases) {
    AxisWindowTexts texts = good;
    texts.*c.box = c.text;
    auto result = axis_window_ok(texts);
    ASSERT_FALSE(result) << c.name;
    EXPECT_EQ(result.error(), c.message) << c.name;
  }
}

}  // namespace
}  // namespace orvane::lightcurve
