// The batch change of the BZERO and BSCALE cards.
#include "processing/scaling_cards.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "processing_files.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"

namespace orvane::processing {
namespace {

using test::FitsBuilder;
using test::read_bytes;
using Lines = std::vector<std::string>;

const std::string kBlanks50(50, ' ');

// BZERO 32768 in columns 26-30 and a comment from column 32.
const std::string kBzeroCard =
    FitsBuilder::raw_card("BZERO   =                32768 / offset of unsigned data");
// The data unit: one 80-byte row of 8-bit values that read like a BZERO card.
const std::string kDataLikeACard = FitsBuilder::raw_card("BZERO   =                   99");

std::vector<int> bytes_of(const std::string& text) {
  return std::vector<int>(text.begin(), text.end());
}

ino_t inode(const std::string& path) {
  struct stat s {};
  ::stat(path.c_str(), &s);
  return s.st_ino;
}

class ScalingCardsTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  test::ScriptedUserInterface ui_;

  // Cards after NAXIS2 as given, END, and the 80-byte data unit.
  std::string file(const std::string& name, const Lines& cards, int comments = 0) {
    FitsBuilder b = FitsBuilder::image(8, 80, 1);
    for (const std::string& card : cards) b.add_raw(card);
    for (int i = 0; i < comments; ++i) b.add_raw("COMMENT filler");
    return b.end().u8(bytes_of(kDataLikeACard)).pad().write(dir_.file(name));
  }
};

TEST_F(ScalingCardsTest, RewritesColumns10To30KeepingTheRestOfEachCard) {
  const std::string path = file(
      "a.fit", {kBzeroCard, FitsBuilder::card("BSCALE", "1"),
                FitsBuilder::raw_card("ENDTIME = '21:04:10'"), FitsBuilder::card("BZERO", "5")});
  const std::string before = read_bytes(path);
  const BatchOutcome outcome = change_bzero_bscale({path}, "0", "2.5", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 1);
  const std::string after = read_bytes(path);
  ASSERT_EQ(after.size(), before.size());
  // Card 6: columns 1-9 kept, 20 blanks and "0", then columns 31-80 as they were.
  EXPECT_EQ(after.substr(5 * 80, 80),
            "BZERO   =" + std::string(20, ' ') + "0" + kBzeroCard.substr(30));
  EXPECT_EQ(after.substr(5 * 80 + 30, 50), " / offset of unsigned data" + std::string(24, ' '));
  EXPECT_EQ(after.substr(6 * 80, 80), "BSCALE  =" + std::string(18, ' ') + "2.5" + kBlanks50);
  // ENDTIME does not end the header: the BZERO card after it changes too.
  EXPECT_EQ(after.substr(7 * 80, 80), FitsBuilder::raw_card("ENDTIME = '21:04:10'"));
  EXPECT_EQ(after.substr(8 * 80, 80), "BZERO   =" + std::string(20, ' ') + "0" + kBlanks50);
  // Everything from the END card on, the data unit with its BZERO-like text included, is kept.
  EXPECT_EQ(after.substr(9 * 80), before.substr(9 * 80));
  EXPECT_EQ(after.substr(2880, 80), kDataLikeACard);
  EXPECT_EQ(ui_.progress_lines, Lines{"Progress Auto Composite: " + path});
  EXPECT_EQ(ui_.progress_closed, 1);
}

TEST_F(ScalingCardsTest, OnlyExistingCardsChange) {
  const std::string only_bscale = file("s.fit", {FitsBuilder::card("BSCALE", "2")});
  const std::string before = read_bytes(only_bscale);
  ASSERT_TRUE(change_bzero_bscale({only_bscale}, "100", "1", ui_).done == 1);
  std::string expected = before;
  expected.replace(5 * 80, 80, FitsBuilder::card("BSCALE", "1"));
  EXPECT_EQ(read_bytes(only_bscale), expected);

  // Cards that already hold the values: the file is not rewritten at all.
  const std::string same =
      file("same.fit", {FitsBuilder::card("BZERO", "100"), FitsBuilder::card("BSCALE", "1")});
  const ino_t before_inode = inode(same);
  ASSERT_TRUE(change_scaling_cards(same, *scaling_fields("100", "1")).ok());
  EXPECT_FALSE(*change_scaling_cards(same, *scaling_fields("100", "1")));
  EXPECT_EQ(inode(same), before_inode);
}

TEST_F(ScalingCardsTest, TextsAreCheckedBeforeAnyFileIsTouched) {
  const struct {
    const char* name;
    const char* bzero;
    const char* bscale;
    bool taken;
    std::string expected;  // the BZERO field when taken, else the message
  } cases[] = {
      {"22 characters", "1234567890123456789012", "1", false,
       "BZERO \"1234567890123456789012\" is longer than the 21 characters a card holds"},
      {"21 characters fit", "123456789012345678901", "1", true, "123456789012345678901"},
      {"a word", "zero", "1", false, "BZERO \"zero\" is not a number"},
      {"an exponent without digits", "1E", "1", false, "BZERO \"1E\" is not a number"},
      {"text after the number", "0", "1 x", false, "BSCALE \"1 x\" is not a number"},
      {"empty", "", "1", false, "BZERO \"\" is not a number"},
      {"BSCALE 0", "0", "0.0", false,
       "BSCALE 0 would make every value read the same; it is not written"},
      {"exponent form", "3.2768E+04", "1", true, std::string(11, ' ') + "3.2768E+04"},
      {"blanks around dropped", " -32768 ", "1", true, std::string(15, ' ') + "-32768"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    core::Result<ScalingFields> fields = scaling_fields(c.bzero, c.bscale);
    ASSERT_EQ(fields.ok(), c.taken);
    EXPECT_EQ(fields.ok() ? fields->bzero : fields.error(), c.expected);
  }
  // The batch stops on a refused text before it opens any file.
  const std::string path = file("a.fit", {kBzeroCard});
  const std::string before = read_bytes(path);
  const BatchOutcome outcome = change_bzero_bscale({path}, "zero", "1", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kStopped);
  EXPECT_EQ(outcome.stop_messages, Lines{"BZERO \"zero\" is not a number"});
  EXPECT_TRUE(ui_.progress_lines.empty());
  EXPECT_EQ(read_bytes(path), before);
}

TEST_F(ScalingCardsTest, FilesWithoutAnEndCardOrThatCannotBeReadAreLeftOut) {
  const std::string no_end = dir_.file("no_end.fit");
  test::write_bytes(no_end, FitsBuilder::raw_card("BZERO   =                    1") +
                                FitsBuilder::raw_card("ENDTIME = 1"));
  const std::string missing = dir_.file("missing.fit");
  const std::string text = dir_.file("list.txt");
  test::write_bytes(text, FitsBuilder::card("BZERO", "1"));
  const std::string good = file("good.fit", {kBzeroCard});
  const BatchOutcome outcome = change_bzero_bscale({no_end, missing, text, good}, "0", "1", ui_);
  EXPECT_EQ(outcome.end, BatchEnd::kCompleted);
  EXPECT_EQ(outcome.done, 1);
  EXPECT_EQ(read_bytes(no_end).substr(0, 30), "BZERO   =                    1");
  EXPECT_EQ(read_bytes(text), FitsBuilder::card("BZERO", "1"));
  EXPECT_EQ(read_bytes(good).substr(5 * 80, 30), "BZERO   =                    0");
  EXPECT_EQ(batch_summary(outcome), "3 files were left out:\r\n" + no_end +
                                        ": no END card; the file was left unchanged\r\n" + missing +
                                        ": cannot be opened (No such file or directory)\r\n" +
                                        text + ": not a FITS file name");
}

}  // namespace
}  // namespace orvane::processing
