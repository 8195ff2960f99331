#include "core/fits_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using test::FitsBuilder;
using Row = std::vector<std::int32_t>;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

Row first_row(const ImageFrame& frame, int n) {
  Row row;
  for (int x = 0; x < n; ++x) row.push_back(frame.pixels.at(x, 0));
  return row;
}

// An 8-bit 1 x 1 image with `comments` comment cards before END.
FitsBuilder with_comments(int comments) {
  FitsBuilder b = FitsBuilder::image(8, 1, 1);
  for (int i = 0; i < comments; ++i) b.add_raw("COMMENT filler");
  return b;
}

class FitsReaderTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  ImageFrame frame_;

  // Reads the file both ways, straight from the file and loaded into memory first (as a run
  // over many frames reads ahead), which must give the same frame.
  Row read_row(const FitsBuilder& file, int n) {
    const std::string path = file.write(dir_.file("in.fit"));
    const Result<ReadReport> report = fits_read(frame_, path);
    EXPECT_TRUE(report.ok()) << (report.ok() ? "" : report.error());
    const Result<FitsBytes> loaded = fits_load(path);
    EXPECT_TRUE(loaded.ok());
    if (loaded.ok()) {
      auto from_memory = std::make_unique<ImageFrame>();
      EXPECT_TRUE(fits_read(*from_memory, *loaded, read_options_of(frame_)).ok());
      // Compared over the image only: beyond it each frame keeps what it held before.
      const int width = std::min(n, frame_.width);
      EXPECT_EQ(first_row(*from_memory, width), first_row(frame_, width));
      EXPECT_EQ(from_memory->max_value, frame_.max_value);
      EXPECT_EQ(from_memory->min_value, frame_.min_value);
      EXPECT_EQ(from_memory->header_cards, frame_.header_cards);
      EXPECT_EQ(from_memory->file_path, path);
    }
    return first_row(frame_, n);
  }
};

TEST_F(FitsReaderTest, IntegerValuesAndScaling) {
  const struct {
    const char* name;
    int bitpix;
    const char* bzero;  // "" leaves the card out
    const char* bscale;
    int sign_mode;
    std::vector<std::int64_t> words;  // as stored: unsigned 8, 16 or 32 bits
    Row expected;
  } cases[] = {
      // Without BZERO the 16-bit words are unsigned; subtracting BZERO 0 changes nothing.
      {"16-bit FF FF unsigned", 16, "", "", 1, {0xFFFF}, {65535}},
      {"16-bit FF FF unsigned, switch off", 16, "", "", -1, {0xFFFF}, {65535}},
      // Standard form: two's complement + 32768: -1 + 32768, 0 + 32768, -32768 + 32768.
      {"BZERO 32768 standard", 16, "32768", "1", 1, {0xFFFF, 0, 0x8000}, {32767, 32768, 0}},
      // Switch off: unsigned word - 32768: 65535 - 32768, 0 - 32768, 32768 - 32768.
      {"BZERO 32768 switch off", 16, "32768", "", -1, {0xFFFF, 0, 0x8000}, {32767, -32768, 0}},
      {"BZERO in exponent form", 16, "3.2768E+04", "", 1, {0xFFFF}, {32767}},
      // BSCALE 2 is not the standard form: 2 * 65535 + 32768.
      {"BZERO 32768 BSCALE 2 unsigned", 16, "32768", "2", 1, {0xFFFF}, {163838}},
      // FF FF FF FE is -2; 3 * -2 + 10 = 4.
      {"32-bit two's complement, BSCALE 3 BZERO 10", 32, "10", "3", 1, {0xFFFFFFFE}, {4}},
      // 2147483647 + 2^31 is beyond the range; -2147483648 + 2^31 = 0.
      {"32-bit BZERO 2^31 limited", 32, "2147483648", "", 1, {0x7FFFFFFF, 0x80000000}, {kMax, 0}},
      // 0.5 * 3 = 1.5 and 0.5 * 5 = 2.5 both round to the even 2.
      {"8-bit BSCALE 0.5 halves to even", 8, "", "0.5", 1, {3, 5}, {2, 2}},
      {"BITPIX -8 is read as 8", -8, "", "", 1, {200}, {200}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int n = static_cast<int>(c.expected.size());
    FitsBuilder b = FitsBuilder::image(c.bitpix, n, 1);
    if (*c.bzero) b.add("BZERO", c.bzero);
    if (*c.bscale) b.add("BSCALE", c.bscale);
    b.end();
    if (std::abs(c.bitpix) == 8) b.u8({c.words.begin(), c.words.end()});
    if (c.bitpix == 16) b.u16({c.words.begin(), c.words.end()});
    if (c.bitpix == 32) b.i32(c.words);
    frame_.sign_mode = c.sign_mode;
    EXPECT_EQ(read_row(b, n), c.expected);
  }
}

TEST_F(FitsReaderTest, FloatValuesRoundHalvesToEvenAndAreLimited) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<float> values = {1.5f, 2.5f, -2.0f, -2.5f, 8388607.5f,   -2147483648.0f,
                                     3e9f, -inf, inf,   nan,   2147483520.0f};
  // 8388607.5 lies between an odd and an even neighbour; -2^31 and 2147483520 fit exactly.
  const Row expected = {2, 2, -2, -2, 8388608, kMin, kMax, kMin, kMax, 0, 2147483520};
  const int n = static_cast<int>(values.size());
  FitsBuilder file = FitsBuilder::image(-32, n, 1).add("BZERO", "100").end();
  const std::string path = file.f32(values).write(dir_.file("float.fit"));
  const Result<ReadReport> report = fits_read(frame_, path);
  ASSERT_TRUE(report.ok());
  // BZERO is not applied to floating-point data.
  EXPECT_EQ(first_row(frame_, n), expected);
  EXPECT_EQ(frame_.is_float, 1);
  EXPECT_EQ(frame_.bitpix, 32);
  // 3e9, -inf, inf and NaN were changed.
  EXPECT_EQ(report->warning,
            path + ": 4 values were not finite or beyond the 32-bit range and were limited");

  const Result<ReadReport> clean =
      fits_read(frame_, FitsBuilder::image(-32, 1, 1).end().f32({7.0f}).write(path));
  ASSERT_TRUE(clean.ok());
  EXPECT_EQ(clean->warning, "");
}

