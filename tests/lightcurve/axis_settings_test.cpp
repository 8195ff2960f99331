#include "lightcurve/axis_settings.h"

#include <gtest/gtest.h>

#include "sample_records.h"

namespace orvane::lightcurve {
namespace {

using test::observation;

// 21:30 and 02:15: C-K -0.5 and -0.25, V-C 1.5 and 1.25.
LightCurveData night() {
  return test::parsed({observation("03/02/00 21:30:00", "030", "012.00", "011.50", "013.00"),
                       observation("04/02/00 02:15:00", "030", "012.00", "011.75", "013.00")});
}

TEST(AxisSettings, FoundRangesAndTheAxesDrawnFromThem) {
  LightCurveData data = night();
  data.records[1].line[0] = kDeleted;  // marks do not change the ranges found at loading
  const AxisSettings s = auto_axes(data);
  EXPECT_EQ(s.hour_min, 21.5);
  EXPECT_EQ(s.hour_max, 26.25);
  EXPECT_EQ(s.check_min, -0.5);
  EXPECT_EQ(s.check_max, -0.25);
  EXPECT_EQ(s.var_min, 1.25);
  EXPECT_EQ(s.var_max, 1.5);
  EXPECT_EQ(s.check_step, 0.5);
  EXPECT_FALSE(s.hand_scale);

  // One axis from 21 to 27 across midnight; C-K from Int(-5) = -5 to Int(-2.5) + 1 = -2 tenths.
  const ChartAxes check = chart_axes(s, ChartKind::kCheck);
  EXPECT_EQ(check.hour_start, 21);
  EXPECT_EQ(check.hour_end, 27);
  EXPECT_EQ(check.low, -5);
  EXPECT_EQ(check.high, -2);
  // V-C: Int(12.5) = 12 to Int(15) + 1 = 16.
  const ChartAxes var = chart_axes(s, ChartKind::kVariable);
  EXPECT_EQ(var.low, 12);
  EXPECT_EQ(var.high, 16);

  // Hand ranges have no extra tenth at the top: Int(-2.5) = -3 and Int(15) = 15.
  AxisSettings hand = s;
  hand.hand_scale = true;
  EXPECT_EQ(chart_axes(hand, ChartKind::kCheck).high, -3);
  EXPECT_EQ(chart_axes(hand, ChartKind::kVariable).high, 15);

  // No record: the impossible start values stay.
  const AxisSettings empty = auto_axes(LightCurveData{});
  EXPECT_EQ(empty.hour_min, 99);
  EXPECT_EQ(empty.var_max, -99);
}

TEST(AxisSettings, AxisWindowShowsTheRangesAndOkReadsThemBack) {
  const AxisSettings found = auto_axes(night());
  const AxisWindowTexts texts = axis_window_texts(found);
  // Int(21.5) and Int(26.25) + 1; Int(-5) / 10 and (Int(-2.5) + 1) / 10; Int(12.5) / 10 and
  // (Int(15) + 1) / 10; steps 0.5 / 10.
  EXPECT_EQ(texts.hour_from, "21");
  EXPECT_EQ(texts.hour_to, "27");
  EXPECT_EQ(texts.check_from, "-0.5");
  EXPECT_EQ(texts.check_to, "-0.2");
  EXPECT_EQ(texts.var_from, "1.2");
  EXPECT_EQ(texts.var_to, "1.6");
  EXPECT_EQ(texts.check_step, "0.05");
  EXPECT_EQ(texts.var_step, "0.05");

  auto hand = axis_window_ok(texts);
  ASSERT_TRUE(hand) << hand.error();
  EXPECT_TRUE(hand->hand_scale);
  EXPECT_EQ(hand->hour_min, 21);
  EXPECT_EQ(hand->hour_max, 26);  // the "to" hour less one
  EXPECT_EQ(hand->check_max, -0.2);
  EXPECT_EQ(hand->var_min, 1.2);
  EXPECT_EQ(hand->check_step, 0.5);
  // OK on the texts as shown draws the same axes as the found ranges.
  for (ChartKind kind : {ChartKind::kCheck, ChartKind::kVariable}) {
    const ChartAxes a = chart_axes(found, kind);
    const ChartAxes b = chart_axes(*hand, kind);
    EXPECT_EQ(std::tuple(a.hour_start, a.hour_end, a.low, a.high),
              std::tuple(b.hour_start, b.hour_end, b.low, b.high));
  }
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
  const AxisWindowTexts good = axis_window_texts(auto_axes(night()));
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
