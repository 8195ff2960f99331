#include "photometry/automatic_photometry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"
#include "test_frames.h"

namespace orvane::photometry {
namespace {

using test::FitsBuilder;
using test::read_bytes;
using test::write_bytes;

bool exists(const std::string& path) {
  return std::filesystem::exists(path);
}

// Background 100 on 64 x 64 with three stars, each with six tenths of its flux on the centre and
// a tenth on each of its four neighbours, so the 3 x 3 peak-search box has one best place, the
// centre. Comparison 1000 at (15, 15), variable 10000 at (45, 15), check 100 at
// (15, 45). Circle 3 (37 pixels) holds each whole star and the ring 10..20 only background, so
// the sky is 100 x 37 and the signals are the fluxes:
//   20 - 2.511886432 x 3 = 12.464340704 -> 12.46   (1000)
//   20 - 2.511886432 x 4 =  9.952454272 ->  9.95   (10000)
//   20 - 2.511886432 x 2 = 14.976227136 -> 14.98   (100)
struct StarField {
  std::unique_ptr<core::ImageFrame> frame = flat_frame(64, 64, 100);
  PositionTable table = stars_at({15, 15}, {45, 15}, {15, 45});
  StarField() {
    const struct { int x, y, flux; } stars[] = {{15, 15, 1000}, {45, 15, 10000}, {15, 45, 100}};
    for (const auto& s : stars) {
      frame->pixels.at(s.x, s.y) += s.flux * 6 / 10;
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        frame->pixels.at(s.x + dx, s.y + dy) += s.flux / 10;
    }
  }
};

// A frame whose header holds `cards` (slots 1..n) and whose path is that of a frame in a folder.
std::unique_ptr<core::ImageFrame> frame_with_cards(const std::vector<std::string>& cards) {
  auto frame = std::make_unique<core::ImageFrame>();
  for (std::size_t i = 0; i < cards.size(); ++i)
    frame->header_cards[i + 1] = FitsBuilder::raw_card(cards[i]);
  frame->header_card_count = static_cast<int>(cards.size());
  frame->file_path = "/obs/night/m31_001.fit";
  return frame;
}

// The magnitude boxes of the record example: comparison 11.22, variable 13.46, check 12.35.
FrameOutcome example_outcome() {
  FrameOutcome outcome;
  outcome.boxes = {11.22, 13.46, 12.35};
  outcome.recordable = true;
  return outcome;
}

const std::string kExampleStars = " Check=012.35 Comp=011.22 Var=013.46 /obs/night/m31_001.fit";
const std::string kDateTime = "DATE-OBS= '2015-01-03T21:04:10'";
const std::string kOldDate = "DATE-OBS= '15/01/03'";
const std::string kUt = "UT      = '21:04:10'";
const std::string kExposure = FitsBuilder::card("EXPTIME", "30.");

TEST(AutomaticPhotometryStart, KeepsThePreviousFileAsBakAndStartsEmptyUnlessAppending) {
  const std::string record = "15/01/03 21:04:10 030" + kExampleStars + "\r\n";
  const struct {
    const char* name;
    std::optional<std::string> before;
    std::optional<std::string> bak_before;
    bool append;
    std::string after_start;
    std::optional<std::string> bak_after;
  } cases[] = {
      {"no file yet", std::nullopt, std::nullopt, false, "", std::nullopt},
      {"records kept as .bak", "a\r\nb\r\n", std::nullopt, false, "", "a\r\nb\r\n"},
      {"an older .bak replaced", "new\r\n", "old\r\n", false, "", "new\r\n"},
      {"append keeps the file", "a\r\nb\r\n", std::nullopt, true, "a\r\nb\r\n", std::nullopt},
      {"append after a last line without its end: the end is added, no record joins it", "a\r\nb",
       "old\r\n", true, "a\r\nb\r\n", "old\r\n"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const std::string path = dir.file("mag_est.txt");
    if (c.before) write_bytes(path, *c.before);
    if (c.bak_before) write_bytes(path + ".bak", *c.bak_before);
    const PhotometrySettings settings;
    PositionTable table;
    AutomaticPhotometry run(settings, table, path);
    ASSERT_TRUE(run.start(c.append)) << c.name;
    EXPECT_EQ(read_bytes(path), c.after_start) << c.name;
    EXPECT_EQ(exists(path + ".bak"), c.bak_after.has_value()) << c.name;
    if (c.bak_after) EXPECT_EQ(read_bytes(path + ".bak"), *c.bak_after) << c.name;

    auto frame = frame_with_cards({kOldDate, kUt, kExposure});
    ASSERT_TRUE(run.save(*frame, example_outcome())) << c.name;
    EXPECT_EQ(read_bytes(path), c.after_start + record) << c.name;
  }
}

TEST(AutomaticPhotometryStart, AMissingFolderOrAFolderInThePlaceOfTheFileIsAnErrorNamingIt) {
  const struct {
    const char* name;
    const char* file;
    bool append;
    const char* reason;
  } cases[] = {
      {"in a folder that is not there", "missing/mag_est.txt", false, "No such file or directory"},
      {"a folder named as the file", "night", false, "Is a directory"},
      {"a folder named as the file, appending", "night", true, "Is a directory"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("night"));
    write_bytes(dir.file("night/frame.fit"), "frame");
    const std::string path = dir.file(c.file);
    const PhotometrySettings settings;
    PositionTable table;
    AutomaticPhotometry run(settings, table, path);
    const core::Status started = run.start(c.append);
    ASSERT_FALSE(started) << c.name;
    EXPECT_EQ(started.error(), path + ": cannot be written (" + c.reason + ")") << c.name;
    // The folder and what it holds stay where they were.
    EXPECT_EQ(read_bytes(dir.file("night/frame.fit")), "frame") << c.name;
    EXPECT_FALSE(exists(path + ".bak")) << c.name;
  }
}

TEST(AutomaticPhotometryPositions, ComparisonAndVariableMustBeApart) {
  const std::string kRefusal = "Selecting the Variavble star and the Comparison star position";
  const struct {
    const char* name;
    PositionTable table;
    bool refused;
  } cases[] = {
      {"nothing set yet: both at 0,0", PositionTable{}, true},
      {"both at 30,40", stars_at({30, 40}, {30, 40}, {50, 50}), true},
      {"same x, next row", stars_at({30, 40}, {30, 41}, {50, 50}), false},
      {"same y, next column", stars_at({30, 40}, {31, 40}, {50, 50}), false},
      {"check on the comparison does not matter", stars_at({30, 40}, {5, 5}, {30, 40}), false},
  };
  for (const auto& c : cases) {
    const auto refusal = AutomaticPhotometry::position_refusal(c.table);
    EXPECT_EQ(refusal.has_value(), c.refused) << c.name;
    if (refusal) EXPECT_EQ(*refusal, kRefusal) << c.name;
  }
  // Every frame is checked before it is measured: a frame earlier in the run may have pulled the
  // variable onto the comparison star.
  StarField field;
  const PhotometrySettings settings;
  AutomaticPhotometry run(settings, field.table, "/unused/mag_est.txt");
  ASSERT_TRUE(run.measure(*field.frame, field.table.entries, {}));
  field.table.set_star(kVariable, field.table[kComparison]);
  const core::Result<FrameOutcome> refused = run.measure(*field.frame, field.table.entries, {});
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error(), kRefusal);
}

TEST(AutomaticPhotometryMeasure, AStarWithoutSignalKeepsItsBoxOnlyComparisonAndVariableCount) {
  const MagnitudeValues previous{1, 2, 3};  // comparison, variable, check
  const struct {
    const char* name;
    int slot_on_background;  // 0: every star where it is
    MagnitudeValues boxes;
    bool recordable;
  } cases[] = {
      {"all three measured", 0, {12.46, 9.95, 14.98}, true},
      {"no comparison: its box keeps 1, no record", kComparison, {1, 9.95, 14.98}, false},
      {"no variable: its box keeps 2, no record", kVariable, {12.46, 2, 14.98}, false},
      {"only the check fails: recorded with its previous 3", kCheck, {12.46, 9.95, 3}, true},
  };
  for (const auto& c : cases) {
    StarField field;
    // (40, 45) is background: 37 x 100 against a sky of 100 x 37.
    if (c.slot_on_background != 0) field.table[c.slot_on_background] = {40, 45};
    PhotometrySettings settings;
    settings.position_mode = 0;
    AutomaticPhotometry run(settings, field.table, "/unused/mag_est.txt");
    const FrameOutcome outcome = *run.measure(*field.frame, field.table.entries, previous);
    EXPECT_DOUBLE_EQ(outcome.boxes.comparison, c.boxes.comparison) << c.name;
    EXPECT_DOUBLE_EQ(outcome.boxes.variable, c.boxes.variable) << c.name;
    EXPECT_DOUBLE_EQ(outcome.boxes.check, c.boxes.check) << c.name;
    EXPECT_EQ(outcome.recordable, c.recordable) << c.name;
    EXPECT_EQ(outcome.run.no_star, c.slot_on_background != 0) << c.name;
  }
}

TEST(AutomaticPhotometryMeasure, PeakCastAndMoveLeavesTheFoundStarsInTheLiveTable) {
  StarField field;
  // Comparison clicked one pixel off, at (16, 14), its sky 20 to the right at (36, 14).
  field.table.set_star(kComparison, {16, 14});
  const PhotometrySettings settings;  // "Peak cast & Move position"
  AutomaticPhotometry run(settings, field.table, "/unused/mag_est.txt");
  const FrameOutcome outcome = *run.measure(*field.frame, field.table.entries, {});
  EXPECT_DOUBLE_EQ(outcome.boxes.comparison, 12.46);
  // Found at (15, 15), so the sky moves by the same (-1, +1) to (35, 15).
  EXPECT_EQ(field.table[kComparison], (Position{15, 15}));
  EXPECT_EQ(field.table[kComparisonSky], (Position{35, 15}));
}

TEST(AutomaticPhotometrySave, RecordLineFromTheHeaderWithCrLf) {
  const struct {
    const char* name;
    std::vector<std::string> cards;
    int digits;
    MagnitudeValues boxes;
    std::string line;
  } cases[] = {
      {"DATE-OBS with T gives date and time, EXPTIME after it the exposure",
       {kDateTime, kExposure},
       2,
       {11.22, 13.46, 12.35},
       "2015-01-03 21:04:10 030" + kExampleStars},
      {"EXPTIME before such a DATE-OBS counts too",
       {kExposure, kDateTime},
       2,
       {11.22, 13.46, 12.35},
       "2015-01-03 21:04:10 030" + kExampleStars},
      {"after such a DATE-OBS a UT card is not read",
       {kDateTime, "UT      = '23:00:00'", kExposure},
       2,
       {11.22, 13.46, 12.35},
       "2015-01-03 21:04:10 030" + kExampleStars},
      {"no EXPTIME: 000",
       {kDateTime},
       2,
       {11.22, 13.46, 12.35},
       "2015-01-03 21:04:10 000" + kExampleStars},
      {"date, UT and EXPTIME cards",
       {kOldDate, kUt, kExposure},
       2,
       {11.22, 13.46, 12.35},
       "15/01/03 21:04:10 030" + kExampleStars},
      {"no cards at all", {}, 2, {11.22, 13.46, 12.35}, "00/00/00 00:00:00 000" + kExampleStars},
      {"3 digits",
       {kOldDate, kUt, kExposure},
       3,
       {11.224, 13.456, 12.3},
       "15/01/03 21:04:10 030 Check=012.300 Comp=011.224 Var=013.456 /obs/night/m31_001.fit"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const std::string path = dir.file("mag_est.txt");
    PhotometrySettings settings;
    settings.digits = c.digits;
    PositionTable table;
    AutomaticPhotometry run(settings, table, path);
    ASSERT_TRUE(run.start()) << c.name;
    auto frame = frame_with_cards(c.cards);
    FrameOutcome outcome;
    outcome.boxes = c.boxes;
    outcome.recordable = true;
    const core::Result<std::string> line = run.save(*frame, outcome);
    ASSERT_TRUE(line) << c.name << ": " << line.error();
    EXPECT_EQ(*line, c.line) << c.name;
    EXPECT_EQ(read_bytes(path), c.line + "\r\n") << c.name;
    EXPECT_EQ(run.measured(), 1) << c.name;
  }
}

// Writes past a file-size limit fail as on a full disk; the child process that meets the limit
// tells what happened, and the file stays on disk for this process to read.
TEST(AutomaticPhotometrySave, AFailedAppendLeavesTheRecordsBeforeItWholeAndNoHalfLine) {
  test::TempDir dir;
  const std::string path = dir.file("mag_est.txt");
  auto frame = frame_with_cards({kOldDate, kUt, kExposure});
  const std::string record = "15/01/03 21:04:10 030" + kExampleStars + "\r\n";
  // Room for two records and half of a third.
  const rlim_t limit = 2 * record.size() + record.size() / 2;
  const std::string told = test::with_file_size_limit(limit, [&] {
    const PhotometrySettings settings;
    PositionTable table;
    AutomaticPhotometry run(settings, table, path);
    std::string text = run.start() ? "started" : "not started";
    for (int i = 0; i < 3; ++i) {
      const core::Result<std::string> line = run.save(*frame, example_outcome());
      text += line ? " saved" : " / " + line.error();
    }
    return text + " / " + run.counts_line();
  });
  EXPECT_EQ(told, "started saved saved / " + path +
                      ": cannot be written (File too large) / measured 2, skipped 0");
  EXPECT_EQ(read_bytes(path), record + record);
}

TEST(AutomaticPhotometryCounts, CountsLineAndTheReportOfFramesWithoutARecord) {
  const struct {
    const char* name;
    int saved;
    std::vector<std::string> no_star;
    std::vector<std::string> unreadable;
    std::string counts;
    std::string report;
  } cases[] = {
      {"nothing yet", 0, {}, {}, "measured 0, skipped 0", ""},
      {"two without a star",
       2,
       {"/n/a.fit", "/n/b.fit"},
       {},
       "measured 2, skipped 2",
       "No Star (no record): /n/a.fit, /n/b.fit"},
      {"one unreadable",
       1,
       {},
       {"/n/c.fit: data error"},
       "measured 1, skipped 1",
       "Not read (no record): /n/c.fit: data error"},
      {"both kinds, one line each",
       0,
       {"/n/a.fit"},
       {"/n/c.fit: x", "/n/d.fit: y"},
       "measured 0, skipped 3",
       "No Star (no record): /n/a.fit\r\nNot read (no record): /n/c.fit: x\r\n"
       "Not read (no record): /n/d.fit: y"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    const PhotometrySettings settings;
    PositionTable table;
    AutomaticPhotometry run(settings, table, dir.file("mag_est.txt"));
    ASSERT_TRUE(run.start());
    auto frame = frame_with_cards({});
    for (int i = 0; i < c.saved; ++i) ASSERT_TRUE(run.save(*frame, example_outcome()));
    for (const auto& path : c.no_star) run.note_no_star(path);
    for (const auto& message : c.unreadable) run.note_unreadable(message);
    EXPECT_EQ(run.counts_line(), c.counts) << c.name;
    EXPECT_EQ(run.skipped_report(), c.report) << c.name;
    EXPECT_EQ(run.had_unreadable(), !c.unreadable.empty()) << c.name;
  }
}

}  // namespace
}  // namespace orvane::photometry
