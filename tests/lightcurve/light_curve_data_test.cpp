#include "lightcurve/light_curve_data.h"

#include <gtest/gtest.h>

#include "sample_records.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::lightcurve {
namespace {

using test::observation;
using test::parsed;

TEST(LightCurveData, RecordsCommentsAndBlankLines) {
  const LightCurveData data = parsed({
      ";first comment",
      observation("03/02/00 21:30:00", "030", "012.35", "011.22", "013.46"),
      "",
      observation("03/02/00 02:15:00", "030", "012.300", "011.200", "013.500"),
      ";second comment",
      "   ",
      "03/02/00 23:45:36 030 no equals signs",
  });
  ASSERT_EQ(data.records.size(), 3u);
  EXPECT_EQ(data.comment, ";second comment");  // the last one wins
  EXPECT_TRUE(data.left_out.empty());
  EXPECT_EQ(data.left_out_message, "");

  const Record& first = data.records[0];
  EXPECT_EQ(first.line,
            " 0001 : " + observation("03/02/00 21:30:00", "030", "012.35", "011.22", "013.46"));
  EXPECT_EQ(first.text(), observation("03/02/00 21:30:00", "030", "012.35", "011.22", "013.46"));
  EXPECT_TRUE(first.in_use());
  EXPECT_EQ(first.hour, 21.5);
  EXPECT_EQ(first.values[0], 12.35);
  EXPECT_EQ(first.values[1], 11.22);
  EXPECT_EQ(first.values[2], 13.46);

  // 02:15 after midnight is 2.25 + 24; numbers are read to the next blank, 3 decimals too.
  EXPECT_EQ(data.records[1].line.substr(0, 8), " 0002 : ");
  EXPECT_EQ(data.records[1].hour, 26.25);
  EXPECT_EQ(data.records[1].values[2], 13.5);
  // 23:45:36 is 23 + 45/60 + 36/3600 = 23.76; no "=" gives 0 for all three values.
  EXPECT_DOUBLE_EQ(data.records[2].hour, 23.76);
  EXPECT_EQ(data.records[2].values[0], 0);
  EXPECT_EQ(data.in_use_count(), 3u);
}

TEST(LightCurveData, ShortAndOddLinesReadWhatTheyHold) {
  const std::string far_var =
      "03/02/00 21:00:00 030 Check=1 Comp=2" + std::string(200, ' ') + "Var=3";
  const struct {
    const char* name;
    std::string line;
    double hour, k, c, v;
  } cases[] = {
      // No blank after the date: the time reads 00:00:00, which is 24 on the night's axis.
      {"no blank", "short", 24, 0, 0, 0},
      // Cut inside the seconds: "21", "30" and "" give 21 h 30 min 0 s.
      {"cut in the time", "03/02/00 21:30:", 21.5, 0, 0, 0},
      // Ends right after an "=": the empty number is 0.
      {"ends after =", "03/02/00 21:30:00 030 Check=", 21.5, 0, 0, 0},
      {"two values", "03/02/00 21:30:00 030 Check=12 Comp=11", 21.5, 12, 11, 0},
      // "=" signs beyond character 200 are not looked at.
      {"= beyond 200", far_var, 21, 1, 2, 0},
      // The date's blank at character 19: a ten-character date moves the time, not the values.
      {"long date", "2000-03-02 22:00:00 030 Check=1 Comp=2 Var=3 /a.fit", 22, 1, 2, 3},
  };
  for (const auto& c : cases) {
    const LightCurveData data = parsed({c.line});
    ASSERT_EQ(data.records.size(), 1u) << c.name;
    const Record& r = data.records[0];
    EXPECT_EQ(r.hour, c.hour) << c.name;
    EXPECT_EQ(r.values[0], c.k) << c.name;
    EXPECT_EQ(r.values[1], c.c) << c.name;
    EXPECT_EQ(r.values[2], c.v) << c.name;
  }
}

TEST(LightCurveData, HoldsThreeThousandRecordsAndKeepsTheRestAside) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 3005; ++i) {
    lines.push_back(observation("03/02/00 21:30:00", "030", "012.35", "011.22", "013.46",
                                "/obs/f" + std::to_string(i) + ".fit"));
  }
  lines.insert(lines.begin() + 3002, ";late comment");
  const LightCurveData data = parsed(lines);
  ASSERT_EQ(data.records.size(), 3000u);
  EXPECT_EQ(data.records.back().line.substr(0, 8), " 3000 : ");
  ASSERT_EQ(data.left_out.size(), 5u);
  EXPECT_EQ(data.left_out.front(), lines[3000]);
  EXPECT_EQ(data.left_out.back(), lines.back());
  EXPECT_EQ(data.comment, ";late comment");
  EXPECT_NE(data.left_out_message.find("3005 records"), std::string::npos);
  EXPECT_NE(data.left_out_message.find("other 5 are left out"), std::string::npos);
}

TEST(LightCurveData, LoadMakesThePathAbsoluteAndNamesAMissingFile) {
  orvane::test::TempDir dir;
  const std::string path = dir.file("mag_est.txt");
  orvane::test::write_bytes(
      path, observation("03/02/00 21:30:00", "030", "012.35", "011.22", "013.46") + "\r\n\r\n");
  auto data = load_light_curve(path);
  ASSERT_TRUE(data) << data.error();
  EXPECT_EQ(data->path, path);
  EXPECT_EQ(data->records.size(), 1u);

  auto missing = load_light_curve(dir.file("none.txt"));
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error(), dir.file("none.txt") + ": No such file or directory");

  // Files that hold no records are refused, so they can never be saved back over as text; an
  // empty file is a data file without records.
  const std::string kNotData = ": not a data file of observation records (";
  const struct {
    const char* name;
    std::string bytes;
    std::string reason;  // empty: read
  } cases[] = {
      {"frame.fit", "SIMPLE  =                    T / x = y = z\nBITPIX  =   16",
       "binary data, not observation records)"},
      {"picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR a=b=c=d", 24),
       "binary data, not observation records)"},
      {"notes.txt", "clear sky\r\n; comment\r\nmoon up\r\n", "no observation record in it)"},
      {"empty.txt", "", ""},
  };
  for (const auto& c : cases) {
    const std::string file = dir.file(c.name);
    orvane::test::write_bytes(file, c.bytes);
    auto read = load_light_curve(file);
    EXPECT_EQ(read.ok(), c.reason.empty()) << c.name;
    if (!read.ok()) {
      EXPECT_EQ(read.error(), file + kNotData + c.reason) << c.name;
    }
  }
}

}  // namespace
}  // namespace orvane::lightcurve