TEST_F(FitsReaderTest, HeaderEndsAtTheEndCardAndValuesAreParsed) {
  // 5 image cards + 30 comments: END is card 36 and the data start at byte 2880; one more
  // comment puts END on card 37, the data at 5760. END on card 468 still fits the 500 slots.
  const struct {
    const char* name;
    int comments, card_count;
  } cases[] = {
      {"END on card 36", 30, 36}, {"END on card 468", 462, 468}, {"END on card 37", 31, 72}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(read_row(with_comments(c.comments).end().u8({42}), 1), Row{42});
    EXPECT_EQ(frame_.header_card_count, c.card_count);
  }
  // The last read was of 72 slots: END, then the blank cards of the block.
  EXPECT_EQ(frame_.header_cards[37], FitsBuilder::raw_card("END"));
  EXPECT_EQ(frame_.header_cards[72], std::string(80, ' '));

  // ENDTIME does not end the header: the BZERO after it still counts.
  FitsBuilder endtime = FitsBuilder::image(8, 1, 1).add("ENDTIME", "'21:04:10'").add("BZERO", "10");
  EXPECT_EQ(read_row(endtime.end().u8({1}), 1), Row{11});
  EXPECT_EQ(frame_.header_card_count, 36);

  // A slash comment after the value; the last NAXIS1 wins (1, then 2).
  FitsBuilder b;
  b.add("SIMPLE", "T").add_raw("BITPIX  =                   16 / bits per value");
  b.add("NAXIS1", "1").add("NAXIS2", "1").add("NAXIS1", "2").end().u16({7, 9});
  EXPECT_EQ(read_row(b, 2), (Row{7, 9}));
  EXPECT_EQ(frame_.bitpix, 16);
}

