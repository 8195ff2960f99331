// The continuous dark and flat steps over lists of files, rewriting them in place.
#include "processing/continuous_calibration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/folder_list.h"
#include "processing_files.h"
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
  core::ReadOptions options_;
  test::ScriptedUserInterface ui_;

  std::string fits(const std::string& name, const std::vector<int>& values) {
    return test::write_fits16(dir_.file(name), int(values.size()), 1, values);
  }
  // The reference goes into a folder of its own unless the test wants it among the files.
  std::string reference(const std::vector<int>& values) {
    std::filesystem::create_directories(dir_.file("ref"));
    return fits("ref/reference.fit", values);
  }
};

TEST_F(ContinuousTest, DarkOverAFolderRewritesItsFitsFilesAndLeavesTheOpenFrameAlone) {
  // 100 - 80 = 20, 200 - 100 = 100; 300 - 80, 400 - 100; 1000 - 80, and 50 - 100 becomes 0.
  const std::string a = fits("a.fit", {100, 200});
  const std::string b = fits("b.FTS", {300, 400});
  const std::string c = fits("c.fits", {1000, 50});
  test::write_bytes(dir_.file("notes.txt"), "keep me");
  const std::string dark = reference({80, 100});
  // The frame shows an edited picture of its own, with an undo copy.
  auto frame = std::make_unique<core::ImageFrame>();
  std::filesystem::create_directories(dir_.file("ref"));
  const std::string shown = fits("ref/shown.fit", {7, 8});
  ASSERT_TRUE(core::fits_read(*frame, shown).ok());
  core::undo_take(*frame);
  frame->pixels.at(0, 0) = 5;

  core::Result<core::FileList> list = core::file_list_make(dir_.path().string());
  ASSERT_TRUE(list.ok());
  std::vector<std::string> files;
  for (const auto& name : list->names)
    files.push_back(core::path_in_folder(dir_.path().string(), name));
  ASSERT_EQ(files, (Lines{a, b, c}));

  const BatchOutcome outcome = continuous_dark(core::read_options_of(*frame), dark, files, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 3);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(pixels_of(b), (Pixels{220, 300}));
  EXPECT_EQ(pixels_of(c), (Pixels{920, 0}));
  EXPECT_EQ(read_bytes(dir_.file("notes.txt")), "keep me");
  EXPECT_EQ(pixels_of(dark), (Pixels{80, 100}));
  EXPECT_EQ(frame->file_path, shown);
  EXPECT_EQ(frame->pixels.at(0, 0), 5);
  EXPECT_EQ(frame->pixels.at(1, 0), 8);
  EXPECT_TRUE(frame->undo_available);

  ASSERT_EQ(ui_.questions.size(), 1u);
  EXPECT_EQ(ui_.questions[0].text, "Is a continuous processing of a dark frame executed ?");
  EXPECT_EQ(ui_.progress_lines,
            (Lines{"Progress DARK: ", "Progress 1: " + a, "Progress 2: " + b, "Progress 3: " + c}));
  EXPECT_EQ(ui_.progress_closed, 1);
  EXPECT_EQ(ui_.busy_depth, 0);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(batch_report(outcome, "processed"), "Finished: 3 of 3 files processed, 0 left out.");
}

