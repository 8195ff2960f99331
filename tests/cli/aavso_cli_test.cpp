// orvane-cli report --format aavso and aavso-check run as a process.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::test::FitsBuilder;
using orvane::test::read_bytes;
using orvane::test::TempDir;
using orvane::test::write_bytes;

// One record of RZ Cas at 21:04:10 UT with 30 s, whose frame header gives the pointing and the
// site; the line is the one worked out in the AAVSO report tests (HJD 2460325.380479).
TEST(AavsoCli, WritesTheReportAndChecksIt) {
  TempDir dir;
  const std::string frame = FitsBuilder::image(16, 2, 2)
                                .add("OBJCTRA", "'02 48 55.51'")
                                .add("OBJCTDEC", "'+69 38 03.4'")
                                .add("SITELAT", "35.68")
                                .add("SITELONG", "139.74")
                                .end()
                                .u16({0, 0, 0, 0})
                                .pad()
                                .write(dir.file("rz_001.fit"));
  const std::string data = dir.file("mag_est.txt");
  write_bytes(data,
              "2024-01-15 21:04:10 030 Check=012.35 Comp=011.22 Var=013.46 " + frame + "\r\n");
  const std::string out = dir.file("rz.csv");
  const std::string common = "report " + data +
                             " --format aavso --obscode XYZ --starid 'RZ CAS' --comp-mag 10 "
                             "--cname 110 --kname 118 --chart X36483DQK --date hjd -o " +
                             out;
  auto r = orvane::test::run_cli(dir, common + " --band O");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("line 7: FILTER: \"O\" is not taken by WebObs at present"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  r = orvane::test::run_cli(dir, common + " --band V");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out + ": 1 observations\n");
  EXPECT_EQ(read_bytes(out),
            "#TYPE=EXTENDED\r\n#OBSCODE=XYZ\r\n#SOFTWARE=Orvane 1.01\r\n#DELIM=,\r\n#DATE=HJD\r\n"
            "#OBSTYPE=CCD\r\nRZ CAS,2460325.38048,12.229,na,V,NO,STD,110,11.262,118,12.386,"
            "3.634,na,X36483DQK,|CREFMAG=10.000\r\n");

  r = orvane::test::run_cli(dir, "aavso-check " + out);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, out + ": no problems\n");
  write_bytes(out, read_bytes(out) + "\r\n");
  r = orvane::test::run_cli(dir, "aavso-check " + out);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, out + ": line 8: STARID: blank line\n");
}

// The times the automatic run reads from three headers, each line naming its card. Figures of
// the first row: the RZ Cas reference (JD 2460325.378067, HJD .380479, BJD_TDB .381259, sec z
// 3.6745 giving air mass 3.634 by Hardie). A JST time is 9 h ahead of UT; with TIMESYS UTC and
// an hour before 9 the record's date moves one day on, as the automatic run writes it.
TEST(AavsoCli, InfoTimesNamesTheCards) {
  TempDir dir;
  struct Row {
    const char* name;
    std::vector<std::string> cards;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"T in DATE-OBS, DATE-LOC and EXPOSURE not used",
       {"DATE-OBS= '2024-01-15T21:04:10'", "DATE-LOC= '2024-01-16T06:04:10'",
        "EXPOSURE=                   30", "EXPTIME =                   30",
        "OBJCTRA = '02 48 55.51'", "OBJCTDEC= '+69 38 03.4'", "SITELAT =                35.68",
        "SITELONG=               139.74"},
       {"date: 2024-01-15 (card 6 DATE-OBS)", "time: 21:04:10 (card 6 DATE-OBS)",
        "exposure: 30 (card 9 EXPTIME)", "mid-exposure: 2024-01-15 21:04:25 UT",
        "jd: 2460325.37807", "hjd: 2460325.38048", "bjd_tdb: 2460325.38126", "airmass: 3.634",
        "ra: 02 48 55.51 (card 10 OBJCTRA)",
        "site: 35.68,139.74 (card 12 SITELAT) (card 13 "
        "SITELONG)",
        "not used: DATE-LOC (card 7), EXPOSURE (card 8)"}},
      {"JST card",
       {"DATE-OBS= '2024-01-16'", "JST     = '06:04:10'", "TIMESYS = 'UTC     '",
        "EXPTIME =                   30"},
       {"date: 17/01/24 (card 6 DATE-OBS)", "time: 06:04:10 JST (card 7 JST)",
        "mid-exposure: 2024-01-16 21:04:25 UT", "jd: 2460326.37807", "hjd: none (no coordinates)",
        "airmass: none (no coordinates)", "not used: TIMESYS (card 8)"}},
      {"no time card",
       {"DATE-OBS= '2024-01-15'"},
       {"time: none", "exposure: none", "jd: none (no time)", "ra: none", "not used: none"}},
  };
  for (const Row& row : rows) {
    FitsBuilder builder = FitsBuilder::image(16, 1, 1);
    for (const std::string& card : row.cards) builder.add_raw(card);
    const std::string frame = builder.end().u16({0}).pad().write(dir.file("times.fit"));
    const auto r = orvane::test::run_cli(dir, "info " + frame + " --times");
    ASSERT_EQ(r.status, 0) << row.name << ": " << r.err;
    for (const std::string& line : row.lines) {
      EXPECT_NE(r.out.find("\n" + line + "\n"), std::string::npos)
          << row.name << ": " << line << "\n"
          << r.out;
    }
  }
}

}  // namespace
