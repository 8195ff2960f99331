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
    if (c.bak_after) {
      EXPECT_EQ(read_bytes(path + ".bak"), *c.bak_after) << c.name;
    }

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
    if (refusal) {
      EXPECT_EQ(*refusal, kRefusal) << c.name;
    }
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

// How the header gives the date, time and exposure is worked out in the header-time tests; here
// the cards reach the record and so do the digits set.
TEST(AutomaticPhotometrySave, RecordLineFromTheHeaderWithCrLf) {
  const std::string three_digits =
      "15/01/03 21:04:10 030 Check=012.300 Comp=011.224 Var=013.456 /obs/night/m31_001.fit";
  const std::pair<int, std::string> cases[] = {{2, "15/01/03 21:04:10 030" + kExampleStars},
                                               {3, three_digits}};
  for (const auto& [digits, expected] : cases) {
    test::TempDir dir;
    const std::string path = dir.file("mag_est.txt");
    PhotometrySettings settings;
    settings.digits = digits;
    PositionTable table;
    AutomaticPhotometry run(settings, table, path);
    ASSERT_TRUE(run.start());
    FrameOutcome outcome = example_outcome();
    if (digits == 3) outcome.boxes = {11.224, 13.456, 12.3};
    const core::Result<std::string> line =
        run.save(*frame_with_cards({kOldDate, kUt, kExposure}), outcome);
    ASSERT_TRUE(line) << line.error();
    EXPECT_EQ(*line, expected);
    EXPECT_EQ(read_bytes(path), expected + "\r\n");
    EXPECT_EQ(run.measured(), 1);
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
  test::TempDir dir;
  const PhotometrySettings settings;
  PositionTable table;
  AutomaticPhotometry run(settings, table, dir.file("mag_est.txt"));
  ASSERT_TRUE(run.start());
  EXPECT_EQ(run.counts_line(), "measured 0, skipped 0");
  EXPECT_EQ(run.skipped_report(), "");
  ASSERT_TRUE(run.save(*frame_with_cards({}), example_outcome()));
  run.note_unreadable("/n/c.fit: data error");
  EXPECT_EQ(run.counts_line(), "measured 1, skipped 1");
  EXPECT_EQ(run.skipped_report(), "Not read (no record): /n/c.fit: data error");
  EXPECT_TRUE(run.had_unreadable());
  // Frames without a star come first, all on one line; each unreadable frame has a line.
  run.note_no_star("/n/a.fit");
  run.note_no_star("/n/b.fit");
  run.note_unreadable("/n/d.fit: y");
  EXPECT_EQ(run.counts_line(), "measured 1, skipped 4");
  EXPECT_EQ(run.skipped_report(),
            "No Star (no record): /n/a.fit, /n/b.fit\r\nNot read (no record): /n/c.fit: data "
            "error\r\nNot read (no record): /n/d.fit: y");

  AutomaticPhotometry no_star_only(settings, table, dir.file("other.txt"));
  ASSERT_TRUE(no_star_only.start());
  no_star_only.note_no_star("/n/a.fit");
  EXPECT_EQ(no_star_only.skipped_report(), "No Star (no record): /n/a.fit");
  EXPECT_FALSE(no_star_only.had_unreadable());
}

}  // namespace
}  // namespace orvane::photometry
