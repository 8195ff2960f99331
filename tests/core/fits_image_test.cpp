// Reading with options passed in, and reading into a buffer of its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "core/fits_reader.h"
#include "core/fits_writer.h"
#include "core/user_interface.h"
#include "support/fits_builder.h"
#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using test::FitsBuilder;
using Values = std::vector<std::int32_t>;

class FitsImageTest : public ::testing::Test {
 protected:
  test::TempDir dir_;

  // 3 x 2, BITPIX 16, BZERO 32768: words -32668 .. give 100, 200, 300 / 400, 500, 60000.
  std::string three_by_two(const std::string& name) {
    FitsBuilder b = FitsBuilder::image(16, 3, 2).add("BZERO", "32768").add("COMMENT", "x").end();
    return b.i16({-32668, -32568, -32468, -32368, -32268, 27232}).pad().write(dir_.file(name));
  }
};

TEST_F(FitsImageTest, OptionsPassedInAreUsedAndTheFramesOwnAreKept) {
  const std::string path = three_by_two("a.fit");
  const struct {
    const char* name;
    ReadOptions options;
    std::int32_t first;  // pixel (0,0)
    std::int32_t max_value;
  } cases[] = {
      {"defaults", {}, 100, 60000},
      // Switch off: words taken unsigned less 32768. 0x8064 = 32868 still gives 100, but the
      // word of 60000, 0x6A60 = 27232, gives -5536, so the maximum is 500.
      {"switch off", {-1, 0, 0, false}, 100, 500},
      {"add 5", {1, 0, 5, false}, 105, 60005},
      {"multiply by 2", {1, 1, 2, false}, 200, 120000},
      // Dusky: 60000 never becomes the maximum; 500 does.
      {"dusky", {1, 0, 0, true}, 100, 500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageFrame frame;
    frame.sign_mode = 1, frame.read_calc_mode = 1, frame.read_calc_operand = 7;
    ASSERT_TRUE(fits_read(frame, path, c.options).ok());
    EXPECT_EQ(frame.pixels.at(0, 0), c.first);
    EXPECT_EQ(frame.max_value, c.max_value);
    EXPECT_EQ(std::tuple(frame.sign_mode, frame.read_calc_mode, frame.read_calc_operand),
              std::tuple(1, 1, 7.0));
  }
  // The two-argument form takes the frame's own settings: multiply by 7.
  ImageFrame frame;
  frame.read_calc_mode = 1, frame.read_calc_operand = 7;
  ASSERT_TRUE(fits_read(frame, path).ok());
  EXPECT_EQ(frame.pixels.at(1, 0), 1400);
}

TEST_F(FitsImageTest, AnImageGetsABufferSizedToTheFile) {
  FitsImage image;
  const std::string path = three_by_two("a.fit");
  Result<ReadReport> read = fits_read_image(image, path, {1, 0, 10, false});
  ASSERT_TRUE(read.ok()) << read.error();
  EXPECT_EQ(image.path, path);
  EXPECT_EQ(std::tuple(image.width, image.height, image.bitpix, image.is_float, image.planes),
            std::tuple(3, 2, 16, 0, -1));
  EXPECT_EQ(std::pair(image.bzero, image.bscale), std::pair(32768.0, 1.0));
  // 100 .. 60000 each plus 10, row after row, 3 wide.
  EXPECT_EQ(image.pixels, (Values{110, 210, 310, 410, 510, 60010}));
  EXPECT_EQ(image.at(2, 1), 60010);
  EXPECT_EQ(std::pair(image.max_value, image.min_value), std::pair(60010, 110));
  // 7 cards then END on card 8: 36 cards, blank after END.
  ASSERT_EQ(image.header_card_count, 36);
  ASSERT_EQ(image.header_cards.size(), 36u);
  EXPECT_EQ(image.header_cards[0], FitsBuilder::card("SIMPLE", "T"));
  EXPECT_EQ(image.header_cards[7], FitsBuilder::raw_card("END"));
  EXPECT_EQ(image.header_cards[35], std::string(80, ' '));

  // A refused file leaves the image as it was.
  const std::string bad = FitsBuilder::image(64, 1, 1).end().write(dir_.file("bad.fit"));
  Result<ReadReport> refused = fits_read_image(image, bad, {});
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error(), bad + "BITPIX error : BITPIX = 64");
  EXPECT_EQ(image.pixels.size(), 6u);
  EXPECT_EQ(image.path, path);

  // A smaller file reuses the buffer: 2 x 1 8-bit 7, 9.
  const std::int32_t* buffer = image.pixels.data();
  const std::string small = FitsBuilder::image(8, 2, 1).end().u8({7, 9}).write(dir_.file("s.fit"));
  ASSERT_TRUE(fits_read_image(image, small, {}).ok());
  EXPECT_EQ(image.pixels, (Values{7, 9}));
  EXPECT_EQ(image.pixels.data(), buffer);
}