TEST_F(FitsReaderTest, ExtremesDuskyModeAndReadTimeCalculation) {
  const FitsBuilder file = FitsBuilder::image(32, 3, 1).end().i32({100, 70000, 59999});
  read_row(file, 3);
  EXPECT_EQ(std::pair(frame_.max_value, frame_.min_value), std::pair(70000, 100));
  // Values of 60000 and more never become the maximum.
  frame_.dusky_mode = true;
  read_row(file, 3);
  EXPECT_EQ(std::pair(frame_.max_value, frame_.min_value), std::pair(59999, 100));
  frame_.dusky_mode = false;

  frame_.read_calc_mode = 0, frame_.read_calc_operand = 10;
  EXPECT_EQ(read_row(FitsBuilder::image(32, 2, 1).end().i32({1, -20}), 2), (Row{11, -10}));
  EXPECT_EQ(frame_.min_value, -10);
  // 2.5, 7.5 round to even; 2e9 * 2.5 is limited.
  frame_.read_calc_mode = 1, frame_.read_calc_operand = 2.5;
  EXPECT_EQ(read_row(FitsBuilder::image(32, 3, 1).end().i32({1, 3, 2000000000}), 3),
            (Row{2, 8, kMax}));
  // The calculation applies to the standard 16-bit form too: (-1 + 32768) * 2.5 = 81917.5.
  EXPECT_EQ(read_row(FitsBuilder::image(16, 1, 1).add("BZERO", "32768").end().i16({-1}), 1),
            Row{81918});
}

