#include "core/fits_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using test::FitsBuilder;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Pixels (0..n-1, 0) of the frame.
std::vector<std::int32_t> first_row(const ImageFrame& frame, int n) {
  std::vector<std::int32_t> row;
  for (int x = 0; x < n; ++x) row.push_back(frame.pixels.at(x, 0));
  return row;
}

// A one-row image of the given values with extra cards before END.
FitsBuilder one_row(int bitpix, int n,
                    const std::vector<std::pair<std::string, std::string>>& cards) {
  FitsBuilder b = FitsBuilder::image(bitpix, n, 1);
  for (const auto& [keyword, value] : cards) b.add(keyword, value);
  return b.end();
}

class FitsReaderTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  ImageFrame frame_;

  std::vector<std::int32_t> read_row(const FitsBuilder& file, int n) {
    const Result<ReadReport> report = fits_read(frame_, file.write(dir_.file("in.fit")));
    EXPECT_TRUE(report.ok()) << (report.ok() ? "" : report.error());
    return first_row(frame_, n);
  }
};

TEST_F(FitsReaderTest, IntegerValuesAndScaling) {
  using Cards = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* name;
    int bitpix;
    Cards cards;
    int sign_mode;
    std::vector<std::uint8_t> data;
    std::vector<std::int32_t> expected;
  };
  const Case cases[] = {
      // Without BZERO the 16-bit words are unsigned; subtracting BZERO 0 changes nothing.
      {"16-bit FF FF unsigned", 16, {}, 1, {0xFF, 0xFF}, {65535}},
      {"16-bit FF FF unsigned, switch off", 16, {}, -1, {0xFF, 0xFF}, {65535}},
      // Standard form: two's complement + 32768: -1 + 32768, 0 + 32768, -32768 + 32768.
      {"BZERO 32768 standard form",
       16,
       {{"BZERO", "32768"}, {"BSCALE", "1"}},
       1,
       {0xFF, 0xFF, 0x00, 0x00, 0x80, 0x00},
       {32767, 32768, 0}},
      // Switch off: unsigned word - 32768: 65535 - 32768, 0 - 32768, 32768 - 32768.
      {"BZERO 32768 switch off",
       16,
       {{"BZERO", "32768"}},
       -1,
       {0xFF, 0xFF, 0x00, 0x00, 0x80, 0x00},
       {32767, -32768, 0}},
      // The exponent form is the same BZERO.
      {"BZERO 3.2768E+04", 16, {{"BZERO", "3.2768E+04"}}, 1, {0xFF, 0xFF}, {32767}},
      // BSCALE 2 is not the standard form: 2 * 65535 + 32768.
      {"BZERO 32768 BSCALE 2 unsigned",
       16,
       {{"BZERO", "32768"}, {"BSCALE", "2"}},
       1,
       {0xFF, 0xFF},
       {163838}},
      {"32-bit FF FF FF FE", 32, {}, 1, {0xFF, 0xFF, 0xFF, 0xFE}, {-2}},
      // 3 * -2 + 10.
      {"32-bit with BSCALE 3 BZERO 10",
       32,
       {{"BSCALE", "3"}, {"BZERO", "10"}},
       1,
       {0xFF, 0xFF, 0xFF, 0xFE},
       {4}},
      // 2147483647 + 2^31 is beyond the range; -2147483648 + 2^31 = 0.
      {"32-bit BZERO 2^31 limited",
       32,
       {{"BZERO", "2147483648"}},
       1,
       {0x7F, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00},
       {kMax, 0}},
      {"8-bit BZERO -100", 8, {{"BZERO", "-100"}}, 1, {0x00, 0xFF}, {-100, 155}},
      // 0.5 * 3 = 1.5 and 0.5 * 5 = 2.5 both round to the even 2.
      {"8-bit BSCALE 0.5 halves to even", 8, {{"BSCALE", "0.5"}}, 1, {3, 5}, {2, 2}},
      // -8 is read as 8.
      {"BITPIX -8", -8, {}, 1, {200}, {200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frame_.sign_mode = c.sign_mode;
    const int n = static_cast<int>(c.expected.size());
    EXPECT_EQ(read_row(one_row(c.bitpix, n, c.cards).bytes(c.data), n), c.expected);
  }
}

TEST_F(FitsReaderTest, FloatValuesRoundHalvesToEvenAndAreLimited) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<float> values = {1.5f, 2.5f, -2.0f, -2.5f, 8388607.5f,   -2147483648.0f,
                                     3e9f, -inf, inf,   nan,   2147483520.0f};
  // 8388607.5 lies between an odd and an even neighbour; -2^31 and 2147483520 fit exactly.
  const std::vector<std::int32_t> expected = {2,    2,    -2,   -2, 8388608,   kMin,
                                              kMax, kMin, kMax, 0,  2147483520};
  const int n = static_cast<int>(values.size());
  const std::string path =
      one_row(-32, n, {{"BZERO", "100"}}).f32(values).write(dir_.file("float.fit"));
  const Result<ReadReport> report = fits_read(frame_, path);
  ASSERT_TRUE(report.ok());
  // BZERO is not applied to floating-point data.
  EXPECT_EQ(first_row(frame_, n), expected);
  EXPECT_EQ(frame_.is_float, 1);
  EXPECT_EQ(frame_.bitpix, 32);
  // 3e9, -inf, inf and NaN were changed.
  EXPECT_EQ(report->values_limited, 4);
  EXPECT_EQ(report->warning,
            path + ": 4 values were not finite or beyond the 32-bit range and were limited");

  const Result<ReadReport> clean = fits_read(frame_, one_row(-32, 1, {}).f32({7.0f}).write(path));
  ASSERT_TRUE(clean.ok());
  EXPECT_EQ(frame_.pixels.at(0, 0), 7);
  EXPECT_EQ(clean->warning, "");
}

