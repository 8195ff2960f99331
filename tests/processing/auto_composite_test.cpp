// Auto composite over series of files.
#include "processing/auto_composite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "processing_files.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"

namespace orvane::processing {
namespace {

using test::FitsBuilder;
using test::Pixels;
using test::pixels_of;
using Lines = std::vector<std::string>;

class CompositeTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  core::ReadOptions options_;
  test::ScriptedUserInterface ui_;

  // One 16-bit file per value list, named a.fit, b.fit, ... in order.
  std::vector<std::string> series(const std::vector<std::vector<int>>& frames) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < frames.size(); ++i) {
      const std::string name = std::string(1, char('a' + i)) + ".fit";
      files.push_back(test::write_fits16(dir_.file(name), int(frames[i].size()), 1, frames[i]));
    }
    return files;
  }
  std::string out(const std::string& name) const { return dir_.file(name); }
};

// Pixel columns of a..e: first 1, 2, 2, 3, 4; second 10, 20, 30, 40, 50; third 1, 2, 3, 4, 0.
const std::vector<std::vector<int>> kFive = {
    {1, 10, 1}, {2, 20, 2}, {2, 30, 3}, {3, 40, 4}, {4, 50, 0}};

TEST_F(CompositeTest, WindowsOfThreeFiveAndSeven) {
  const std::vector<std::string> files = series(kFive);
  BatchOutcome outcome = auto_composite(options_, files, 3, "", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 3);
  // c3_b: (1+2+2)/3 = 5/3 rounds to 2, 60/3 = 20, 6/3 = 2.
  EXPECT_EQ(pixels_of(out("c3_b.fit")), (Pixels{2, 20, 2}));
  // c3_c: 7/3 rounds to 2, 90/3 = 30, 9/3 = 3.
  EXPECT_EQ(pixels_of(out("c3_c.fit")), (Pixels{2, 30, 3}));
  // c3_d: 9/3 = 3, 120/3 = 40, 7/3 rounds to 2. Carried over from c3_c's sums.
  EXPECT_EQ(pixels_of(out("c3_d.fit")), (Pixels{3, 40, 2}));
  EXPECT_FALSE(std::filesystem::exists(out("c3_a.fit")));
  EXPECT_FALSE(std::filesystem::exists(out("c3_e.fit")));
  EXPECT_EQ(ui_.progress_lines,
            (Lines{"Progress Auto Composite: " + files[1], "Progress Auto Composite: " + files[2],
                   "Progress Auto Composite: " + files[3]}));
  EXPECT_EQ(ui_.progress_closed, 1);
  EXPECT_TRUE(ui_.messages.empty());

  // c5_c: 12/5 rounds to 2, 150/5 = 30, (1+2+3+4+0)/5 = 2.
  outcome = auto_composite(options_, files, 5, "", ui_);
  EXPECT_EQ(outcome.done, 1);
  EXPECT_EQ(pixels_of(out("c5_c.fit")), (Pixels{2, 30, 2}));
}

TEST_F(CompositeTest, SevenOverLongerSeriesAndSeriesTooShort) {
  // Nine one-pixel files 5, 0, 3, 9, 1, 7, 2, 8, 6. Sums of seven: 5+0+3+9+1+7+2 = 27 (mean
  // 3.86 gives 4), then 27 - 5 + 8 = 30 (4.29 gives 4), then 30 - 0 + 6 = 36 (5.14 gives 5).
  const std::vector<std::string> files = series({{5}, {0}, {3}, {9}, {1}, {7}, {2}, {8}, {6}});
  EXPECT_EQ(auto_composite(options_, files, 7, "", ui_).done, 3);
  EXPECT_EQ(pixels_of(out("c7_d.fit")), Pixels{4});
  EXPECT_EQ(pixels_of(out("c7_e.fit")), Pixels{4});
  EXPECT_EQ(pixels_of(out("c7_f.fit")), Pixels{5});

  // Exactly seven files: one output, c7_ and the fourth name.
  const std::vector<std::string> seven(files.begin(), files.begin() + 7);
  std::filesystem::create_directory(dir_.file("seven"));
  EXPECT_EQ(auto_composite(options_, seven, 7, dir_.file("seven"), ui_).done, 1);
  EXPECT_EQ(pixels_of(dir_.file("seven/c7_d.fit")), Pixels{4});
  EXPECT_EQ(test::entry_count(dir_.file("seven")), 1u);

  // Six files for seven pictures: nothing, and nothing said.
  test::ScriptedUserInterface quiet;
  const BatchOutcome none =
      auto_composite(options_, {files.begin(), files.begin() + 6}, 7, "", quiet);
  EXPECT_EQ(none.end, BatchEnd::kCompleted);
  EXPECT_EQ(none.done, 0);
  EXPECT_TRUE(quiet.messages.empty());
  EXPECT_TRUE(quiet.progress_lines.empty());
}