TEST_F(FitsReaderTest, LayoutFirstPlaneAndStalePixels) {
  std::vector<int> values(5000);
  for (int i = 0; i < 5000; ++i) values[i] = i;
  FitsBuilder file = FitsBuilder::image(16, 100, 50).add("BZERO", "5").end().u16(values);
  frame_.undo_available = true;
  read_row(file, 1);
  EXPECT_EQ(frame_.pixels.at(99, 49), 4999 + 5);  // the last value
  EXPECT_EQ(frame_.pixels.at(0, 1), 100 + 5);     // the 101st value
  EXPECT_EQ(frame_.planes, -1);
  EXPECT_EQ(std::pair(frame_.max_value, frame_.min_value), std::pair(5004, 5));
  EXPECT_FALSE(frame_.undo_available);

  // Three planes of 2 x 1: only the first is read; pixels beyond 2 x 1 keep the old image.
  FitsBuilder planes = FitsBuilder::image(8, 2, 1).add("NAXIS3", "3").end().u8({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(read_row(planes, 3), (Row{1, 2, 2 + 5}));
  EXPECT_EQ(frame_.planes, 3);
  EXPECT_EQ(frame_.max_value, 2);
  EXPECT_EQ(frame_.pixels.at(0, 1), 105);
}

TEST_F(FitsReaderTest, RefusalsLeaveTheFrameAsItWas) {
  const std::string good =
      FitsBuilder::image(16, 2, 1).add("BZERO", "3").end().u16({4, 5}).write(dir_.file("g.fit"));
  ASSERT_TRUE(fits_read(frame_, good).ok());
  frame_.undo_available = true;
  const auto state = [this] {
    return std::tuple(frame_.file_path, frame_.width, frame_.height, frame_.planes, frame_.bitpix,
                      frame_.bzero, frame_.header_card_count, frame_.header_cards, frame_.max_value,
                      frame_.min_value, frame_.undo_available, first_row(frame_, 3));
  };
  const auto before = state();
  ASSERT_EQ(first_row(frame_, 3), (Row{7, 8, 0}));

  const struct {
    const char* name;
    std::string contents;
    std::string reason;
  } cases[] = {
      {"no BITPIX", FitsBuilder().add("NAXIS1", "1").add("NAXIS2", "1").end().u8({1}).contents(),
       "BITPIX error"},
      {"BITPIX 64", FitsBuilder::image(64, 1, 1).end().contents(), "BITPIX error : BITPIX = 64"},
      {"BITPIX -64", FitsBuilder::image(-64, 1, 1).end().contents(), "BITPIX error : BITPIX = 64"},
      // Keywords are matched on all 8 columns: "BITPIX=" is not BITPIX.
      {"BITPIX= unpadded",
       FitsBuilder().add_raw("BITPIX= 16").add("NAXIS1", "1").add("NAXIS2", "1").end().contents(),
       "BITPIX error"},
      {"no NAXIS1", FitsBuilder().add("BITPIX", "8").add("NAXIS2", "1").end().contents(),
       "NAXIS1 error"},
      {"too wide", FitsBuilder::image(8, 5502, 1).end().contents(),
       "NAXIS1 error : NAXIS1 = 5502 is not a whole number from 1 to 5501"},
      {"no rows", FitsBuilder::image(8, 1, 0).end().contents(),
       "NAXIS2 error : NAXIS2 = 0 is not a whole number from 1 to 5501"},
      {"half a pixel",
       FitsBuilder().add("BITPIX", "8").add("NAXIS1", "2.5").add("NAXIS2", "1").end().contents(),
       "NAXIS1 error : NAXIS1 = 2.5 is not a whole number from 1 to 5501"},
      {"no END", with_comments(470).contents(), ": no END card in the first 468 header cards"},
      {"END on card 469", with_comments(463).add_raw("END").contents(),
       ": no END card in the first 468 header cards"},
      // 2 x 2 16-bit values need 2880 + 8 bytes.
      {"short data unit", FitsBuilder::image(16, 2, 2).end().u16({1, 2, 3}).contents(),
       ": the data unit is shorter than the header says (2888 bytes needed, the file has 2886)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.file("bad.fit");
    std::ofstream(path, std::ios::binary) << c.contents;
    const Result<ReadReport> report = fits_read(frame_, path);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.error(), path + c.reason);
    EXPECT_TRUE(state() == before);
  }
  const std::string missing = dir_.file("missing.fit");
  const Result<ReadReport> report = fits_read(frame_, missing);
  ASSERT_FALSE(report.ok());
  EXPECT_EQ(report.error(), missing + ": cannot be opened (No such file or directory)");
  EXPECT_TRUE(state() == before);
}

TEST_F(FitsReaderTest, LoadingRefusesWhatReadingRefuses) {
  const std::string no_end = FitsBuilder::image(16, 2, 2).write(dir_.file("no_end.fit"));
  const std::string short_data =
      FitsBuilder::image(16, 4, 4).end().u16({1, 2}).write(dir_.file("short.fit"));
  for (const std::string& path : {no_end, short_data, dir_.file("missing.fit")}) {
    const Result<ReadReport> read = fits_read(frame_, path);
    const Result<FitsBytes> loaded = fits_load(path);
    ASSERT_FALSE(read.ok());
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error(), read.error());
  }
}

TEST_F(FitsReaderTest, MemoryReadAgreesWithFileRead) {
  const std::string good =
      FitsBuilder::image(16, 2, 1).add("BZERO", "32768").end().i16({-1, 5}).contents();
  const struct {
    const char* name;
    std::string contents;
  } cases[] = {
      {"good", good},
      {"empty", ""},
      {"cut inside the first card", good.substr(0, 50)},
      {"cut before the last value", good.substr(0, 2880 + 3)},
      {"no END", FitsBuilder::image(8, 1, 1).add("ENDTIME", "'21:04:10'").contents()},
      {"NAXIS2 missing",
       FitsBuilder().add("BITPIX", "8").add("NAXIS1", "1").end().u8({1}).contents()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_.file("damaged.fit");
    test::write_bytes(path, c.contents);
    const Result<ReadReport> from_file = fits_read(frame_, path);
    auto frame = std::make_unique<ImageFrame>();
    const auto* first = reinterpret_cast<const std::uint8_t*>(c.contents.data());
    const Result<ReadReport> from_memory =
        fits_read_memory(*frame, {first, c.contents.size()}, path, read_options_of(frame_));
    ASSERT_EQ(from_memory.ok(), from_file.ok());
    if (!from_file.ok()) {
      EXPECT_EQ(from_memory.error(), from_file.error());
      EXPECT_EQ(frame->file_path, "");
    } else {
      EXPECT_EQ(first_row(*frame, 2), first_row(frame_, 2));
      EXPECT_EQ(frame->header_cards, frame_.header_cards);
      EXPECT_EQ(frame->file_path, path);
    }
  }
}

TEST(FitsName, ExtensionsInAnyCase) {
  for (const char* name : {"/a/image.fit", "image.Fts", "image.FITS", "image.fiTs"})
    EXPECT_TRUE(is_fits_name(name)) << name;
  for (const char* name : {"image.fits.gz", "image.txt", "imagefit", "it"})
    EXPECT_FALSE(is_fits_name(name)) << name;
}

}  // namespace
}  // namespace orvane::core