TEST_F(FitsReaderTest, HeaderEndsAtTheEndCard) {
  // 5 image cards + 30 comments: END is card 36, the data start at byte 2880.
  FitsBuilder end_36 = FitsBuilder::image(8, 1, 1);
  for (int i = 0; i < 30; ++i) end_36.add_raw("COMMENT filler");
  EXPECT_EQ(read_row(end_36.end().u8({42}), 1), std::vector<std::int32_t>{42});
  EXPECT_EQ(frame_.header_card_count, 36);

  // One more card puts END on card 37: 72 cards, data at byte 5760.
  FitsBuilder end_37 = FitsBuilder::image(8, 1, 1);
  for (int i = 0; i < 31; ++i) end_37.add_raw("COMMENT filler");
  ASSERT_EQ(end_37.end().contents().size(), 5760u);
  EXPECT_EQ(read_row(end_37.u8({43}), 1), std::vector<std::int32_t>{43});
  EXPECT_EQ(frame_.header_card_count, 72);
  EXPECT_EQ(frame_.header_cards[37], FitsBuilder::raw_card("END"));
  EXPECT_EQ(frame_.header_cards[38], std::string(80, ' '));
  EXPECT_EQ(frame_.header_cards[72], std::string(80, ' '));

  // ENDTIME does not end the header: the BZERO after it still counts.
  FitsBuilder endtime = FitsBuilder::image(8, 1, 1).add("ENDTIME", "'21:04:10'").add("BZERO", "10");
  EXPECT_EQ(read_row(endtime.end().u8({1}), 1), std::vector<std::int32_t>{11});
  EXPECT_EQ(frame_.header_card_count, 36);

  // END on card 468 still fits the 500 header slots.
  FitsBuilder end_468 = FitsBuilder::image(8, 1, 1);
  for (int i = 0; i < 462; ++i) end_468.add_raw("COMMENT filler");
  EXPECT_EQ(read_row(end_468.end().u8({44}), 1), std::vector<std::int32_t>{44});
  EXPECT_EQ(frame_.header_card_count, 468);
}

TEST_F(FitsReaderTest, KeywordValues) {
  // A slash comment after the value; the last NAXIS1 wins (1, then 2).
  FitsBuilder b;
  b.add("SIMPLE", "T")
      .add_raw("BITPIX  =                   16 / bits per value")
      .add("NAXIS1", "1")
      .add("NAXIS2", "1")
      .add("NAXIS1", "2")
      .end()
      .u16({7, 9});
  EXPECT_EQ(read_row(b, 2), (std::vector<std::int32_t>{7, 9}));
  EXPECT_EQ(frame_.width, 2);
  EXPECT_EQ(frame_.bitpix, 16);
}