TEST_F(FitsImageTest, TheFrameTakesAnImagesHeaderAndWritesItBack) {
  FitsImage image;
  ASSERT_TRUE(fits_read_image(image, three_by_two("a.fit"), {}).ok());
  ImageFrame frame;
  frame.undo_available = true;
  frame.header_cards[40] = "stale";
  frame_header_from_image(frame, image);
  EXPECT_EQ(std::tuple(frame.width, frame.height, frame.bitpix, frame.header_card_count),
            std::tuple(3, 2, 16, 36));
  EXPECT_EQ(frame.header_cards[1], image.header_cards[0]);
  EXPECT_EQ(frame.header_cards[40], "");
  EXPECT_EQ(frame.file_path, image.path);
  EXPECT_FALSE(frame.undo_available);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) frame.pixels.at(x, y) = image.at(x, y) + 1;
  }
  const std::string out = dir_.file("out.fit");
  ASSERT_TRUE(fits_write(frame, out, 16).ok());
  ImageFrame again;
  ASSERT_TRUE(fits_read(again, out).ok());
  EXPECT_EQ(again.pixels.at(2, 1), 60001);
}

TEST(ReadCalculation, IsNamedWhileActive) {
  const struct {
    const char* name;
    int mode;
    double operand;
    const char* text;
  } cases[] = {
      {"add 0 is off", 0, 0, ""},
      {"multiply by 1 is off", 1, 1, ""},
      {"add 100", 0, 100, "Read-time calculation on: 100 is added to every value read"},
      {"add -2.5", 0, -2.5, "Read-time calculation on: -2.5 is added to every value read"},
      {"multiply by 0.5", 1, 0.5,
       "Read-time calculation on: every value read is multiplied by 0.5"},
      {"multiply by 0", 1, 0, "Read-time calculation on: every value read is multiplied by 0"},
  };
  for (const auto& c : cases) {
    const ReadOptions options{1, c.mode, c.operand, false};
    EXPECT_EQ(read_calculation_text(options), c.text) << c.name;
    EXPECT_EQ(read_calculation_active(options), std::string(c.text) != "") << c.name;
    EXPECT_FALSE(read_calculation_active(without_calculation(options))) << c.name;
  }
}

TEST(PixelStore, TwoThreadsTouchingAFreshStoreShareOneMatrix) {
  for (int round = 0; round < 20; ++round) {
    PixelStore store;
    std::int32_t* seen[2] = {};
    std::thread a([&] { seen[0] = store.data(); });
    std::thread b([&] { seen[1] = store.row(1) - PixelStore::kSide; });
    a.join();
    b.join();
    ASSERT_NE(seen[0], nullptr);
    EXPECT_EQ(seen[0], seen[1]);
  }
}

TEST(ProgressGuard, ClosesTheProgressWindowOnEveryWayOut) {
  test::ScriptedUserInterface ui;
  const auto run = [&ui](bool fail) {
    ProgressGuard guard(ui);
    ui.progress("Progress", "a.fit");
    if (fail) throw 1;
  };
  run(false);
  EXPECT_EQ(ui.progress_closed, 1);
  EXPECT_THROW(run(true), int);
  EXPECT_EQ(ui.progress_closed, 2);
}

}  // namespace
}  // namespace orvane::core
