#include "lightcurve/aavso_report.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "core/text_file.h"
#include "sample_records.h"

namespace orvane::lightcurve {
namespace {

using test::observation;

constexpr double kNow = 2460400.5;  // 2024-03-24

// A frame header pointing at RZ Cas from 35.68 N 139.74 E.
std::vector<std::string> rz_cas_header() {
  return {"OBJCTRA = '02 48 55.51'", "OBJCTDEC= '+69 38 03.4'", "SITELAT =                35.68",
          "SITELONG=               139.74", "END"};
}

AavsoFields rz_cas_fields() {
  AavsoFields f;
  f.obscode = "XYZ";
  f.starid = "RZ CAS";
  f.band = "V";
  f.cname = "110";
  f.kname = "118";
  f.chart = "X36483DQK";
  f.date = AavsoDate::kHjd;
  f.time_zone = 9;
  f.now_jd = kNow;
  return f;
}

// Three records in Japan Standard Time (hours past 24 are the next morning), the second struck
// out. Expected figures:
// - DATE: 2024-01-15 30:04:10 JST with 30 s is 21:04:25 UT, JD 2460325.378067, HJD
//   2460325.380479 (astropy 5.2.1, see the astronomical-time tests); ten minutes later the
//   correction is the same to 1e-7 d: 2460325.380479 + 600/86400 = 2460325.387423.
// - MAGNITUDE 10 + (V - C) x 2.5/2.511886432: 2.24 -> 12.229, 2.30 -> 12.289; CMAG and KMAG
//   20 - (20 - m) x 2.5/2.511886432: 11.22 -> 11.262, 12.35 -> 12.386, 11.20 -> 11.242,
//   12.36 -> 12.396.
// - MAGERR: C-K -1.13 and -1.16, population deviation 0.015, x 0.99527 = 0.01493.
// - AIRMASS: sec z 3.6745 (astropy) is 3.634 by Hardie; ten minutes later the setting star
// sits lower.
TEST(AavsoReport, GoldenFileInJapanTime) {
  LightCurveData data =
      test::parsed({observation("2024-01-15 30:04:10", "030", "012.35", "011.22", "013.46"),
                    observation("2024-01-15 30:09:10", "030", "012.00", "010.00", "015.00"),
                    observation("2024-01-15 30:14:10", "030", "012.36", "011.20", "013.50")});
  data.records[1].line[0] = kDeleted;
  std::vector<std::string> asked;
  const AavsoReport report =
      build_aavso_report(data, rz_cas_fields(), [&](const std::string& path) {
        asked.push_back(path);
        return core::Result<std::vector<std::string>>(rz_cas_header());
      });
  const std::vector<std::string> lines = core::split_lines(report.text);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "#TYPE=EXTENDED");
  EXPECT_EQ(lines[1], "#OBSCODE=XYZ");
  EXPECT_EQ(lines[2], "#SOFTWARE=Orvane 1.01");
  EXPECT_EQ(lines[3], "#DELIM=,");
  EXPECT_EQ(lines[4], "#DATE=HJD");
  EXPECT_EQ(lines[5], "#OBSTYPE=CCD");
  EXPECT_EQ(lines[6],
            "RZ CAS,2460325.38048,12.229,0.015,V,NO,STD,110,11.262,118,12.386,3.634,na,"
            "X36483DQK,|CREFMAG=10.000");
  EXPECT_EQ(lines[7].substr(0, 64),
            "RZ CAS,2460325.38742,12.289,0.015,V,NO,STD,110,11.242,118,12.396");
  EXPECT_EQ(lines[7].substr(71), "na,X36483DQK,|CREFMAG=10.000");
  const double later_airmass = core::val(lines[7].substr(65, 5));  // the star is setting
  EXPECT_GT(later_airmass, 3.634);
  EXPECT_LT(later_airmass, 3.75);
  EXPECT_TRUE(report.problems.empty()) << report.problems.front();
  EXPECT_EQ(asked, std::vector<std::string>(2, "/obs/a.fit"));
}

TEST(AavsoReport, FieldsRefusedBeforeWriting) {
  const LightCurveData data =
      test::parsed({observation("2024-01-15 21:04:10", "030", "012.35", "011.22", "013.46")});
  const auto no_header = [](const std::string& path) {
    return core::Result<std::vector<std::string>>(core::Error{path + ": cannot be opened"});
  };
  AavsoFields f = rz_cas_fields();
  f.time_zone = 0;
  f.band = "O";
  f.obscode = "N/A";
  const AavsoReport report = build_aavso_report(data, f, no_header);
  ASSERT_EQ(report.problems.size(), 3u);
  EXPECT_EQ(report.problems[0], "line 2: OBSCODE: empty or N/A");
  EXPECT_EQ(report.problems[1].substr(0, 47), "line 7: DATE: no star coordinates for HJD (--ra");
  EXPECT_EQ(report.problems[2], "line 7: FILTER: \"O\" is not taken by WebObs at present");
  EXPECT_FALSE(write_aavso_report(report, "/nonexistent/never.txt"));
  const AavsoReport undated = build_aavso_report(
      test::parsed({observation("00/00/00 00:00:00", "030", "012.35", "011.22", "013.46")}),
      rz_cas_fields(), no_header);
  ASSERT_EQ(undated.problems.size(), 1u);
  EXPECT_EQ(undated.problems[0].substr(0, 41), "line 7: DATE: the record has no date (\"00");

  // Rc is written R; JD without coordinates needs no header; one record has no MAGERR.
  f = rz_cas_fields();
  f.band = "Rc";
  f.date = AavsoDate::kJd;
  f.time_zone = 0;
  f.site.reset();
  f.star = photometry::SkyPosition{42.23, 69.63};
  f.site = photometry::Site{35.68, 139.74};
  f.delim = "tab";
  const AavsoReport jd = build_aavso_report(data, f, no_header);
  EXPECT_TRUE(jd.problems.empty());
  EXPECT_EQ(core::split_lines(jd.text)[6].substr(0, 35),
            "RZ CAS\t2460325.37807\t12.229\tna\tR\tNO");
}

// One bad line per rule, each against the golden line.
TEST(AavsoReport, CheckerNamesTheLineAndField) {
  const std::string head =
      "#TYPE=EXTENDED\n#OBSCODE=XYZ\n#SOFTWARE=Orvane 1.01\n#DELIM=,\n#DATE=JD\n#OBSTYPE=CCD\n";
  const std::string good =
      "RZ CAS,2460325.38048,12.229,0.015,V,NO,STD,110,11.262,118,12.386,3.634,na,X36483DQK,na";
  struct Row {
    const char* name;
    std::string text;
    std::string problem;
  };
  const Row rows[] = {
      {"good", head + good, ""},
      {"parameter missing", "#TYPE=EXTENDED\n#OBSCODE=XYZ\n" + head.substr(50) + good,
       "line 3: SOFTWARE: missing"},
      {"pipe delimiter", head.substr(0, 50) + "#DELIM=|\n#DATE=JD\n#OBSTYPE=CCD\n" + good,
       "line 4: DELIM: one character other than \"|\", \"#\" and blank wanted"},
      {"blank line", head + good + "\n\n" + good, "line 8: STARID: blank line"},
      {"hash line", head + good + "\n#x", "line 8: STARID: \"#\" line among the observations"},
      {"non-ASCII", head + "R\xc3\xa9" + good.substr(2), "line 7: STARID: non-ASCII character"},
      {"no delimiter", head + "RZ CAS", "line 7: STARID: no delimiter"},
      {"14 fields", head + good.substr(0, good.size() - 3), "line 7: NOTES: 14 fields, 15 wanted"},
      {"STARID 31", head + std::string(31, 'A') + good.substr(6),
       "line 7: STARID: longer than 30 characters"},
      {"DATE two dots", head + "RZ CAS,2460325.38.48" + good.substr(20),
       "line 7: DATE: digits with one dot wanted"},
      {"DATE before 1900", head + "RZ CAS,2400000.5" + good.substr(20),
       "line 7: DATE: outside 1900 to tomorrow"},
      {"MAGNITUDE no dot", head + "RZ CAS,2460325.38048,12" + good.substr(27),
       "line 7: MAGNITUDE: a number with a dot wanted"},
      {"MAGERR 7", head + good.substr(0, 28) + "0.01234" + good.substr(33),
       "line 7: MAGERR: longer than 6 characters"},
      {"FILTER Rc", head + good.substr(0, 34) + "Rc" + good.substr(35),
       "line 7: FILTER: \"Rc\" is not an AAVSO filter"},
      {"TRANS", head + good.substr(0, 36) + "N" + good.substr(38),
       "line 7: TRANS: YES or NO wanted"},
      {"MTYPE DIF without CNAME", head + good.substr(0, 39) + "DIF,na" + good.substr(46),
       "line 7: CNAME: DIF needs a CNAME"},
      {"CNAME 21", head + good.substr(0, 43) + std::string(21, 'C') + good.substr(46),
       "line 7: CNAME: longer than 20 characters"},
      {"KMAG text", head + good.substr(0, 58) + "bright" + good.substr(64),
       "line 7: KMAG: neither a number nor \"na\""},
      {"AIRMASS 8", head + good.substr(0, 65) + "3.634000" + good.substr(70),
       "line 7: AIRMASS: longer than 7 characters"},
      {"GROUP 6", head + good.substr(0, 71) + "abcdef" + good.substr(73),
       "line 7: GROUP: longer than 5 characters"},
      {"OBSCODE N/A", "#TYPE=EXTENDED\n#OBSCODE=N/A\n" + head.substr(28) + good,
       "line 2: OBSCODE: empty or N/A"},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> problems = aavso_check(row.text, kNow);
    if (row.problem.empty()) {
      EXPECT_TRUE(problems.empty()) << row.name << ": " << problems.front();
    } else {
      ASSERT_EQ(problems.size(), 1u) << row.name << ": " << (problems.empty() ? "" : problems[0]);
      EXPECT_EQ(problems[0], row.problem) << row.name;
    }
  }
}

}  // namespace
}  // namespace orvane::lightcurve