TEST_F(FitsReaderTest, ExtremesDuskyModeAndReadTimeCalculation) {
  const FitsBuilder file = one_row(32, 3, {}).i32({100, 70000, 59999});
  read_row(file, 3);
  EXPECT_EQ(frame_.max_value, 70000);
  EXPECT_EQ(frame_.min_value, 100);
  // Values of 60000 and more never become the maximum.
  frame_.dusky_mode = true;
  read_row(file, 3);
  EXPECT_EQ(frame_.max_value, 59999);
  EXPECT_EQ(frame_.min_value, 100);
  frame_.dusky_mode = false;

  frame_.read_calc_mode = 0, frame_.read_calc_operand = 10;
  EXPECT_EQ(read_row(one_row(32, 2, {}).i32({1, -20}), 2), (std::vector<std::int32_t>{11, -10}));
  EXPECT_EQ(frame_.min_value, -10);
  // 2.5, 7.5 round to even; 2e9 * 2.5 is limited.
  frame_.read_calc_mode = 1, frame_.read_calc_operand = 2.5;
  EXPECT_EQ(read_row(one_row(32, 3, {}).i32({1, 3, 2000000000}), 3),
            (std::vector<std::int32_t>{2, 8, kMax}));
  // The calculation applies to the standard 16-bit form too: (-1 + 32768) * 2.5 = 81917.5.
  EXPECT_EQ(read_row(one_row(16, 1, {{"BZERO", "32768"}}).i16({-1}), 1),
            std::vector<std::int32_t>{81918});
}