TEST_F(ContinuousTest, FlatKeepsTheMeanLevelAndLimitsWhatDoesNotFitWithoutStopping) {
  // Flat 1000, 3000 (M = 2000): 40000 * 2000 / 1000 = 80000 does not fit 16 bits and is written
  // as 65535; 10 * 2000 / 3000 = 6.67 gives 7. The next file is done all the same:
  // 500 * 2000 / 1000 = 1000 and 1500 * 2000 / 3000 = 1000.
  const std::string a = fits("a.fit", {40000, 10});
  const std::string b = fits("b.fit", {500, 1500});
  BatchOutcome outcome = continuous_flat(options_, reference({1000, 3000}), {a, b}, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 2);
  EXPECT_EQ(pixels_of(a), (Pixels{65535, 7}));
  EXPECT_EQ(pixels_of(b), (Pixels{1000, 1000}));
  EXPECT_EQ(batch_summary(outcome), a + ": 1 value lowered to 65535");
  EXPECT_EQ(ui_.questions[0].text, "Is a continuous processing of a flat field executed ?");
  EXPECT_EQ(ui_.progress_lines[0], "Progress FLAT: ");

  // 32 bits: M = 2, 2000000000 * 2 / 1 is limited to 2147483647; 9 * 2 / 3 = 6.
  const std::string deep = test::write_fits32(dir_.file("deep.fit"), 2, 1, {2000000000, 9});
  const std::string flat = test::write_fits32(dir_.file("ref/flat32.fit"), 2, 1, {1, 3});
  EXPECT_EQ(continuous_flat(options_, flat, {deep}, ui_).done, 1);
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

  const BatchOutcome outcome = continuous_dark(options_, dark, files, ui_);
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
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(batch_report(outcome, "processed"),
            "Finished: 2 of 6 files processed, 4 left out.\r\n"
            "4 files were left out:\r\n" +
                text + ": not a FITS file name\r\n" + dir_.file("real.fit") +
                ": BITPIX -32 is not rewritten (as integers its fractions would be lost)\r\n" +
                wide + ": 3 x 1, the reference 2 x 1\r\n" + dark + ": the dark frame itself");
}

TEST_F(ContinuousTest, QuestionNamesTheReadTimeCalculationWhichApplies) {
  const std::string a = fits("a.fit", {100, 200});
  options_.read_calc_mode = 0;
  options_.read_calc_operand = 5;
  continuous_dark(options_, reference({80, 100}), {a}, ui_);
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
  BatchOutcome outcome = continuous_dark(options_, dark, {a, b}, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kDeclined);
  EXPECT_TRUE(ui_.progress_lines.empty());
  EXPECT_EQ(pixels_of(a), (Pixels{100, 200}));
  EXPECT_EQ(batch_report(outcome, "processed"), "");

  // Progress calls: 1 "Progress DARK", 2 "Progress 1" (a), 3 "Progress 2": Cancel there.
  ui_.cancel_at_progress = 3;
  outcome = continuous_dark(options_, dark, {a, b}, ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCancelled);
  EXPECT_EQ(outcome.done, 1);
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(read_bytes(b), b_bytes);
  EXPECT_EQ(ui_.progress_closed, 1);
  EXPECT_EQ(batch_report(outcome, "processed"), "Cancelled: 1 of 2 files processed, 1 not done.");
}

TEST_F(ContinuousTest, AStopNamesTheFileKeepsTheFilesBeforeAndTouchesNoneAfter) {
  const std::string deep = FitsBuilder::image(64, 2, 1).end().write(dir_.file("deep.fit"));
  const std::string missing_reference = dir_.file("ref/missing.fit");
  const struct {
    const char* name;
    bool reference_found;
    std::string message;
    int done;
  } cases[] = {
      {"refused reference", false,
       missing_reference + ": cannot be opened (No such file or directory)", 0},
      {"unreadable file", true, deep + "BITPIX error : BITPIX = 64\r\n" + std::string(kStoppedHere),
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScriptedUserInterface ui;
    const std::string a = fits("a.fit", {500, 1500});
    const std::string d = fits("d.fit", {7, 8});
    const std::string deep_bytes = read_bytes(deep), d_bytes = read_bytes(d);
    const std::string flat = c.reference_found ? reference({1000, 3000}) : missing_reference;
    const BatchOutcome outcome = continuous_flat(options_, flat, {a, deep, d}, ui);
    EXPECT_EQ(outcome.end, BatchEnd::kStopped);
    EXPECT_EQ(outcome.done, c.done);
    EXPECT_EQ(outcome.stop_messages, Lines{c.message});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(pixels_of(a), (c.done == 1 ? Pixels{1000, 1000} : Pixels{500, 1500}));
    EXPECT_EQ(read_bytes(deep), deep_bytes);
    EXPECT_EQ(read_bytes(d), d_bytes);
    EXPECT_EQ(ui.progress_closed, 1);
  }
}

}  // namespace
}  // namespace orvane::processing