TEST_F(CompositeTest, OutputFolderNegativeMeansAndFloatCentres) {
  std::filesystem::create_directory(dir_.file("out"));
  // 32 bits: (-1 - 2 - 2) / 3 = -1.67 rounds to -2; (7 + 8 + 9) / 3 = 8.
  std::vector<std::string> files;
  for (auto [name, v] : {std::pair("p.fit", -1), std::pair("q.fit", -2), std::pair("r.fit", -2)}) {
    files.push_back(test::write_fits32(dir_.file(name), 2, 1, {v, 7 + (name[0] - 'p')}));
  }
  ASSERT_EQ(auto_composite(options_, files, 3, dir_.file("out"), ui_).done, 1);
  EXPECT_EQ(pixels_of(dir_.file("out/c3_q.fit")), (Pixels{-2, 8}));
  EXPECT_EQ(composite_output_path("/night/a.fit", 5, ""), "/night/c5_a.fit");
  EXPECT_EQ(composite_output_path("/night/a.fit", 7, "/out"), "/out/c7_a.fit");

  // BITPIX -32 members read as 2 (1.5), 2 (2.5) and -2: mean 2/3 rounds to 1, written as 32.
  files.clear();
  for (auto [name, v] :
       {std::pair("x.fit", 1.5f), std::pair("y.fit", 2.5f), std::pair("z.fit", -2.0f)}) {
    files.push_back(FitsBuilder::image(-32, 1, 1).end().f32({v}).pad().write(dir_.file(name)));
  }
  ASSERT_EQ(auto_composite(options_, files, 3, "", ui_).done, 1);
  EXPECT_EQ(pixels_of(out("c3_y.fit")), Pixels{1});
  EXPECT_EQ(test::read_bytes(out("c3_y.fit")).substr(80, 30), "BITPIX  =                   32");
}

TEST_F(CompositeTest, WindowsWithMembersOfAnotherSizeAreLeftOut) {
  // a is 3 wide, the rest 2 wide: the window around b is left out, c and d are made.
  const std::vector<std::string> files = series({{9, 9, 9}, {1, 10}, {2, 20}, {3, 30}, {4, 40}});
  const BatchOutcome outcome = auto_composite(options_, files, 3, "", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 2);
  EXPECT_FALSE(std::filesystem::exists(out("c3_b.fit")));
  EXPECT_EQ(pixels_of(out("c3_c.fit")), (Pixels{2, 20}));  // (1+2+3)/3, (10+20+30)/3
  EXPECT_EQ(pixels_of(out("c3_d.fit")), (Pixels{3, 30}));  // (2+3+4)/3, (20+30+40)/3
  EXPECT_EQ(batch_report(outcome, "written"),
            "Finished: 2 of 3 files written, 1 left out.\r\n1 file was left out:\r\n" + files[0] +
                ": 3 x 1, the centre frame " + files[1] + " 2 x 1; " + out("c3_b.fit") +
                " was not written");
}

TEST_F(CompositeTest, AnUnreadableMemberEndsTheRunKeepingEarlierComposites) {
  std::vector<std::string> files = series(kFive);
  files[3] = FitsBuilder::image(64, 3, 1).end().write(dir_.file("d.fit"));
  const BatchOutcome outcome = auto_composite(options_, files, 3, "", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kStopped);
  EXPECT_EQ(outcome.done, 1);
  EXPECT_EQ(pixels_of(out("c3_b.fit")), (Pixels{2, 20, 2}));
  EXPECT_FALSE(std::filesystem::exists(out("c3_c.fit")));
  EXPECT_EQ(outcome.stop_messages,
            (Lines{files[3] + "BITPIX error : BITPIX = 64", "File read error"}));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ui_.progress_closed, 1);
}

// Deletes a file when the progress window shows a given centre, to prove the run does not read
// it again.
class DeletingUserInterface : public test::ScriptedUserInterface {
 public:
  bool progress(std::string_view caption, std::string_view label,
                core::ProgressCount count) override {
    if (label == when) std::filesystem::remove(doomed);
    return ScriptedUserInterface::progress(caption, label, count);
  }
  std::string when, doomed;
};

TEST_F(CompositeTest, EachFileIsReadOnceAsTheWindowSlides) {
  const std::vector<std::string> files = series(kFive);
  DeletingUserInterface ui;
  // b is read for the window around b; it is a member of the window around c too.
  ui.when = files[2];
  ui.doomed = files[1];
  const BatchOutcome outcome = auto_composite(options_, files, 3, "", ui);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(pixels_of(out("c3_c.fit")), (Pixels{2, 30, 3}));
}

TEST_F(CompositeTest, CancelStopsAfterTheCurrentComposite) {
  ui_.cancel_at_progress = 2;
  const BatchOutcome outcome = auto_composite(options_, series(kFive), 3, "", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCancelled);
  EXPECT_EQ(outcome.done, 1);
  EXPECT_FALSE(std::filesystem::exists(out("c3_c.fit")));
}

}  // namespace
}  // namespace orvane::processing