TEST_F(FitsReaderTest, LayoutFirstPlaneAndStalePixels) {
  std::vector<int> values(5000);
  for (int i = 0; i < 5000; ++i) values[i] = i;
  FitsBuilder file = FitsBuilder::image(16, 100, 50).add("BZERO", "5").end().u16(values);
  frame_.undo_available = true;
  const std::string path = file.write(dir_.file("layout.fit"));
  ASSERT_TRUE(fits_read(frame_, path).ok());
  EXPECT_EQ(frame_.pixels.at(99, 49), 4999 + 5);  // the last value
  EXPECT_EQ(frame_.pixels.at(0, 1), 100 + 5);     // the 101st value
  EXPECT_EQ(frame_.width, 100);
  EXPECT_EQ(frame_.height, 50);
  EXPECT_EQ(frame_.planes, -1);
  EXPECT_EQ(frame_.bzero, 5);
  EXPECT_EQ(frame_.max_value, 5004);
  EXPECT_EQ(frame_.min_value, 5);
  EXPECT_EQ(frame_.file_path, path);
  EXPECT_FALSE(frame_.undo_available);

  // Three planes of 2 x 1: only the first is read; pixels beyond 2 x 1 keep the old image.
  FitsBuilder planes = FitsBuilder::image(8, 2, 1).add("NAXIS3", "3").end().u8({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(read_row(planes, 3), (std::vector<std::int32_t>{1, 2, 2 + 5}));
  EXPECT_EQ(frame_.planes, 3);
  EXPECT_EQ(frame_.max_value, 2);
  EXPECT_EQ(frame_.pixels.at(0, 1), 105);
}

TEST_F(FitsReaderTest, RefusalsLeaveTheFrameAsItWas) {
  const std::string good = one_row(16, 2, {{"BZERO", "3"}}).u16({4, 5}).write(dir_.file("g.fit"));
  ASSERT_TRUE(fits_read(frame_, good).ok());
  frame_.undo_available = true;
  const std::array<std::string, ImageFrame::kHeaderSlots + 1> cards = frame_.header_cards;

  std::string filler;
  for (int i = 0; i < 470; ++i) filler += FitsBuilder::raw_card("COMMENT filler");
  struct Case {
    const char* name;
    std::string contents;
    std::string reason;
  };
  const Case cases[] = {
      {"no BITPIX", FitsBuilder().add("NAXIS1", "1").add("NAXIS2", "1").end().u8({1}).contents(),
       "BITPIX error"},
      {"BITPIX 64", FitsBuilder::image(64, 1, 1).end().contents(), "BITPIX error : BITPIX = 64"},
      {"BITPIX -64", FitsBuilder::image(-64, 1, 1).end().contents(), "BITPIX error : BITPIX = 64"},
      {"BITPIX= unpadded",
       FitsBuilder().add_raw("BITPIX= 16").add("NAXIS1", "1").add("NAXIS2", "1").end().contents(),
       "BITPIX error"},
      {"no NAXIS1", FitsBuilder().add("BITPIX", "8").add("NAXIS2", "1").end().contents(),
       "NAXIS1 error"},
      {"no NAXIS2", FitsBuilder().add("BITPIX", "8").add("NAXIS1", "1").end().contents(),
       "NAXIS2 error"},
      {"too wide", FitsBuilder::image(8, 5502, 1).end().contents(),
       "NAXIS1 error : NAXIS1 = 5502 is not a whole number from 1 to 5501"},
      {"no rows", FitsBuilder::image(8, 1, 0).end().contents(),
       "NAXIS2 error : NAXIS2 = 0 is not a whole number from 1 to 5501"},
      {"half a pixel",
       FitsBuilder().add("BITPIX", "8").add("NAXIS1", "2.5").add("NAXIS2", "1").end().contents(),
       "NAXIS1 error : NAXIS1 = 2.5 is not a whole number from 1 to 5501"},
      {"no END", FitsBuilder::image(8, 1, 1).contents() + filler,
       ": no END card in the first 468 header cards"},
      {"END on card 469",
       FitsBuilder::image(8, 1, 1).contents() + filler.substr(0, 463 * 80) +
           FitsBuilder::raw_card("END"),
       ": no END card in the first 468 header cards"},
      // 2 x 2 16-bit values need 2880 + 8 bytes.
      {"short data unit", FitsBuilder::image(16, 2, 2).end().u16({1, 2, 3}).contents(),
       ": the data unit is shorter than the header says (2888 bytes needed, the file has 2886)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.file("bad.fit");
    std::ofstream(path, std::ios::binary) << c.contents;
    const Result<ReadReport> report = fits_read(frame_, path);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.error(), path + c.reason);
    EXPECT_EQ(frame_.file_path, good);
    EXPECT_EQ(frame_.width, 2);
    EXPECT_EQ(frame_.height, 1);
    EXPECT_EQ(frame_.planes, -1);
    EXPECT_EQ(frame_.bitpix, 16);
    EXPECT_EQ(frame_.bzero, 3);
    EXPECT_EQ(frame_.header_card_count, 36);
    EXPECT_TRUE(frame_.header_cards == cards);
    EXPECT_EQ(frame_.max_value, 8);
    EXPECT_EQ(frame_.min_value, 7);
    EXPECT_TRUE(frame_.undo_available);
    EXPECT_EQ(first_row(frame_, 3), (std::vector<std::int32_t>{7, 8, 0}));
  }
  const std::string missing = dir_.file("missing.fit");
  const Result<ReadReport> report = fits_read(frame_, missing);
  ASSERT_FALSE(report.ok());
  EXPECT_EQ(report.error(), missing + ": cannot be opened (No such file or directory)");
  EXPECT_EQ(frame_.file_path, good);
}

TEST(FitsName, ExtensionsInAnyCase) {
  EXPECT_TRUE(is_fits_name("/a/image.fit"));
  EXPECT_TRUE(is_fits_name("image.Fts"));
  EXPECT_TRUE(is_fits_name("image.FITS"));
  EXPECT_TRUE(is_fits_name("image.fiTs"));
  EXPECT_FALSE(is_fits_name("image.fits.gz"));
  EXPECT_FALSE(is_fits_name("image.txt"));
  EXPECT_FALSE(is_fits_name("imagefit"));
  EXPECT_FALSE(is_fits_name("it"));
}

}  // namespace
}  // namespace orvane::core
