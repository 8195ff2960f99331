#include "lightcurve/record_marking.h"

#include <gtest/gtest.h>

#include "lightcurve/photometry_error.h"
#include "sample_records.h"

namespace orvane::lightcurve {
namespace {

using test::observation;

// C-K of the three records: 13 - 12 = 1, 14 - 12 = 2, 15 - 12 = 3.
LightCurveData three() {
  return test::parsed({
      observation("03/02/00 21:30:00", "030", "012.00", "013.00", "014.00", "/obs/my frame.fit"),
      observation("03/02/00 21:40:00", "030", "012.00", "014.00", "014.00", "/obs/b.fit"),
      observation("03/02/00 21:50:00", "030", "012.00", "015.00", "014.00", "/obs/c.fit"),
  });
}

TEST(RecordMarking, ListLinesEndAtTheEighthBlankAndThePathFollows) {
  const LightCurveData data = three();
  // Blanks from the second character: two in " 0001 : ", then after the date, the time, the
  // exposure, Check and Comp, and the one Var's number ends with.
  EXPECT_EQ(list_line(data.records[0]),
            " 0001 : 03/02/00 21:30:00 030 Check=012.00 Comp=013.00 Var=014.00 ");
  EXPECT_EQ(image_path(data.records[0]), "/obs/my frame.fit");  // a blank in the path is kept
  EXPECT_EQ(list_lines(data).size(), 3u);
  // A line with fewer blanks is listed whole and has no image.
  const LightCurveData odd = test::parsed({"03/02/00 21:30:00 no path"});
  EXPECT_EQ(list_line(odd.records[0]), " 0001 : 03/02/00 21:30:00 no path");
  EXPECT_EQ(image_path(odd.records[0]), "");
}

TEST(RecordMarking, DoubleClickOnTheListTogglesAndTheErrorFollows) {
  LightCurveData data = three();
  // Population standard deviation of 1, 2, 3: mean 2, sqrt((1 + 0 + 1) / 3) = 0.8165
  // (the sample deviation would be 1).
  EXPECT_EQ(photometry_error_text(photometry_error(data)), "Photometry error = 0.8165");

  const std::string second = list_lines(data)[1];
  EXPECT_EQ(toggle_by_list_text(data, second), 1u);
  EXPECT_EQ(data.records[1].line[0], 'x');
  EXPECT_EQ(data.records[1].line.substr(1), three().records[1].line.substr(1));
  // 1 and 3: mean 2, sqrt((1 + 1) / 2) = 1.
  EXPECT_EQ(photometry_error_text(photometry_error(data)), "Photometry error = 1.0000");

  // The rebuilt list line starts with the mark; double-clicking it takes the record back.
  const std::string marked = list_lines(data)[1];
  EXPECT_EQ(marked[0], 'x');
  EXPECT_EQ(toggle_by_list_text(data, marked), 1u);
  EXPECT_TRUE(data.records[1].in_use());

  EXPECT_EQ(toggle_by_list_text(data, " 0007 : "), std::nullopt);
  EXPECT_EQ(toggle_by_list_text(data, ""), std::nullopt);

  for (auto& r : data.records) r.line[0] = kDeleted;
  EXPECT_EQ(photometry_error(data), std::nullopt);
  EXPECT_EQ(photometry_error_text(std::nullopt), "Photometry error =");
}

TEST(RecordMarking, LeftClickOnAPointStrikesItsRecordOut) {
  LightCurveData data = three();
  const std::vector<ChartPoint> points = {{10, 10}, {20, 10}, {30, 10}};
  EXPECT_EQ(delete_by_click(data, points, 23, 10), std::nullopt);  // 3 pixels from any point
  EXPECT_EQ(data.in_use_count(), 3u);
  EXPECT_EQ(delete_by_click(data, points, 21, 11), "delete no = 0002");
  EXPECT_FALSE(data.records[1].in_use());
  EXPECT_EQ(data.in_use_count(), 2u);
}

}  // namespace
}  // namespace orvane::lightcurve
