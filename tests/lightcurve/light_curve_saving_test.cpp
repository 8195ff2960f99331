#include "lightcurve/light_curve_saving.h"

#include <gtest/gtest.h>

#include "sample_records.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::lightcurve {
namespace {

using test::observation;

const std::string kFirst = observation("03/02/00 21:30:00", "030", "012.00", "013.00", "014.00");
const std::string kSecond = observation("03/02/00 21:40:00", "030", "012.00", "014.00", "014.00");

TEST(LightCurveSaving, WritesTheCommentAndTheRecordsInUse) {
  const struct {
    const char* name;
    std::string comment;
    std::vector<bool> deleted;
    std::string expected;
  } cases[] = {
      {"nothing marked",
       ";night 1",
       {false, false},
       ";night 1\r\n" + kFirst + "\r\n" + kSecond + "\r\n"},
      {"one marked", ";night 1", {true, false}, ";night 1\r\n" + kSecond + "\r\n"},
      {"all marked: the comment only", ";night 1", {true, true}, ";night 1\r\n"},
      {"all marked, no comment: empty", "", {true, true}, ""},
      {"typed comment gets its ;", "typed", {false, true}, ";typed\r\n" + kFirst + "\r\n"},
      {"a line break in the comment stays on its line", "a\nb", {true, true}, ";a b\r\n"},
  };
  for (const auto& c : cases) {
    LightCurveData data = test::parsed({kFirst, "", kSecond});
    data.comment = c.comment;
    for (std::size_t i = 0; i < c.deleted.size(); ++i) {
      if (c.deleted[i]) data.records[i].line[0] = kDeleted;
    }
    EXPECT_EQ(saved_text(data), c.expected) << c.name;
  }
}

TEST(LightCurveSaving, RecordsBeyondTheHeldOnesAreWrittenBackUnchanged) {
  orvane::test::TempDir dir;
  std::string file = ";big night\n";
  std::string expected = ";big night\r\n";
  for (int i = 1; i <= 3002; ++i) {
    const std::string line = observation("03/02/00 21:30:00", "030", "012.00", "013.00", "014.00",
                                         "/f" + std::to_string(i) + ".fit");
    file += line + "\n";
    if (i != 2) expected += line + "\r\n";
  }
  const std::string path = dir.file("mag_est.txt");
  orvane::test::write_bytes(path, file);
  auto data = load_light_curve(path);
  ASSERT_TRUE(data);
  ASSERT_EQ(data->records.size(), kMaxRecords);
  data->records[1].line[0] = kDeleted;
  EXPECT_EQ(save_question(*data), "Do you want to save a photometry data? " + path);
  ASSERT_TRUE(save_light_curve(*data));
  EXPECT_EQ(orvane::test::read_bytes(path), expected);
  // Reading it back numbers the records afresh; the two kept aside are now among the 3000.
  auto again = load_light_curve(path);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->records.size(), 3000u);
  EXPECT_EQ(again->left_out.size(), 1u);
}

TEST(LightCurveSaving, AFailedSaveNamesTheFile) {
  LightCurveData data = test::parsed({kFirst});
  data.path = "/nonexistent-folder/mag_est.txt";
  auto saved = save_light_curve(data);
  ASSERT_FALSE(saved);
  EXPECT_EQ(saved.error().rfind("/nonexistent-folder/mag_est.txt", 0), 0u) << saved.error();
}

}  // namespace
}  // namespace orvane::lightcurve
