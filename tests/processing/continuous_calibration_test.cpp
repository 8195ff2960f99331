// The continuous dark and flat steps over lists of files, rewriting them in place.
#include "processing/continuous_calibration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/folder_list.h"
#include "processing_files.h"
#include "support/file_size_limit.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"

namespace orvane::processing {
namespace {

using test::FitsBuilder;
using test::Pixels;
using test::pixels_of;
using test::read_bytes;
using Lines = std::vector<std::string>;

class ContinuousTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::unique_ptr<core::ImageFrame> frame_ = std::make_unique<core::ImageFrame>();
  test::ScriptedUserInterface ui_;

  std::string fits(const std::string& name, const std::vector<int>& values, int comments = 0) {
    return test::write_fits16(dir_.file(name), int(values.size()), 1, values, comments);
  }
  // The reference goes into a folder of its own unless the test wants it among the files.
  std::string reference(const std::vector<int>& values) {
    std::filesystem::create_directories(dir_.file("ref"));
    return fits("ref/reference.fit", values);
  }
};

TEST_F(ContinuousTest, DarkOverAFolderOfThreeFitsFilesAndAText) {
  // 100 - 80 = 20, 200 - 100 = 100; 300 - 80, 400 - 100; 1000 - 80, and 50 - 100 becomes 0.
  const std::string a = fits("a.fit", {100, 200});
  const std::string b = fits("b.FTS", {300, 400});
  const std::string c = fits("c.fits", {1000, 50});
  test::write_bytes(dir_.file("notes.txt"), "keep me");
  const std::string dark = reference({80, 100});

  core::Result<core::FileList> list = core::file_list_make(dir_.path().string());
  ASSERT_TRUE(list.ok());
  std::vector<std::string> files;
  for (const auto& name : list->names)
    files.push_back(core::path_in_folder(dir_.path().string(), name));
  ASSERT_EQ(files, (Lines{a, b, c}));

  frame_->undo_available = true;
  const BatchOutcome outcome = continuous_dark(*frame_, dark, files, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 3);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(pixels_of(b), (Pixels{220, 300}));
  EXPECT_EQ(pixels_of(c), (Pixels{920, 0}));
  EXPECT_EQ(read_bytes(dir_.file("notes.txt")), "keep me");
  EXPECT_EQ(pixels_of(dark), (Pixels{80, 100}));

  ASSERT_EQ(ui_.questions.size(), 1u);
  EXPECT_EQ(ui_.questions[0].text, "Is a continuous processing of a dark frame executed ?");
  EXPECT_EQ(ui_.progress_lines,
            (Lines{"Progress DARK: ", "Progress 1: " + a, "Progress 2: " + b, "Progress 3: " + c}));
  EXPECT_EQ(ui_.progress_closed, 1);
  EXPECT_EQ(ui_.busy_depth, 0);
  EXPECT_TRUE(ui_.messages.empty());
  // The frame holds the last file, as processed.
  EXPECT_EQ(frame_->file_path, c);
  EXPECT_EQ(frame_->pixels.at(0, 0), 920);
  EXPECT_FALSE(frame_->undo_available);
}

TEST_F(ContinuousTest, FlatKeepsTheMeanLevelAndLimitsTo32Bits) {
  // M = (0 + 4000) / 2 = 2000, the flat 0 used as 1: 3 * 2000 / 1 = 6000, 1000 * 2000 / 4000 = 500.
  const std::string a = fits("a.fit", {3, 1000});
  // Flat 1000, 3000 (M = 2000): 500 * 2000 / 1000 = 1000 and 1500 * 2000 / 3000 = 1000.
  const std::string b = fits("b.fit", {500, 1500});
  const struct {
    std::string file;
    std::vector<int> flat;
    Pixels expected;
  } cases[] = {{a, {0, 4000}, {6000, 500}}, {b, {1000, 3000}, {1000, 1000}}};
  for (const auto& c : cases) {
    const BatchOutcome outcome = continuous_flat(*frame_, reference(c.flat), {c.file}, ui_);
    EXPECT_EQ(outcome.done, 1);
    EXPECT_EQ(pixels_of(c.file), c.expected);
  }
  EXPECT_EQ(ui_.questions[0].text, "Is a continuous processing of a flat field executed ?");
  EXPECT_EQ(ui_.progress_lines[0], "Progress FLAT: ");

  // 32 bits: M = 2, 2000000000 * 2 / 1 is limited to 2147483647; 9 * 2 / 3 = 6.
  const std::string deep = test::write_fits32(dir_.file("deep.fit"), 2, 1, {2000000000, 9});
  const std::string flat = test::write_fits32(dir_.file("ref/flat32.fit"), 2, 1, {1, 3});
  EXPECT_EQ(continuous_flat(*frame_, flat, {deep}, ui_).done, 1);
  EXPECT_EQ(pixels_of(deep), (Pixels{2147483647, 6}));
}

TEST_F(ContinuousTest, FilesLeftOutAreNamedAtTheEnd) {
  const std::string a = fits("a.fit", {100, 200});
  const std::string text = dir_.file("notes.txt");
  test::write_bytes(text, "keep me");
  const std::string real = FitsBuilder::image(-32, 2, 1).end().f32({1.5f, 2.5f}).pad().contents();
  test::write_bytes(dir_.file("real.fit"), real);
  const std::string wide = fits("wide.fit", {1, 2, 3});
  const std::string dark = fits("dark.fit", {80, 100});  // in the list itself
  const std::string c = fits("c.fit", {1000, 50});
  const std::vector<std::string> files = {a, text, dir_.file("real.fit"), wide, dark, c};

  const BatchOutcome outcome = continuous_dark(*frame_, dark, files, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 2);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(pixels_of(c), (Pixels{920, 0}));
  EXPECT_EQ(read_bytes(dir_.file("real.fit")), real);
  EXPECT_EQ(pixels_of(wide), (Pixels{1, 2, 3}));
  EXPECT_EQ(pixels_of(dark), (Pixels{80, 100}));
  // Captions count list positions; names left out by their name show none.
  EXPECT_EQ(ui_.progress_lines,
            (Lines{"Progress DARK: ", "Progress 1: " + a, "Progress 3: " + dir_.file("real.fit"),
                   "Progress 4: " + wide, "Progress 6: " + c}));
  EXPECT_EQ(ui_.message_texts(),
            (Lines{"4 files were left out:\r\n" + text + ": not a FITS file name\r\n" +
                   dir_.file("real.fit") +
                   ": BITPIX -32 is not rewritten (as integers its fractions would be lost)\r\n" +
                   wide + ": 3 x 1, the reference 2 x 1\r\n" + dark + ": the dark frame itself"}));
}

TEST_F(ContinuousTest, QuestionNamesTheReadTimeCalculationWhichApplies) {
  const std::string a = fits("a.fit", {100, 200});
  frame_->read_calc_mode = 0;
  frame_->read_calc_operand = 5;
  continuous_dark(*frame_, reference({80, 100}), {a}, ui_);
  EXPECT_EQ(ui_.questions[0].text,
            "Is a continuous processing of a dark frame executed ?\r\n"
            "Read-time calculation on: 5 is added to every value read");
  // 100 + 5 - 80 = 25, 200 + 5 - 100 = 105; the dark itself is read without the addition.
  EXPECT_EQ(pixels_of(a), (Pixels{25, 105}));
}

TEST_F(ContinuousTest, CancelTouchesNothingOrStopsAfterTheCurrentFile) {
  const std::string a = fits("a.fit", {100, 200});
  const std::string b = fits("b.fit", {300, 400});
  const std::string b_bytes = read_bytes(b);
  const std::string dark = reference({80, 100});

  ui_.answers = {false};
  BatchOutcome outcome = continuous_dark(*frame_, dark, {a, b}, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kDeclined);
  EXPECT_TRUE(ui_.progress_lines.empty());
  EXPECT_EQ(pixels_of(a), (Pixels{100, 200}));

  // Progress calls: 1 "Progress DARK", 2 "Progress 1" (a), 3 "Progress 2": Cancel there.
  ui_.cancel_at_progress = 3;
  outcome = continuous_dark(*frame_, dark, {a, b}, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCancelled);
  EXPECT_EQ(outcome.done, 1);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(read_bytes(b), b_bytes);
  EXPECT_EQ(ui_.progress_closed, 1);
}

TEST_F(ContinuousTest, AStopNamesTheFileKeepsTheFilesBeforeAndTouchesNoneAfter) {
  const std::string stopped_here = std::string("\r\n") + kStoppedHere;
  const std::string deep = FitsBuilder::image(64, 2, 1).end().write(dir_.file("deep.fit"));
  const std::string missing_reference = dir_.file("ref/missing.fit");
  const struct {
    const char* name;
    std::vector<int> reference;  // empty: the missing reference
    std::vector<int> second;     // empty: the unreadable deep.fit
    std::string message;
    int done;
  } cases[] = {
      {"refused reference",
       {},
       {300, 400},
       missing_reference + ": cannot be opened (No such file or directory)",
       0},
      {"unreadable file", {1000, 3000}, {}, deep + "BITPIX error : BITPIX = 64" + stopped_here, 1},
      // Flat 1000, 3000 (M = 2000): 40000 * 2000 / 1000 = 80000 does not fit 16 bits.
      {"results above 65535",
       {1000, 3000},
       {40000, 10},
       dir_.file("b.fit") +
           ": results up to 80000 do not fit BITPIX 16; the file was left "
           "unchanged" +
           stopped_here,
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScriptedUserInterface ui;
    const std::string a = fits("a.fit", {500, 1500});
    const std::string b = c.second.empty() ? deep : fits("b.fit", c.second);
    const std::string d = fits("d.fit", {7, 8});
    const std::string b_bytes = read_bytes(b), d_bytes = read_bytes(d);
    const std::string flat = c.reference.empty() ? missing_reference : reference(c.reference);
    const BatchOutcome outcome = continuous_flat(*frame_, flat, {a, b, d}, ui);
    EXPECT_EQ(outcome.end, BatchEnd::kStopped);
    EXPECT_EQ(outcome.done, c.done);
    EXPECT_EQ(ui.message_texts(), Lines{c.message});
    EXPECT_EQ(pixels_of(a), (c.done == 1 ? Pixels{1000, 1000} : Pixels{500, 1500}));
    EXPECT_EQ(read_bytes(b), b_bytes);
    EXPECT_EQ(read_bytes(d), d_bytes);
    EXPECT_EQ(ui.progress_closed, 1);
  }
}

// The third file has a longer header (72 cards, 8640 bytes written) than the others (5760), so a
// file-size limit of 7000 bytes stops exactly its write.
TEST_F(ContinuousTest, AFailedWriteOfTheThirdFileLosesNothing) {
  const std::string a = fits("a.fit", {100, 200});
  const std::string b = fits("b.fit", {300, 400});
  const std::string c = fits("c.fit", {500, 600}, 40);
  const std::string d = fits("d.fit", {700, 800});
  const std::string c_bytes = read_bytes(c), d_bytes = read_bytes(d);
  const std::string dark = reference({80, 100});
  const std::size_t entries = test::entry_count(dir_.path());

  const std::string shown = test::with_file_size_limit(7000, [&] {
    test::ScriptedUserInterface ui;
    const BatchOutcome outcome = continuous_dark(*frame_, dark, {a, b, c, d}, ui);
    std::string text = std::to_string(outcome.done) + "|";
    for (const auto& m : ui.message_texts()) text += m;
    return text;
  });
  EXPECT_EQ(shown, "2|" + c + ": cannot be written (File too large)\r\n" + kStoppedHere);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(pixels_of(b), (Pixels{220, 300}));
  EXPECT_EQ(read_bytes(c), c_bytes);
  EXPECT_EQ(read_bytes(d), d_bytes);
  EXPECT_EQ(test::entry_count(dir_.path()), entries);  // no temporary file left
}

TEST_F(ContinuousTest, AFolderThatCannotBeWrittenStopsTheRun) {
  if (!test::permissions_apply()) GTEST_SKIP() << "permissions do not stop root";
  const std::string a = fits("a.fit", {100, 200});
  std::filesystem::create_directory(dir_.file("locked"));
  const std::string b = fits("locked/b.fit", {300, 400});
  const std::string b_bytes = read_bytes(b);
  ::chmod(dir_.file("locked").c_str(), 0555);
  const BatchOutcome outcome = continuous_dark(*frame_, reference({80, 100}), {a, b}, ui_);
  ::chmod(dir_.file("locked").c_str(), 0755);
  EXPECT_EQ(outcome.end, BatchEnd::kStopped);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(read_bytes(b), b_bytes);
  EXPECT_EQ(ui_.message_texts(),
            Lines{b + ": cannot be written (Permission denied)\r\n" + kStoppedHere});
}

}  // namespace
}  // namespace orvane::processing
