#include "lightcurve/chart_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sample_records.h"

namespace orvane::lightcurve {
namespace {

using test::two_records;
using Kind = ChartPrimitive::Kind;

ChartPrimitive line(int x1, int y1, int x2, int y2) {
  return {Kind::kLine, x1, y1, x2, y2, kChartBlack, 1, {}};
}
ChartPrimitive label(int x, int y, const char* text) {
  return {Kind::kText, x, y, 0, 0, kChartBlack, 1, text};
}
ChartPrimitive point(int x, int y) {
  return {Kind::kPoint, x, y, 0, 0, kChartGreen, 3, {}};
}

long count(const ChartDrawing& d, Kind kind) {
  return std::count_if(d.primitives.begin(), d.primitives.end(),
                       [kind](const ChartPrimitive& p) { return p.kind == kind; });
}

// A 200 x 100 picture: left margin Int(10 + 0.5) = 10, top Int(5 + 0.5) = 5, plot width
// Int(180 + 0.5) = 180, height Int(90 + 0.5) = 90.
TEST(ChartLayout, CheckChartStepByStep) {
  const LightCurveData data = two_records();
  const ChartDrawing d = chart_drawing(data, auto_axes(data), ChartKind::kCheck, 200, 100);
  // Tenths -5 to -2 (span 3) by 0.5: y = 5 + Int((v + 5) / 3 * 90 + 0.5) = 5, 20, 35 ... 95.
  // Hours 21 to 27 (span 6): x = 10 + Int((h - 21) / 6 * 180 + 0.5) = 10, 40 ... 190.
  // Points: 21.5 h -> x = 10 + Int(15.5) = 25, -5 tenths -> y = 5; 26.25 h -> x = 10 +
  // Int(157.5 + 0.5) = 168, -2.5 tenths -> y = 5 + Int(75.5) = 80.
  const std::vector<ChartPrimitive> expected = {
      {Kind::kFill, 0, 0, 200, 100, kChartWhite, 1, {}},
      {Kind::kText, 175, 5, 0, 0, kChartRed, 1, "C-K"},
      line(10, 5, 190, 5),
      label(5, 0, "-0.5"),
      line(10, 20, 190, 20),
      label(5, 15, "-0.45"),
      line(10, 35, 190, 35),
      label(5, 30, "-0.4"),
      line(10, 50, 190, 50),
      label(5, 45, "-0.35"),
      line(10, 65, 190, 65),
      label(5, 60, "-0.3"),
      line(10, 80, 190, 80),
      label(5, 75, "-0.25"),
      line(10, 95, 190, 95),
      label(5, 90, "-0.2"),
      line(10, 5, 10, 95),
      line(40, 5, 40, 95),
      line(70, 5, 70, 95),
      line(100, 5, 100, 95),
      line(130, 5, 130, 95),
      line(160, 5, 160, 95),
      line(190, 5, 190, 95),
      point(25, 5),
      point(168, 80),
  };
  EXPECT_EQ(d.primitives, expected);
  EXPECT_EQ(d.points, (std::vector<ChartPoint>{{25, 5}, {168, 80}}));
}

TEST(ChartLayout, VariableChartLabelsTheHoursAndLeavesOutStruckRecords) {
  LightCurveData data = two_records();
  const AxisSettings axes = auto_axes(data);
  data.records[0].line[0] = kDeleted;
  const ChartDrawing d = chart_drawing(data, axes, ChartKind::kVariable, 200, 100);
  EXPECT_EQ(d.primitives[1], (ChartPrimitive{Kind::kText, 175, 5, 0, 0, kChartRed, 1, "V-C"}));
  // Hour labels at (x, 100 - 25), past midnight as 24 and more.
  for (auto [x, text] : {std::pair(10, " 21"), std::pair(130, " 25"), std::pair(190, " 27")}) {
    EXPECT_NE(std::find(d.primitives.begin(), d.primitives.end(), label(x, 75, text)),
              d.primitives.end())
        << text;
  }
  // Tenths 12 to 16 (span 4): 12.5 -> y = 5 + Int(0.5 / 4 * 90 + 0.5) = 5 + Int(11.75) = 16.
  EXPECT_EQ(d.points, (std::vector<ChartPoint>{{kNoPosition, kNoPosition}, {168, 16}}));
  EXPECT_EQ(count(d, Kind::kPoint), 1);
}

TEST(ChartLayout, NothingToDrawOrOddRangesNeitherHangNorDivideByZero) {
  // No record at all: the ranges stay at 99 and -99, so there is no grid and no point.
  const ChartDrawing empty =
      chart_drawing(LightCurveData{}, AxisSettings{}, ChartKind::kVariable, 200, 100);
  EXPECT_EQ(empty.primitives.size(), 2u);  // white box and title
  EXPECT_TRUE(empty.points.empty());

  const LightCurveData data = two_records();
  AxisSettings s = auto_axes(data);
  s.hand_scale = true;
  s.hour_min = 21;  // hour "from" 21 and "to" 21.5: start 21, end Int(20.5) + 1 = 21
  s.hour_max = 20.5;
  s.check_min = -0.3;  // C-K from -0.3 to -0.3: low = high = -3
  s.check_max = -0.3;
  // A span of 0 counts as 1: x = 10 + Int(0.5 * 180 + 0.5) = 100 for 21.5 h, y = 5 + Int(-2 *
  // 90 + 0.5) = -175 for -5 tenths.
  ChartDrawing d = chart_drawing(data, s, ChartKind::kCheck, 200, 100);
  EXPECT_EQ(d.points[0], (ChartPoint{100, -175}));

  s.check_step = 0;  // no horizontal grid line
  d = chart_drawing(data, s, ChartKind::kCheck, 200, 100);
  EXPECT_EQ(count(d, Kind::kText), 1);  // the title only
  s.check_step = -1;
  EXPECT_EQ(count(chart_drawing(data, s, ChartKind::kCheck, 200, 100), Kind::kText), 1);

  // A hand range of a million magnitudes with a tiny step stops at the line limit; so do hours.
  s.check_min = -1e6;
  s.check_max = 1e6;
  s.check_step = 1e-3;
  s.hour_min = -1e9;
  s.hour_max = 1e9;
  d = chart_drawing(data, s, ChartKind::kCheck, 200, 100);
  EXPECT_EQ(count(d, Kind::kLine), 2 * kMaxGridLines);
}

TEST(ChartLayout, ClicksHitPointsWithinOnePixel) {
  const std::vector<ChartPoint> points = {{kNoPosition, kNoPosition}, {25, 5}, {168, 80}, {26, 6}};
  const struct {
    int x, y;
    std::optional<std::size_t> hit;
  } cases[] = {
      {25, 5, 1},   {24, 4, 1},      // on the point and one pixel off diagonally
      {26, 6, 1},                    // records 1 and 3 both within reach: the first wins
      {27, 7, 3},   {27, 5, 3},      // only record 3 is within one pixel
      {23, 5, {}},  {25, 8, {}},     // two pixels off
      {169, 81, 2}, {-99, -99, {}},  // a record not in use is never hit
  };
  for (const auto& c : cases) EXPECT_EQ(hit_record(points, c.x, c.y), c.hit) << c.x << "," << c.y;
}

}  // namespace
}  // namespace orvane::lightcurve
