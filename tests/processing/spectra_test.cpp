// Binning of zones, the profile files of a row and the bow correction.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "processing/binning.h"
#include "processing/bow_correction.h"
#include "processing/profile_files.h"
#include "processing/row_frames.h"
#include "support/temp_dir.h"

namespace orvane::processing {
namespace {

using test::Row;

// 25 rows of one column: rows 10, 11, 12 hold 1, 2, 3, row 20 holds 4, the rest 0.
std::vector<Row> column_rows(std::int32_t big = 0) {
  std::vector<Row> rows(25, Row{0});
  rows[10] = {1};
  rows[11] = {2};
  rows[12] = {3};
  rows[20] = {4};
  rows[0] = rows[1] = {big};
  return rows;
}

TEST(Binning, SumsTheActiveZonesIntoEachOfTheirRows) {
  const struct {
    const char* name;
    BinningZones zones;
    std::int32_t big;
    std::vector<std::pair<int, std::int32_t>> rows_after;  // (row, value)
    std::string said;                                      // completion or refusal
  } cases[] = {
      // 1 + 2 + 3 = 6; the spare column x = 1 sums to 0, the minimum.
      {"zone 1 rows 10..12",
       {{{10, 12}}},
       0,
       {{10, 6}, {12, 6}, {20, 4}},
       "Completion\rmax = 6 / min = 0"},
      // 19.6 .. 20.4 are rows 20 .. 20; 6 + 4 = 10 everywhere.
      {"zone 2 row 20 joins",
       {{{10, 12}, {19.6, 20.4}}},
       0,
       {{10, 10}, {11, 10}, {20, 10}},
       "Completion\rmax = 10 / min = 0"},
      {"equal rows are no zone", {{{10, 10}, {12, 3}}}, 0, {{10, 1}}, kNoActiveZone},
      {"zone below the frame",
       {{{0, 0}, {20, 25}}},
       0,
       {{20, 4}},
       "Zone2 (rows 20 to 25) lies outside the frame's rows 0 to 24"},
      // 2 x 2147483647 is limited to 2147483647.
      {"sum beyond 32 bits",
       {{{0, 1}}},
       2147483647,
       {{0, 2147483647}, {1, 2147483647}},
       "Completion\rmax = 2147483647 / min = 0\r1 column sum was beyond the 32-bit range and "
       "limited to it"},
  };
  for (const auto& c : cases) {
    auto frame = test::frame_of(column_rows(c.big));
    const auto done = bin_zones(*frame, c.zones);
    EXPECT_EQ(done ? binning_completion(*done) : done.error(), c.said) << c.name;
    for (const auto& [row, value] : c.rows_after) {
      EXPECT_EQ(frame->pixels.at(0, row), value) << c.name << " row " << row;
    }
  }
}

std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A print-zone line: the first field padded to 14 columns, then the second.
std::string line(const std::string& first, const std::string& second) {
  return first + std::string(14 - first.size(), ' ') + second + "\r\n";
}

TEST(ProfileFiles, WritesThreeFilesInPrintZones) {
  test::TempDir dir;
  auto frame = test::frame_of({{5, -7, 120}});
  const std::string name = dir.file("star.txt");
  ASSERT_TRUE(write_profile_files(*frame, 0, name, {}).ok());
  EXPECT_EQ(file_text(name), line(" 0 ", " 5 ") + line(" 1 ", "-7 ") + line(" 2 ", " 120 "));
  EXPECT_EQ(file_text(dir.file("star.djm")),
            line(" 0 ", "-5 ") + line(" 1 ", " 7 ") + line(" 2 ", "-120 "));
  EXPECT_EQ(file_text(dir.file("star-inv.djm")), file_text(name));

  // 4000 .. 5000 Angstrom over 1001 columns: 1 Angstrom a column, 19 characters a line.
  auto wide = test::frame_of({Row(1001, 3)});
  const std::string text =
      profile_text(*wide, 0, {.wavelength = true, .start = 4000, .end = 5000}, 1);
  EXPECT_EQ(text.substr(0, 19), line("4000. ", " 3 "));
  EXPECT_EQ(text.substr(10 * 19, 19), line("4010. ", " 3 "));
  EXPECT_EQ(text.substr(1000 * 19), line("5000. ", " 3 "));

  const auto refused = write_profile_files(*frame, 0, dir.file("no/such.txt"), {});
  EXPECT_EQ(refused.error().rfind(dir.file("no/such.txt") + ": cannot be written", 0), 0u)
      << refused.error();
}

TEST(BowCorrection, ShiftsListedRowsByInterpolationAndWholeMoves) {
  const struct {
    const char* name;
    std::string table;
    Row before, after;
  } cases[] = {
      {"2: columns 0 and 1 kept, column 5 gets column 3",
       "0,2",
       {1, 2, 3, 4, 5, 6},
       {1, 2, 1, 2, 3, 4}},
      // floor(20 - 0.5 x 10 + 0.5) = 15, floor(30 - 5 + 0.5) = 25.
      {"0.5", "0, 0.5", {10, 20, 30}, {10, 15, 25}},
      {"-0.5: f 0.5, then one column left", "0,-0.5", {10, 20, 30}, {15, 25, 25}},
      // f = 0.7: 13.5, 23.5, 33.5, 43.5 floor to 13 23 33 43; three columns left.
      {"-2.3", "0,-2.3", {10, 20, 30, 40, 50}, {33, 43, 23, 33, 43}},
      {"the later record counts; row 1 not listed", "0,5\r\n1,0\r\n\r\n0,0", {7, 8}, {7, 8}},
  };
  for (const auto& c : cases) {
    auto frame = test::frame_of({c.before, c.before});
    const auto shifts = parse_bow_table(c.table, "bow.csv");
    ASSERT_TRUE(shifts.ok()) << c.name << ": " << shifts.error();
    bow_correct(*frame, *shifts);
    EXPECT_EQ(test::rows_of(*frame), (std::vector<Row>{c.after, c.before})) << c.name;
  }
  const struct {
    std::string table, error;
  } refused[] = {
      {"0,1\n1;2", "bow.csv: line 2 is not a row and a shift (two numbers): \"1;2\""},
      {"5501,1", "bow.csv: line 1 names row 5501, which is not a row 0 to 5500"},
      {"0,x", "bow.csv: line 1 is not a row and a shift (two numbers): \"0,x\""},
  };
  for (const auto& r : refused) EXPECT_EQ(parse_bow_table(r.table, "bow.csv").error(), r.error);
  EXPECT_EQ(read_bow_table("/nonexistent/bow.csv").error(),
            "/nonexistent/bow.csv: No such file or directory");
}

}  // namespace
}  // namespace orvane::processing
