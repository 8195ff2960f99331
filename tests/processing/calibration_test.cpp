// The single-frame dark and flat steps on the frame.
#include "processing/calibration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "processing_files.h"
#include "support/temp_dir.h"

namespace orvane::processing {
namespace {

using test::FitsBuilder;
using test::Pixels;

class CalibrationTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::unique_ptr<core::ImageFrame> frame_ = std::make_unique<core::ImageFrame>();

  // Reads a width x 1 frame of 32-bit values (negative values stay negative).
  void load(const std::vector<std::int64_t>& values) {
    const std::string path =
        test::write_fits32(dir_.file("frame.fit"), int(values.size()), 1, values);
    ASSERT_TRUE(core::fits_read(*frame_, path).ok());
  }
  std::string reference(const std::vector<std::int64_t>& values,
                        const std::string& name = "ref.fit") {
    return test::write_fits32(dir_.file(name), int(values.size()), 1, values);
  }
  Pixels row() const {
    Pixels values;
    for (int x = 0; x < frame_->width; ++x) values.push_back(frame_->pixels.at(x, 0));
    return values;
  }
};

enum Step { kDark, kDarkKeepingMinus, kFlat };

TEST_F(CalibrationTest, DarkSubtractionAndFlatFielding) {
  constexpr std::int64_t kMin = -2147483648LL;
  const struct {
    const char* name;
    Step step;
    std::vector<std::int64_t> pixels, reference;
    Pixels expected;
  } cases[] = {
      // 100 - 120 = -20 becomes 0 without "The minus is used"; 500 - 20 = 480.
      {"negative result becomes 0", kDark, {100, 500}, {120, 20}, {0, 480}},
      {"The minus is used keeps -20", kDarkKeepingMinus, {100, 500}, {120, 20}, {-20, 480}},
      // The dark's values are subtracted as they are: 10 - (-5) = 15.
      {"a negative dark value adds", kDark, {10}, {-5}, {15}},
      // -2147483648 - 1 is limited to the 32-bit range.
      {"dark results limited to 32 bits", kDarkKeepingMinus, {kMin, 7}, {1, 7}, {kMin, 0}},
      // M = (1000 + 3000) / 2 = 2000: 500 / 1000 * 2000 = 1000, 1500 / 3000 * 2000 = 1000.
      {"flat 1000 and 3000", kFlat, {500, 1500}, {1000, 3000}, {1000, 1000}},
      // M = 4 / 2 = 2; the flat 0 is used as 1: 5 / 4 * 2 = 2.5 rounds to even 2, 7 / 1 * 2 = 14.
      {"flat 0 used as 1, halves to even", kFlat, {5, 7}, {4, 0}, {2, 14}},
      // 3 / 4 * 2 = 1.5 rounds to even 2.
      {"1.5 rounds to 2", kFlat, {3, 1}, {4, 0}, {2, 2}},
      // Negative flat values count as 0 in M = (0 + 300) / 2 = 150: 7 / 1 * 150 = 1050,
      // 60 / 300 * 150 = 30.
      {"negative flat value", kFlat, {7, 60}, {-100, 300}, {1050, 30}},
      // M = 2: 2000000000 / 1 * 2 is limited to 2147483647; a negative pixel gives 0.
      {"flat limited above, 0 below", kFlat, {2000000000, -30}, {1, 3}, {2147483647, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    load(c.pixels);
    const std::string ref = reference(c.reference);
    const core::Status done = c.step == kFlat
                                  ? flat_field(*frame_, ref)
                                  : dark_subtract(*frame_, ref, c.step == kDarkKeepingMinus);
    ASSERT_TRUE(done.ok());
    EXPECT_EQ(row(), c.expected);
    const auto [min, max] = std::minmax_element(c.expected.begin(), c.expected.end());
    EXPECT_EQ(std::pair(frame_->max_value, frame_->min_value), std::pair(*max, *min));
  }
}

TEST_F(CalibrationTest, ReferencesAreReadWithTheSignSettingButWithoutTheCalculation) {
  // 8-bit reference byte 30 with BZERO 10: 40 with "Non Sign Integer" on, 20 with it off.
  const std::string dark =
      FitsBuilder::image(8, 1, 1).add("BZERO", "10").end().u8({30}).write(dir_.file("d.fit"));
  const std::string image = FitsBuilder::image(8, 1, 1).end().u8({100}).write(dir_.file("i.fit"));
  const struct {
    const char* name;
    int sign_mode;
    double read_add;  // applied to the frame's file only
    std::int32_t expected;
  } cases[] = {
      {"switch on: 100 - 40", 1, 0, 60},
      {"switch off: 100 - 20", -1, 0, 80},
      // The frame was read as 105; the dark stays 40 (not 45).
      {"read-time addition of 5 left out", 1, 5, 65},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    frame_->sign_mode = c.sign_mode;
    frame_->read_calc_operand = c.read_add;
    ASSERT_TRUE(core::fits_read(*frame_, image).ok());
    ASSERT_TRUE(dark_subtract(*frame_, dark, false).ok());
    EXPECT_EQ(frame_->pixels.at(0, 0), c.expected);
  }
}

TEST_F(CalibrationTest, RefusedReferencesChangeNoPixel) {
  const std::string small = reference({1, 2}, "small.fit");
  const std::string deep = FitsBuilder::image(64, 3, 1).end().write(dir_.file("deep.fit"));
  const std::string missing = dir_.file("missing.fit");
  const struct {
    const char* name;
    std::string path;
    std::string message;
  } cases[] = {
      {"other size", small,
       small + ": the reference is 2 x 1, the image 3 x 1; both must be the same size"},
      {"the reader's message", deep, deep + "BITPIX error : BITPIX = 64"},
      {"missing", missing, missing + ": cannot be opened (No such file or directory)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool dark : {true, false}) {
      load({10, 20, 30});
      const core::Status s =
          dark ? dark_subtract(*frame_, c.path, true) : flat_field(*frame_, c.path);
      ASSERT_FALSE(s.ok());
      EXPECT_EQ(s.error(), c.message);
      EXPECT_EQ(row(), (Pixels{10, 20, 30}));
    }
  }
  // Nothing read yet.
  core::ImageFrame empty;
  const core::Status s = dark_subtract(empty, small, false);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error(), "There is no image to correct: no FITS file has been read.");
}

}  // namespace
}  // namespace orvane::processing
