#include "lightcurve/report_export.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <iterator>

#include "sample_records.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::lightcurve {
namespace {

using test::observation;

// Shift-JIS bytes by the C library's converter, the oracle for the Japanese lines.
std::string cp932(std::string utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(utf8.size() * 2, '\0');
  char* in = utf8.data();
  char* to = out.data();
  std::size_t in_left = utf8.size(), out_left = out.size();
  EXPECT_NE(iconv(cd, &in, &in_left, &to, &out_left), static_cast<std::size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

// The observer and place in Japanese, which the report writes in Shift-JIS.
ReportFields fields() {
  return {"CASRZ", 10, "V", "ABC", "山田 東京", "20cm L CCD"};
}

// 20:00 on 1 March 2000 (30 s), 01:10 on 2 March (60 s), 02:00 on 2 March with three decimals
// (30 s), and a struck-out record at 03:00.
LightCurveData march_night() {
  LightCurveData data = test::parsed({
      observation("01/03/00 20:00:00", "030", "012.00", "011.50", "013.00"),
      observation("02/03/00 01:10:00", "060", "012.00", "011.50", "013.25"),
      observation("02/03/00 02:00:00", "030", "012.123", "011.500", "012.850"),
      observation("02/03/00 03:00:00", "030", "012.00", "011.00", "013.00"),
  });
  data.records[3].line[0] = kDeleted;
  return data;
}

// Every record dated by the night of 1 March. Mid-exposure 20:00:15, 25:10:30 and 26:00:15
// JST. Magnitudes 10 + (V - C): 11.50, 11.75 and 11.350 (the third record has 3 decimals).
// JD in UT: 11:00:15 on 1 March = 2451604.5 + 0.4585069 = 2451604.9585069; 16:10:30 =
// 2451605.1739583; 17:00:15 = 2451605.2085069.
// Error: C-K -0.5, -0.5, -0.623; mean -0.541; sqrt((0.041^2 * 2 + 0.082^2) / 3) = 0.05798.
const std::string kExpectedReport =
    cp932("変光星観測 ") + "2000/03/01 By ABC\r\n" +
    "---- Variable Star Observations ----\r\n"
    "CASRZ 20000301200015 11.50V ABC\r\n"
    "CASRZ 20000301251030 11.75V ABC\r\n"
    "CASRZ 20000301260015 11.350V ABC\r\n" +
    std::string(69, '-') + "\r\n" + cp932("観測は順に星名 , JST(hhmmss), 光度, 観測者略号") +
    "\r\n" + cp932("total: 1星 / 3 目測") + "\r\n" + "observer: " + cp932("山田 東京") + "\r\n" +
    "instruments: 20cm L CCD\r\n"
    "comment: photometry error = 0.0580\r\n";

// Date, code right-aligned in 10, time, star field of 20 + 15 + 4 + 5, hundredths, JD - 2000000.
const std::string kExpectedData =
    "20000301       ABC200015CASRZ               V magnitude    CCD(V)   01150 451604.9585\r\n"
    "20000301       ABC251030CASRZ               V magnitude    CCD(V)   01175 451605.1740\r\n"
    "20000301       ABC260015CASRZ               V magnitude    CCD(V)   01135 451605.2085\r\n";

TEST(ReportExport, WritesBothFilesByteForByteAndLeavesNoTemporaryFile) {
  auto files = build_report(march_night(), fields());
  ASSERT_TRUE(files) << files.error();
  EXPECT_EQ(files->count, 3u);
  orvane::test::TempDir dir;
  orvane::test::write_bytes(dir.file("sdata2.2"), "old contents\r\n");
  ASSERT_TRUE(write_report(march_night(), fields(), dir.path().string()));
  EXPECT_EQ(orvane::test::read_bytes(dir.file("sdata2.std")), kExpectedReport);
  EXPECT_EQ(orvane::test::read_bytes(dir.file("sdata2.2")), kExpectedData);
  // No "sdata2.22" and no temporary file left.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(ReportExport, FieldsAndRoundingOfSingleRecords) {
  const struct {
    const char* name;
    std::string record;
    ReportFields fields;
    std::string data_part;  // expected text of sdata2.2 from character 9
  } cases[] = {
      // 12.345 in hundredths: Int(1234.5 + 0.5) = 1235.
      {"12.345 rounds up",
       observation("01/03/00 20:00:00", "030", "012.00", "011.50", "011.50"),
       {"CASRZ", 12.345, "V", "ABC", "", ""},
       "       ABC200015CASRZ               V magnitude    CCD(V)   01235 "},
      // A long code keeps its first 10 characters; a two-letter band fills the field the same.
      {"long code, band Rc",
       observation("01/03/00 20:00:00", "030", "012.00", "011.50", "011.50"),
       {"CASRZ", 10, "Rc", "ABCDEFGHIJKL", "", ""},
       "ABCDEFGHIJ200015CASRZ               Rc magnitude   CCD(Rc)  01000 "},
      // 20 characters fill the star field exactly.
      {"20-character star",
       observation("01/03/00 20:00:00", "030", "012.00", "011.50", "011.50"),
       {"ANDABCDEFGHIJKLMNOPQ", 10, "V", "ABC", "", ""},
       "       ABC200015ANDABCDEFGHIJKLMNOPQV magnitude    CCD(V)   01000 "},
  };
  for (const auto& c : cases) {
    auto files = build_report(test::parsed({c.record}), c.fields);
    ASSERT_TRUE(files) << c.name << ": " << files.error();
    EXPECT_EQ(files->data.substr(8, c.data_part.size()), c.data_part) << c.name;
  }
}

TEST(ReportExport, EachRecordCarriesItsOwnNight) {
  // Two nights in one file; the first record is struck out, so the header takes the second.
  LightCurveData data = test::parsed({
      observation("28/02/01 21:00:00", "000", "012.00", "011.50", "013.00"),
      observation("01/03/01 03:00:00", "000", "012.00", "011.50", "013.00"),
      observation("01/03/01 21:00:00", "000", "012.00", "011.50", "013.00"),
  });
  data.records[0].line[0] = kDeleted;
  auto files = build_report(data, fields());
  ASSERT_TRUE(files);
  EXPECT_EQ(files->report.substr(11, 10), "2001/02/28");  // 03:00 on 1 March: night of 28 Feb
  EXPECT_EQ(files->data.substr(0, 8), "20010228");
  EXPECT_EQ(files->data.substr(files->data.find("\r\n") + 2, 8), "20010301");
}

TEST(ReportExport, AllStruckOutStillWritesHeaderAndTrailer) {
  LightCurveData data = march_night();
  for (Record& r : data.records) r.line[0] = kDeleted;
  auto files = build_report(data, fields());
  ASSERT_TRUE(files);
  EXPECT_EQ(files->data, "");
  // Dated from the first record; total " 0"; no error value.
  EXPECT_EQ(files->report.substr(11, 10), "2000/03/01");
  EXPECT_NE(files->report.find(cp932("total: 1星 / 0 目測") + "\r\n"), std::string::npos);
  EXPECT_EQ(files->report.substr(files->report.size() - 30), "comment: photometry error = \r\n");
}

TEST(ReportExport, RefusalsWriteNothing) {
  const struct {
    const char* name;
    ReportFields fields;
    std::string message;
  } cases[] = {
      {"star over 20",
       {"ANDABCDEFGHIJKLMNOPQR", 10, "V", "ABC", "", ""},
       "Star ANDABCDEFGHIJKLMNOPQR: at most 20 characters"},
      {"non-ASCII star",
       {"CAS\xc3\xa9", 10, "V", "ABC", "", ""},
       "Star CAS\xc3\xa9: only ASCII characters can be written to sdata2.2"},
      {"non-ASCII code",
       {"CASRZ", 10, "V", "\xe5\xb1\xb1", "", ""},
       "Observer code \xe5\xb1\xb1: only ASCII characters can be written to sdata2.2"},
      {"no Shift-JIS form",
       {"CASRZ", 10, "V", "ABC", "\xf0\x9f\x98\x80", ""},
       "Observer and Place \xf0\x9f\x98\x80: it holds characters that Shift-JIS cannot hold"},
  };
  for (const auto& c : cases) {
    orvane::test::TempDir dir;
    auto written = write_report(march_night(), c.fields, dir.path().string());
    ASSERT_FALSE(written) << c.name;
    EXPECT_EQ(written.error(), c.message) << c.name;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << c.name;
  }
  auto none = build_report(test::parsed({";only a comment"}), fields());
  ASSERT_FALSE(none);
  EXPECT_EQ(none.error(), "/obs/mag_est.txt: no records to report");
}

}  // namespace
}  // namespace orvane::lightcurve
